"""The column functions: every input shape and missing value, errors both
ways, windows and layouts, the vector path against the scalar one, threads,
pickling of InvalidDate, and the package without NumPy."""

import concurrent.futures
import datetime
import pickle
import subprocess
import sys
from pathlib import Path

import pytest

import kalcore

np = pytest.importorskip("numpy")
pd = pytest.importorskip("pandas")

sys.path.insert(0, str(Path(__file__).resolve().parent))
from mixed_texts import mixed_texts, run_readme_example  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
NAT = np.datetime64("NaT", "D")


def days(*dates):
    return np.array([d if d is not None else "NaT" for d in dates], dtype="datetime64[D]")


SAMPLE = ["12/31/98", "Jul-4-1998", None, "n/a", "19990105"]
SAMPLE_DATES = days("1998-12-31", "1998-07-04", None, None, "1999-01-05")


@pytest.mark.parametrize(
    "make",
    [
        list,
        tuple,
        lambda v: np.array(v, dtype=object),
        lambda v: np.array([x or "" for x in v], dtype="U"),
        lambda v: np.array([(x or "").encode() for x in v], dtype="S"),
        lambda v: np.array([x or "" for x in v], dtype=">U12"),
        # a column that is a strided view of a wider array
        lambda v: np.array([[x or "", "x"] for x in v], dtype="U16")[:, 0],
        lambda v: np.array([(x or "").encode() for x in reversed(v)], dtype="S20")[::-1],
        lambda v: [x.encode() if isinstance(x, str) else x for x in v],
    ],
    ids=["list", "tuple", "object", "U", "S", "U big-endian", "U strided", "S reversed", "bytes"],
)
def test_every_input_shape_gives_the_same_dates(make):
    got = kalcore.parse_many(make(SAMPLE), window=1950)
    assert got.dtype == np.dtype("datetime64[D]")
    np.testing.assert_array_equal(got, SAMPLE_DATES)


def test_a_two_dimensional_array_keeps_its_shape():
    texts = np.array([["12/31/98", "x"], ["01/02/03", "2003-01-02"]])
    got = kalcore.parse_many(texts, window=1950)
    assert got.shape == (2, 2)
    np.testing.assert_array_equal(got, days("1998-12-31", None, "2003-01-02", "2003-01-02").reshape(2, 2))
    assert kalcore.is_date_many(texts).tolist() == [[True, False], [True, True]]


@pytest.mark.parametrize("dtype", [object, "string"])
def test_a_series_gives_a_series_with_its_index(dtype):
    series = pd.Series(SAMPLE, index=[10, 20, 30, 40, 50], name="born", dtype=dtype)
    got = kalcore.parse_many(series, window=1950)
    assert isinstance(got, pd.Series) and got.name == "born"
    assert list(got.index) == [10, 20, 30, 40, 50]
    pd.testing.assert_series_equal(
        got, pd.Series(SAMPLE_DATES.astype("datetime64[ns]"), index=series.index, name="born")
    )
    assert kalcore.is_date_many(series).tolist() == [True, True, False, False, True]
    assert kalcore.convert_many(series, "B", window=1950).tolist() == [
        "12/31/1998", "07/04/1998", None, None, "01/05/1999"]


def test_a_categorical_series_reads_each_category_once_and_gives_the_same():
    texts, _ = mixed_texts(5000, seed=9)
    texts = [None if i % 97 == 0 else t for i, t in enumerate(texts)]
    plain = pd.Series(texts, dtype=object, index=range(100, 5100))
    categorical = plain.astype("category")
    pd.testing.assert_series_equal(kalcore.parse_many(categorical, window=1950),
                                   kalcore.parse_many(plain, window=1950))
    for got, want in zip(kalcore.parse_many(categorical, window=1950, layouts=True),
                         kalcore.parse_many(plain, window=1950, layouts=True)):
        pd.testing.assert_series_equal(got, want)
    assert kalcore.convert_many(categorical, "K", window=1950).equals(
        kalcore.convert_many(plain, "K", window=1950))
    with pytest.raises(kalcore.InvalidDate) as caught:
        kalcore.parse_many(categorical, window=1950, errors="raise")
    assert caught.value.position == 0 and pd.isna(caught.value.text)


MISSING = [None, float("nan"), np.nan, pd.NA, pd.NaT, np.datetime64("NaT"), np.float64("nan")]


@pytest.mark.parametrize("missing", MISSING, ids=repr)
def test_missing_values_are_no_dates(missing):
    for column in ([missing, "12/31/1998"], np.array([missing, "12/31/1998"], dtype=object),
                   pd.Series([missing, "12/31/1998"], dtype=object)):
        got = kalcore.parse_many(column)
        assert pd.isna(got[0]) and pd.Timestamp(got[1]) == pd.Timestamp("1998-12-31")
        with pytest.raises(kalcore.InvalidDate) as caught:
            kalcore.parse_many(column, errors="raise")
        assert caught.value.position == 0
        assert pd.isna(caught.value.text)


def test_errors_raise_names_the_first_bad_text_and_its_position():
    texts = ["12/31/98", "1998-12-31", "02/30/1998", "n/a"]
    with pytest.raises(kalcore.InvalidDate) as caught:
        kalcore.parse_many(texts, errors="raise")
    assert (caught.value.text, caught.value.position) == ("02/30/1998", 2)
    assert str(caught.value) == "not a date: '02/30/1998' at position 2"
    with pytest.raises(kalcore.InvalidDate, match="'n/a' at position 1"):
        kalcore.convert_many(np.array(["12/31/1998", "n/a"]), "G", errors="raise")
    # All dates: no error, and the same dates as errors="coerce".
    good = texts[:2]
    np.testing.assert_array_equal(kalcore.parse_many(good, errors="raise"), kalcore.parse_many(good))
    with pytest.raises(ValueError, match="coerce"):
        kalcore.parse_many(texts, errors="ignore")


@pytest.mark.parametrize(
    "options, texts, want",
    [
        ({"window": 1950}, ["12/31/49", "01/01/50", "Dec-31-1849", "31Dec99"],
         ["2049-12-31", "1950-01-01", "1849-12-31", "1999-12-31"]),
        ({"window": 1930}, ["12/31/29", "01/01/30", "2/3/04"], ["2029-12-31", "1930-01-01", "2004-02-03"]),
        ({"window": 1969}, ["12/31/68", "01/01/69", "680101"], ["2068-12-31", "1969-01-01", "2068-01-01"]),
        ({"century": 4}, ["12/31/49", "12/31/2049"], ["1949-12-31", "1949-12-31"]),
        # as KD_CONVDATE: 02/29/1900 is no date, even where 1900 becomes 2000
        ({"century": 5}, ["02/29/00", "02/29/1900"], ["2000-02-29", "NaT"]),
        ({"century": 4}, ["02/29/2000", "02/28/2000"], ["NaT", "1900-02-28"]),
    ],
)
def test_windows_and_centuries(options, texts, want):
    got = kalcore.parse_many(texts, **options)
    np.testing.assert_array_equal(got, np.array(want, dtype="datetime64[D]"))
    for text, date in zip(texts, want):
        assert kalcore.is_date(text, **options) == (date != "NaT")
        if date != "NaT":
            assert kalcore.parse(text, **options) == datetime.date.fromisoformat(date)


@pytest.mark.parametrize(
    "call",
    [
        lambda: kalcore.parse_many(["1/1/98"], window=1950, century=4),
        lambda: kalcore.parse_many(["1/1/98"], window=999),
        lambda: kalcore.parse_many(["1/1/98"], window=9901),
        lambda: kalcore.parse_many(["1/1/98"], century=10),
        lambda: kalcore.parse("1/1/98", window=1950, century=4),
        lambda: kalcore.convert_many(["1/1/98"], "0"),
        lambda: kalcore.convert_many(["1/1/98"], "GG"),
    ],
)
def test_misused_arguments_are_value_errors(call):
    with pytest.raises(ValueError):
        call()


@pytest.mark.parametrize(
    "values",
    [np.array([19981231, 19990101]), np.array(["1998-12-31"], dtype="datetime64[D]"), "12/31/98",
     b"12/31/98"],
    ids=["int64", "datetime64", "str", "bytes"],
)
def test_what_is_no_column_of_texts_is_a_type_error(values):
    with pytest.raises(TypeError):
        kalcore.parse_many(values)


def test_layouts_name_what_each_text_was_read_as():
    texts = ["12/31/1998", "1/2/98", "Dec-31-1998", "31dec98", "19981231", "today", "n/a", None]
    dates, layouts = kalcore.parse_many(texts, window=1950, layouts=True)
    assert layouts.tolist() == ["B", "M/D/YY", "M", "8", "E", "keyword", "", ""]
    assert dates[5] == np.datetime64(datetime.date.today(), "D") or dates[5] == np.datetime64(
        datetime.date.today() - datetime.timedelta(days=1), "D")  # midnight may pass
    series = pd.Series(texts[:3], index=list("abc"))
    dates, layouts = kalcore.parse_many(series, layouts=True)
    assert list(layouts.index) == list("abc") and layouts.tolist() == ["B", "M/D/YY", "M"]


def test_texts_longer_than_a_slot_are_read_whole():
    # Lists and object arrays go through 16-character slots; what fills one is
    # read again from the whole text, so what lies past the slot still counts.
    texts = ["    12/31/1998    ", "12/31/98" + " " * 20 + "x", "\t12/31/98\r\n" + " " * 30,
             "x" * 100, "12/31/1998 10:30", "12/31/98\0junk", " " * 70 + "12/31/98",
             "12/31/98" + " " * 70 + "x"]
    want = days("1998-12-31", None, "1998-12-31", None, None, None, "1998-12-31", None)
    np.testing.assert_array_equal(kalcore.parse_many(texts, window=1950), want)
    np.testing.assert_array_equal(kalcore.parse_many(np.array(texts, dtype=object), window=1950), want)
    assert kalcore.is_date_many(texts, window=1950).tolist() == [not np.isnat(d) for d in want]
    for text, date in zip(texts, want):
        assert kalcore.is_date(text, window=1950) == (not np.isnat(date)), text


@pytest.mark.parametrize("other", ["12/31/98", " 1998-12-31\u00a0", "12/31/98\u00e9x"])
def test_bytes_that_are_not_ascii_are_read_byte_by_byte(other):
    # With an ASCII str the column is copied as bytes; with another str as
    # characters, the bytes as Latin-1: the same dates either way.
    texts = [b"12/31/98\xa0", b"\xff12/31/98", b"12/\xe931/98", other]
    want = days("1998-12-31", "1998-12-31", None, None if "x" in other else "1998-12-31")
    np.testing.assert_array_equal(kalcore.parse_many(texts, window=1950), want)
    for text, date in zip(texts, want):
        assert kalcore.is_date(text, window=1950) == (not np.isnat(date)), text


def test_the_column_path_agrees_with_the_scalar_path_on_a_messy_column():
    texts, dates = mixed_texts(20000, seed=7)
    want = days(*dates)
    for column in (texts, np.array(texts), np.array([t.encode() for t in texts]),
                   pd.Series(texts, dtype=object)):
        got = kalcore.parse_many(column, window=1950)
        np.testing.assert_array_equal(np.asarray(got, dtype="datetime64[D]"), want)
    scalar = [kalcore.parse(t, window=1950) if kalcore.is_date(t, window=1950) else None
              for t in texts]
    assert scalar == dates


def test_convert_many_writes_every_code():
    texts = ["07/04/1998", "12/25/1998", "n/a", "05/01/2003"]
    for code in kalcore.CODES:
        got = kalcore.convert_many(texts, code, century=0)
        want = [kalcore.convert(t, code) if kalcore.is_date(t) else "" for t in texts]
        assert got.tolist() == want, code
    assert kalcore.convert_many(texts[:1], "6")[0] == "04-Jul-98  "


def test_empty_columns():
    for column in ([], np.array([], dtype="U8"), np.array([], dtype=object),
                   pd.Series([], dtype=object)):
        assert len(kalcore.parse_many(column)) == 0
        assert len(kalcore.convert_many(column, "G")) == 0
        assert len(kalcore.is_date_many(column)) == 0


def test_a_series_holds_only_the_dates_nanoseconds_can():
    series = pd.Series(["01/01/1066", "12/31/1998", "01/01/2263"])
    got = kalcore.parse_many(series)
    assert got.isna().tolist() == [True, False, True]
    with pytest.raises(OverflowError, match="'01/01/1066' at position 0"):
        kalcore.parse_many(series, errors="raise")
    # A NumPy array holds every year the library reads.
    np.testing.assert_array_equal(kalcore.parse_many(series.to_numpy()),
                                  days("1066-01-01", "1998-12-31", "2263-01-01"))


def test_eight_threads_at_once_get_what_one_thread_gets():
    texts, _ = mixed_texts(40000, seed=8)
    columns = [np.array(texts), np.array(texts, dtype="S"), texts]
    alone = [kalcore.parse_many(c, window=1950) for c in columns]

    def work(i):
        return kalcore.parse_many(columns[i % 3], window=1950)

    with concurrent.futures.ThreadPoolExecutor(8) as pool:
        for i, got in enumerate(pool.map(work, range(24))):
            np.testing.assert_array_equal(got, alone[i % 3])


def test_invalid_date_pickles_unchanged():
    for error in (kalcore.InvalidDate("12.12.1973"), kalcore.InvalidDate(None, 7),
                  kalcore.InvalidDate(b"x", 0)):
        again = pickle.loads(pickle.dumps(error))
        assert type(again) is kalcore.InvalidDate
        assert (str(again), again.text, again.position, again.args) == (
            str(error), error.text, error.position, error.args)
    assert str(pickle.loads(pickle.dumps(kalcore.InvalidDate("12.12.1973")))) == (
        "not a date: '12.12.1973'")


@pytest.mark.parametrize("value", [None, float("nan"), pd.NA, pd.NaT])
def test_the_scalar_functions_say_a_missing_value_is_no_text(value):
    for call in (kalcore.parse, kalcore.is_date, lambda v: kalcore.convert(v, "G")):
        with pytest.raises(TypeError, match="missing value.*parse_many"):
            call(value)


def test_without_numpy_the_scalar_functions_work_and_the_column_ones_say_why():
    code = (
        "import sys\n"
        "class Block:\n"
        "    def find_spec(self, name, path=None, target=None):\n"
        "        if name == 'numpy' or name.startswith('numpy.') or name == 'pandas':\n"
        "            raise ImportError('blocked: ' + name)\n"
        "sys.meta_path.insert(0, Block())\n"
        "import kalcore\n"
        "print(kalcore.parse('12/31/49', window=1950))\n"
        "try:\n"
        "    kalcore.parse_many(['12/31/98'])\n"
        "except ImportError as error:\n"
        "    print(error)\n"
        "print('numpy' in sys.modules)\n"
    )
    environment = dict(__import__("os").environ, PYTHONPATH=str(ROOT / "python" / "src"))
    result = subprocess.run([sys.executable, "-c", code], env=environment, capture_output=True,
                            text=True, timeout=60)
    lines = result.stdout.splitlines()
    assert lines[0] == "2049-12-31", result.stderr
    assert "need NumPy" in lines[1] and "python3-numpy" in lines[1]
    assert lines[2] == "False"


def test_the_readme_example_prints_what_the_readme_says():
    got, want = run_readme_example("columns")
    assert got == want
