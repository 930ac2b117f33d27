"""The SQLite extension through Python's sqlite3 module: loading it, cleaning
a column of mixed texts, errors, deterministic forms in indexes and generated
columns, and connections in many threads. KALCORE_SQLITE names the built
kalcore_sqlite.so."""

import concurrent.futures
import datetime
import os
import random
import sqlite3

import pytest

EXTENSION = os.environ.get("KALCORE_SQLITE", "")
MONTHS = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()


def connect():
    connection = sqlite3.connect(":memory:", check_same_thread=False)
    connection.enable_load_extension(True)
    connection.load_extension(EXTENSION)
    connection.enable_load_extension(False)
    return connection


@pytest.fixture
def db():
    connection = connect()
    yield connection
    connection.close()


def random_texts(count, seed):
    """(text, date or None): dates in layouts with four-digit years, and texts that are none."""
    rng = random.Random(seed)
    lo, hi = datetime.date(1000, 1, 1).toordinal(), datetime.date(9999, 12, 31).toordinal()
    layouts = [
        lambda d: d.strftime("%m/%d/") + f"{d.year:04d}",
        lambda d: f"{d.year:04d}-{d.month:02d}-{d.day:02d}",
        lambda d: f"{MONTHS[d.month - 1]}/{d.day:02d}/{d.year:04d}",
        lambda d: f"{d.day:02d}-{MONTHS[d.month - 1]}-{d.year:04d}",
        lambda d: f"{d.year:04d}{d.month:02d}{d.day:02d}",
    ]
    noise = ["", "n/a", "02/30/1998", "13/13/1313", "12/31/1998 10:30", "Dec/32/1998", "?"]
    rows = []
    for _ in range(count):
        if rng.random() < 0.2:
            rows.append((rng.choice(noise), None))
        else:
            date = datetime.date.fromordinal(rng.randint(lo, hi))
            rows.append((rng.choice(layouts)(date), date))
    return rows


def test_an_update_over_mixed_texts_leaves_null_where_no_date_is(db):
    rows = random_texts(20000, seed=16)
    db.execute("CREATE TABLE legacy (id INTEGER PRIMARY KEY, d TEXT, iso TEXT)")
    db.executemany("INSERT INTO legacy (d) VALUES (?)", [(text,) for text, _ in rows])
    db.execute("UPDATE legacy SET iso = kal_convert(d, 'G')")
    got = [iso for (iso,) in db.execute("SELECT iso FROM legacy ORDER BY id")]
    assert got == [date.isoformat() if date else None for _, date in rows]


@pytest.mark.parametrize(
    "sql, want",
    [
        ("SELECT kal_convert('12/31/98', 'G', 4)", "1998-12-31"),
        ("SELECT kal_convert('31-Dec-98', 'k', 5)", "Dec/31/2098"),
        ("SELECT kal_convert(NULL, 'G')", None),
        ("SELECT kal_convert('12/31/98', NULL)", None),
        ("SELECT kal_convert('12/31/98', 'G', NULL)", None),
        ("SELECT kal_is_date('02/29/2000', 5)", 1),
        ("SELECT kal_convert('12/31/49', 'G', 1950)", "2049-12-31"),
        ("SELECT kal_convert('01/01/50', 'G', 1950)", "1950-01-01"),
        ("SELECT kal_convert('12/31/1849', 'G', 1950)", "1849-12-31"),
        ("SELECT kal_convert('TODAY', 'G', 1950)", None),
        ("SELECT kal_is_date('02/29/2000', 4)", 0),
        ("SELECT kal_days('01/01/2000', '03/01/2000')", 60),
        ("SELECT kal_add_days(-1, 'Jan/01/2000')", "1999-12-31"),
        ("SELECT kal_add_days(NULL, '01/01/2000')", None),
        ("SELECT kal_weekday('12/25/1998')", 6),
        ("SELECT kal_julian('12/31/1998')", 1998365),
        ("SELECT kal_julian(x'00')", None),
        ("SELECT kal_next_working_day('12/31/1998', 1, 0)", "1999-01-01"),
        ("SELECT kal_next_working_day('12/31/1998', NULL)", None),
        ("SELECT kal_easter(2026)", "2026-04-05"),
        ("SELECT kal_easter('2026')", "2026-04-05"),
        ("SELECT kal_easter(2026.5)", None),
    ],
)
def test_functions_answer(db, sql, want):
    assert db.execute(sql).fetchone()[0] == want


@pytest.mark.parametrize(
    "sql, message",
    [
        ("SELECT kal_convert('12/31/98', '0')", "not a format code"),
        ("SELECT kal_convert('12/31/98', '')", "one character"),
        ("SELECT kal_convert('12/31/98', 'G', 0)", "selector 1-9"),
        ("SELECT kal_is_date('12/31/98', 10)", "selector 1-9"),
        ("SELECT kal_is_date('12/31/98', 999)", "window 1000-9900"),
        ("SELECT kal_convert('12/31/98', 'G', 9901)", "window 1000-9900"),
        ("SELECT kal_convert('12/31/98', 'G', -1)", "selector 1-9"),
        ("SELECT kal_next_working_day('12/31/98', -2)", "from 1"),
    ],
)
def test_misused_arguments_are_errors(db, sql, message):
    with pytest.raises(sqlite3.OperationalError, match=message):
        db.execute(sql)


def test_codes_that_vary_by_row_are_each_checked(db):
    # The answer for a code is kept while the statement runs: a good code on a
    # row that is no date stays NULL, a bad code fails wherever it comes.
    db.execute("CREATE TABLE t (id INTEGER PRIMARY KEY, d TEXT, code TEXT)")
    rows = [("n/a", "G"), ("12/31/98", "k"), ("x", "G"), ("12/31/98", "G"), ("y", "K")]
    db.executemany("INSERT INTO t (d, code) VALUES (?, ?)", rows)
    got = db.execute("SELECT kal_convert(d, code, 4) FROM t ORDER BY id").fetchall()
    assert got == [(None,), ("Dec/31/1998",), (None,), ("1998-12-31",), (None,)]
    db.execute("INSERT INTO t (d, code) VALUES ('z', '!')")
    with pytest.raises(sqlite3.OperationalError, match="not a format code"):
        db.execute("SELECT kal_convert(d, code, 4) FROM t ORDER BY id").fetchall()
    with pytest.raises(sqlite3.OperationalError, match="not a format code"):
        db.execute("SELECT kal_convert(d, '!', 4) FROM t").fetchall()


def test_only_the_forms_with_a_century_index_and_generate_columns(db):
    db.execute(
        "CREATE TABLE t (d TEXT, iso TEXT GENERATED ALWAYS AS (kal_convert(d, 'G', 4)) STORED)"
    )
    db.execute("CREATE INDEX t_iso ON t (kal_convert(d, 'G', 4))")
    db.executemany("INSERT INTO t (d) VALUES (?)", [("12/31/98",), ("Jul-4-98",), ("x",)])
    plan = db.execute("EXPLAIN QUERY PLAN SELECT d FROM t WHERE kal_convert(d, 'G', 4) = ?",
                      ("1998-07-04",)).fetchall()
    assert any("USING INDEX t_iso" in row[-1] for row in plan)
    assert db.execute("SELECT d, iso FROM t WHERE kal_convert(d, 'G', 4) = '1998-07-04'"
                      ).fetchall() == [("Jul-4-98", "1998-07-04")]
    db.execute("CREATE INDEX t_window ON t (kal_convert(d, 'G', 1950))")
    with pytest.raises(sqlite3.OperationalError, match="non-deterministic"):
        db.execute("CREATE INDEX t_today ON t (kal_convert(d, 'G'))")


def test_connections_in_many_threads_agree():
    rows = random_texts(2000, seed=61)
    want = [date.isoformat() if date else None for _, date in rows]

    def convert_all(_):
        connection = connect()
        try:
            return [connection.execute("SELECT kal_convert(?, 'G')", (text,)).fetchone()[0]
                    for text, _ in rows]
        finally:
            connection.close()

    with concurrent.futures.ThreadPoolExecutor(8) as pool:
        for got in pool.map(convert_all, range(8)):
            assert got == want
