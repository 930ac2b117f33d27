"""The Python surface against datetime on random dates, its errors, every
output code both ways, the library's files and zone, threads, and how the
library is found."""

import concurrent.futures
import datetime
import os
import random
import re
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import kalcore

ROOT = Path(__file__).resolve().parents[2]
RNG_SEED = 16
MONTHS = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()

# Every output code with its layout, as the project's README lists them.
LAYOUTS = dict(
    re.findall(r"`(.)` ((?:[CYMDm]|[-/. ])+?)(?:␣␣)? \|", (ROOT / "README.md").read_text())
)
LAYOUTS["6"] += "  "  # the two blanks the README marks with ␣␣
DAY_FIRST = "[]{}<>+="
# Layouts a date of which reads back as another date: six digits or YY/MM/DD
# with a year of 12 or less are read month first, and year-day-month with a
# day of 12 or less is read year-month-day.
READ_OTHERWISE = {
    "2": lambda date: date.year % 100 <= 12,
    "4": lambda date: date.year % 100 <= 12,
    "P": lambda date: date.day <= 12,
    "Q": lambda date: date.day <= 12,
}


def random_dates(count, first=1600, last=2499, seed=RNG_SEED):
    rng = random.Random(seed)
    lo = datetime.date(first, 1, 1).toordinal()
    hi = datetime.date(last, 12, 31).toordinal()
    return [datetime.date.fromordinal(rng.randint(lo, hi)) for _ in range(count)]


def expected_text(date, layout):
    """The date written in a layout such as "DD-mmm-CCYY" or "M/D/CCYY"."""
    fields = {
        "CCYY": f"{date.year:04d}",
        "YY": f"{date.year % 100:02d}",
        "MM": f"{date.month:02d}",
        "DD": f"{date.day:02d}",
        "mmm": MONTHS[date.month - 1],
        "M": str(date.month),
        "D": str(date.day),
    }
    return re.sub("CCYY|YY|MM|DD|mmm|M|D", lambda m: fields[m.group()], layout)


def selector_of(year):
    """The century selector that names the century of a year (1 = 16xx)."""
    return year // 100 - 15


def run_python(code, **env):
    """Runs code in a fresh interpreter (the library is loaded anew) with env added."""
    environment = dict(os.environ, PYTHONPATH=str(ROOT / "python" / "src"), **env)
    return subprocess.run([sys.executable, "-c", code], env=environment, capture_output=True,
                          text=True, timeout=60)


def test_the_readme_table_has_every_code():
    assert sorted(LAYOUTS) == sorted(kalcore.CODES)


@pytest.mark.parametrize("code", kalcore.CODES)
def test_every_code_writes_its_layout_and_reads_back(code):
    for date in random_dates(300, seed=ord(code)):
        text = kalcore.convert(date, code)
        assert text == expected_text(date, LAYOUTS[code]), (date, code)
        assert kalcore.convert(date, code.lower()) == text
        if code in DAY_FIRST or READ_OTHERWISE.get(code, lambda _: False)(date):
            # Day-first layouts are written only: 25/12/1998 is no date.
            continue
        # A two-digit year needs its century back; four digits keep theirs.
        assert kalcore.parse(text, century=selector_of(date.year)) == date, (date, code, text)
        if "CCYY" in LAYOUTS[code]:
            assert kalcore.parse(text) == date


def test_day_first_texts_are_no_dates():
    assert not kalcore.is_date(kalcore.convert(datetime.date(1998, 12, 25), "["))


def test_days_between_and_add_days_agree_with_datetime():
    rng = random.Random(RNG_SEED)
    dates = random_dates(2000, first=1000, last=9999)
    first, last = datetime.date(1000, 1, 1).toordinal(), datetime.date.max.toordinal()
    for a, b in zip(dates, reversed(dates)):
        assert kalcore.days_between(a, b) == (b - a).days
        n = rng.randint(-40000, 40000)
        if first <= a.toordinal() + n <= last:
            moved = a + datetime.timedelta(days=n)
            assert kalcore.add_days(a, n) == moved
            assert kalcore.add_days(kalcore.convert(a, "B"), n) == moved


def test_weekday_and_julian_agree_with_datetime():
    for date in random_dates(2000, first=1000, last=9999):
        assert kalcore.weekday(date) == date.isoweekday() % 7 + 1
        assert kalcore.weekday(date).name == date.strftime("%A").upper()
        day_of_year = date.timetuple().tm_yday
        assert kalcore.julian(date) == date.year * 1000 + day_of_year
        assert kalcore.from_julian(date.year * 1000 + day_of_year) == date
        assert kalcore.from_julian(f"{date.year}{day_of_year:03d}") == date


def gregorian_easter(year):
    """Easter Sunday by the anonymous Gregorian algorithm (Meeus)."""
    a, b, c = year % 19, year // 100, year % 100
    d, e = divmod(b, 4)
    f = (b + 8) // 25
    g = (b - f + 1) // 3
    h = (19 * a + b - d - g + 15) % 30
    i, k = divmod(c, 4)
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 22 * l) // 451
    month, day = divmod(h + l - 7 * m + 114, 31)
    return datetime.date(year, month, day + 1)


def test_easter_agrees_with_the_gregorian_algorithm():
    for year in list(range(1583, 2300)) + random.Random(RNG_SEED).sample(range(2300, 10000), 300):
        easter = kalcore.easter(year)
        assert easter == gregorian_easter(year), year
        assert kalcore.weekday(easter) == kalcore.Weekday.SUNDAY


def test_lapse_is_the_same_span_both_ways():
    dates = random_dates(2000)
    for a, b in zip(dates, reversed(dates)):
        span = kalcore.lapse(a, b)
        assert span.reversed == (b < a)
        assert 0 <= abs(span.months) < 12 and 0 <= abs(span.weeks) <= 5 and abs(span.days) < 7
        assert kalcore.lapse(b, a) == kalcore.Lapse(
            -span.years, -span.months, -span.weeks, -span.days, a != b and not span.reversed
        )
    # January gives 17 days, February is full, March gives 10.
    assert kalcore.lapse("01/15/2000", datetime.date(2000, 3, 10)) == (0, 1, 3, 6, False)


def test_two_digit_years_take_the_selected_century():
    for selector in range(1, 10):
        assert kalcore.parse("12/31/98", century=selector).year == 1500 + 100 * selector + 98
    current = datetime.date.today().year // 100
    assert kalcore.parse("12/31/98").year == current * 100 + 98
    # A selector replaces the century of a four-digit year; a date keeps its own.
    assert kalcore.parse("12/31/1998", century=5) == datetime.date(2098, 12, 31)
    assert kalcore.convert(datetime.date(1998, 12, 31), "G", century=5) == "1998-12-31"


def test_keywords_read_the_clock():
    before = datetime.date.today()
    today = kalcore.parse("today")
    after = datetime.date.today()
    assert today in (before, after)
    assert kalcore.parse("YESTER") == today - datetime.timedelta(days=1)
    assert kalcore.parse("YESTER7") == today - datetime.timedelta(days=8)


@pytest.mark.parametrize(
    "text",
    [
        "02/30/1998",
        "02/29/1900",
        "",
        "   ",
        "abc",
        "12/31/1998x",
        "25/12/1998",
        "12/31/1998 10:30",  # the library would read its first 11 characters
        "12/31/98\0junk",
        b"12/31/\x0098",
        "1998-12-31" + "\u00e9x",
    ],
)
def test_a_text_that_is_no_date_raises_invalid_date_naming_it(text):
    with pytest.raises(kalcore.InvalidDate) as caught:
        kalcore.parse(text)
    assert isinstance(caught.value, ValueError)
    assert caught.value.text == text
    assert repr(text) in str(caught.value)
    assert not kalcore.is_date(text)
    for call in (
        lambda: kalcore.days_between("01/01/2000", text),
        lambda: kalcore.add_days(text, 1),
        lambda: kalcore.lapse(text, "01/01/2000"),
        lambda: kalcore.weekday(text),
        lambda: kalcore.julian(text),
        lambda: kalcore.is_holiday(text),
        lambda: kalcore.next_working_day(text),
    ):
        with pytest.raises(kalcore.InvalidDate) as caught:
            call()
        assert caught.value.text == text


@pytest.mark.parametrize("text", ["12/31/98   ", "12/31/98\t\r\n", "12/31/98\u00a0", b"12/31/98"])
def test_what_the_library_ignores_at_the_end_is_ignored(text):
    assert kalcore.parse(text, century=4) == datetime.date(1998, 12, 31)


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda: kalcore.convert("12/31/98", "0"), ValueError),
        (lambda: kalcore.convert("12/31/98", "GG"), ValueError),
        (lambda: kalcore.convert("12/31/98", ""), ValueError),
        (lambda: kalcore.convert("12/31/98", "G", century=10), ValueError),
        (lambda: kalcore.convert("12/31/98", "G", century=-1), ValueError),
        (lambda: kalcore.parse(19981231), TypeError),
        (lambda: kalcore.parse(None), TypeError),
        (lambda: kalcore.add_days("12/31/9999", 1), OverflowError),
        (lambda: kalcore.add_days("01/01/1000", -1), OverflowError),
        (lambda: kalcore.add_days("01/01/2000", 2**31), OverflowError),
        (lambda: kalcore.from_julian(1998366), kalcore.InvalidDate),
        (lambda: kalcore.from_julian("199836"), kalcore.InvalidDate),
        (lambda: kalcore.from_julian(-199836), kalcore.InvalidDate),
        (lambda: kalcore.next_working_day("12/30/9999", 2, holidays=False), OverflowError),
        (lambda: kalcore.next_working_day("12/31/1998", 0), ValueError),
        (lambda: kalcore.next_working_day("12/31/1998", -3), ValueError),
        (lambda: kalcore.easter(0), ValueError),
        (lambda: kalcore.easter(10000), ValueError),
        (lambda: kalcore.daylight_saving("abc"), ValueError),
        (lambda: kalcore.daylight_saving(0), ValueError),
        (lambda: kalcore.daylight_saving(2.5), TypeError),
    ],
)
def test_bad_arguments_raise(call, error):
    with pytest.raises(error):
        call()


@pytest.mark.parametrize("wrong", [True, 4.0, "4"])
@pytest.mark.parametrize(
    "call",
    [
        lambda century: kalcore.parse("12/31/98", century),
        lambda century: kalcore.is_date("12/31/98", century),
        lambda century: kalcore.convert("12/31/98", "G", century=century),
    ],
)
def test_a_century_of_another_type_is_refused_after_its_equal_int_was_used(call, wrong):
    # 1 and 4 made their options first; True and 4.0 compare equal to them.
    kalcore.parse("12/31/98", 1)
    kalcore.parse("12/31/98", 4)
    with pytest.raises((ValueError, TypeError)):
        call(wrong)


def fourth_thursday_of_november(year):
    first = datetime.date(year, 11, 1)
    return first + datetime.timedelta(days=(3 - first.weekday()) % 7 + 21)


def test_holidays_of_the_key_year():
    # The library builds the holidays of the current year when it loads.
    thanksgiving = fourth_thursday_of_november(datetime.date.today().year)
    assert kalcore.is_holiday(thanksgiving) == kalcore.Holiday("Thanksgiving_Day", True)
    assert kalcore.is_holiday(thanksgiving - datetime.timedelta(days=1)) is None
    wednesday = thanksgiving - datetime.timedelta(days=1)
    friday = thanksgiving + datetime.timedelta(days=1)
    assert kalcore.next_working_day(wednesday) == friday
    assert kalcore.next_working_day(wednesday, 1, holidays=False) == thanksgiving
    assert kalcore.next_working_day(friday, 1) == friday + datetime.timedelta(days=3)


def test_a_holiday_file_without_records_raises():
    result = run_python(
        "import kalcore, os\n"
        "open(os.path.join(os.environ['XDG_DATA_HOME'], 'kalcore', 'Holidayf.Bnf'), 'wb').close()\n"
        "try:\n"
        "    kalcore.is_holiday('12/25/2020')\n"
        "except kalcore.HolidayFileError:\n"
        "    print('raised')\n"
        "print(kalcore.next_working_day('12/24/2020', holidays=False))\n"
        "try:\n"
        "    kalcore.next_working_day('12/24/2020')\n"
        "except kalcore.HolidayFileError:\n"
        "    print('raised')\n"
    )
    assert result.stdout.split() == ["raised", "2020-12-25", "raised"], result.stderr


def test_the_preferred_format_replaces_the_code():
    # A new date conversion file names format M.
    assert kalcore.convert("07/04/1998", "G", preferred=True) == "Jul-04-1998"


@pytest.mark.parametrize(
    "tz, want",
    [
        ("EST5EDT,M3.2.0,M11.1.0", "GMT -05:00 EST 2026-03-08 2026-11-01"),
        ("Europe/Berlin", "GMT +01:00 CET 2026-03-29 2026-10-25"),
        ("<+0545>-5:45", "None"),
    ],
)
def test_daylight_saving_follows_the_zone(tz, want):
    result = run_python(
        "import kalcore\n"
        "d = kalcore.daylight_saving(2026)\n"
        "print(d if d is None else f'{d.zone} {d.begin} {d.end}')\n",
        TZ=tz,
    )
    assert result.stdout.strip() == want, result.stderr


def test_many_threads_get_the_answers_one_thread_gets():
    dates = random_dates(400)
    work = [(kalcore.convert(d, code), code, d) for d in dates for code in "BKT3$"]

    def check(item):
        text, code, date = item
        return (
            kalcore.convert(text, "G", century=selector_of(date.year)),
            kalcore.weekday(date),
            kalcore.days_between(date, "01/01/2000"),
        )

    alone = [check(item) for item in work]
    with concurrent.futures.ThreadPoolExecutor(8) as pool:
        together = list(pool.map(check, work * 4))
    assert together == alone * 4
    assert alone[0][0] == dates[0].isoformat()


def test_the_library_is_found_beside_the_package(tmp_path):
    library = os.environ["KALCORE_LIBRARY"]
    package = tmp_path / "kalcore"
    shutil.copytree(ROOT / "python" / "src" / "kalcore", package)
    shutil.copy(library, package / "libkalcore.so.3")
    code = "import kalcore, sys; print(kalcore.convert('12/31/98', 'G', 4))"
    env = {k: v for k, v in os.environ.items() if k not in ("KALCORE_LIBRARY", "LD_LIBRARY_PATH")}
    env["PYTHONPATH"] = str(tmp_path)
    found = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True)
    assert found.stdout.strip() == "1998-12-31", found.stderr
    # KALCORE_LIBRARY overrides the copy beside the package.
    env["KALCORE_LIBRARY"] = str(tmp_path / "missing.so")
    missing = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True)
    assert missing.returncode != 0 and "missing.so" in missing.stderr


def test_the_system_library_is_found_on_the_loader_path():
    library = Path(os.environ["KALCORE_LIBRARY"]).resolve()
    result = run_python(
        "import kalcore; print(kalcore.convert('12/31/98', 'G', 4))",
        KALCORE_LIBRARY="",
        LD_LIBRARY_PATH=str(library.parent),
    )
    assert result.stdout.strip() == "1998-12-31", result.stderr
    nowhere = run_python("import kalcore", KALCORE_LIBRARY="", LD_LIBRARY_PATH="/nonexistent")
    assert "cannot load the kalcore library" in nowhere.stderr


def test_the_version_is_the_library_project_version():
    project = re.search(r"project\(kalcore VERSION (\S+)", (ROOT / "CMakeLists.txt").read_text())
    assert kalcore.__version__ == project.group(1)
