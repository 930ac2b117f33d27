"""Dates written in any of dozens of layouts, two-digit years included.

A Python interface to the kalcore library: it reads a date in 40 fixed
layouts and further forms (12/31/98, 1998-12-31, Dec/31/1998, 31-Dec-98,
19981231, 7Sep99, ...) or the keywords TODAY, NOW, YESTER and
YESTER0..YESTER7, gives a two-digit year the century you choose, and writes
it in any of 48 output formats.

    >>> import kalcore
    >>> kalcore.convert("12/31/98", "G", century=4)
    '1998-12-31'
    >>> kalcore.parse("Jul-4-98", century=4)
    datetime.date(1998, 7, 4)

Wherever a date is taken, a text (str or bytes) or a datetime.date will do.
A text is a date only when the whole of it is: at most 11 characters between
the blanks, control characters and non-ASCII bytes at its ends, which are
ignored. A `century` selector gives a two-digit year its century: 0 the
current century, 1-9 the centuries 16-24 (4 = 19xx, 5 = 20xx); 1-9 also
replace the century of a four-digit year. `parse`, `convert` and `is_date`
take a `window` instead: window=1950 puts a two-digit year into 1950-2049 and
leaves four-digit years alone. A datetime.date keeps its own year.

A text that is no date raises InvalidDate, a ValueError that names the text;
None, or anything else that is no text, raises TypeError. Every function may
be called from many threads at once.

A column goes to the library in one call: `parse_many`, `convert_many` and
`is_date_many` take lists, NumPy arrays and pandas Series, missing values
included (they need NumPy; pandas is optional).

The library is looked for in the file that KALCORE_LIBRARY names, then as
libkalcore.so.3 beside this package, then in the system's library path.
"""

from __future__ import annotations

import ctypes
import datetime
import enum
import threading
from typing import Any, NamedTuple, Optional, Tuple, Union

from . import _library

__all__ = [
    "CODES",
    "DateLike",
    "DaylightSaving",
    "Holiday",
    "HolidayFileError",
    "InvalidDate",
    "Lapse",
    "Weekday",
    "add_days",
    "convert",
    "convert_many",
    "days_between",
    "daylight_saving",
    "easter",
    "from_julian",
    "is_date",
    "is_date_many",
    "is_holiday",
    "julian",
    "lapse",
    "next_working_day",
    "parse",
    "parse_many",
    "weekday",
]

__version__ = "3.4.0"

#: The 48 output format codes: 40 that are also read, then the eight
#: day-first codes that are only written.
CODES = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+="

#: A date argument: a text in any layout the library reads, or a date.
DateLike = Union[str, bytes, datetime.date]

_lib = _library.load()
_MAX_DATE_CHARS = _library.DATE_BUFFER - 1


class InvalidDate(ValueError):
    """A text that is no date (or a date the library cannot represent).

    `text` holds the text as it was given; `position` the place of the text
    in a column (parse_many with errors="raise"), or None.
    """

    def __init__(self, text: object, position: Optional[int] = None) -> None:
        self.text = text
        self.position = position
        where = "" if position is None else f" at position {position}"
        super().__init__(f"not a date: {text!r}{where}")

    def __reduce__(self) -> Tuple[Any, Tuple[object, Optional[int]]]:
        # Rebuilt from what it was made of, so that it arrives unchanged from
        # another process (multiprocessing, Dask workers), not wrapped twice.
        return (type(self), (self.text, self.position))


class HolidayFileError(OSError):
    """The library's holiday file holds no holiday record, so no answer can be given."""


class Lapse(NamedTuple):
    """The span between two dates: whole years, then months, weeks and days.

    When the end precedes the start, `reversed` is True and the four counts
    are negative or zero.
    """

    years: int
    months: int
    weeks: int
    days: int
    reversed: bool


class Weekday(enum.IntEnum):
    """A day of the week, numbered as the library numbers them: Sunday is 1."""

    SUNDAY = 1
    MONDAY = 2
    TUESDAY = 3
    WEDNESDAY = 4
    THURSDAY = 5
    FRIDAY = 6
    SATURDAY = 7


class Holiday(NamedTuple):
    """A holiday of the library's holiday file.

    `day_off` is True when work stops that day; False for a holiday that is a
    working day (Election Day, say) or the calendar date of a holiday whose
    day off was moved to a Friday or Monday.
    """

    name: str
    day_off: bool


class DaylightSaving(NamedTuple):
    """The dates daylight saving time begins and ends in a year on this machine.

    `zone` is the zone's offset and name, such as "GMT -05:00 EST". A year
    with only one change has None for the other date.
    """

    zone: str
    begin: Optional[datetime.date]
    end: Optional[datetime.date]


def _ignored_at_end(byte: int) -> bool:
    return byte <= 32 or byte >= 128


def _is_missing(value: object) -> bool:
    """None, or a value that is not equal to itself: NaN, NaT, pd.NA."""
    if value is None:
        return True
    try:
        return bool(value != value)
    except TypeError:  # pd.NA: a comparison with it is NA, which is neither true nor false
        return True


def _not_a_text(value: object) -> TypeError:
    if _is_missing(value):
        return TypeError(
            f"a date is a str, bytes or datetime.date, not the missing value {value!r}; "
            "parse_many reads a column with missing values"
        )
    return TypeError(f"a date is a str, bytes or datetime.date, not {type(value).__name__}")


def _date_text(value: DateLike, century: int = 0) -> tuple[bytes, int]:
    """The text the library reads for a date argument, and the selector to read it with."""
    if isinstance(value, datetime.date):
        # A date's year is complete: no selector replaces its century.
        return f"{value.year:04d}-{value.month:02d}-{value.day:02d}".encode("ascii"), 0
    if isinstance(value, str):
        raw = value.encode("utf-8")
    elif isinstance(value, (bytes, bytearray)):
        raw = bytes(value)
    else:
        raise _not_a_text(value)
    end = len(raw)
    while end > 0 and _ignored_at_end(raw[end - 1]):
        end -= 1
    # The library reads 11 characters; a text with more, or with a NUL that
    # would end it early, is more than a date and so no date.
    if end == 0 or end > _MAX_DATE_CHARS or b"\0" in raw[:end]:
        raise InvalidDate(value)
    return raw[:end], century


def _check_century(century: int) -> int:
    if not isinstance(century, int) or isinstance(century, bool) or not 0 <= century <= 9:
        raise ValueError(f"century is a selector 0-9, not {century!r}")
    return century


def _check_code(code: str) -> bytes:
    """The byte of a format code (either case); ValueError for anything else."""
    code_byte = _CODE_BYTES.get(code) if isinstance(code, str) else None
    if code_byte is None:
        raise ValueError(f"not a format code: {code!r}")
    return code_byte


def _buffer(size: int = _library.DATE_BUFFER) -> ctypes.Array[ctypes.c_char]:
    return ctypes.create_string_buffer(size)


def _from_numeric(text: bytes) -> datetime.date:
    """A date from the library's MM-DD-CCYY or MM/DD/CCYY."""
    return datetime.date(int(text[6:10]), int(text[0:2]), int(text[3:5]))


# Options of the library's date reader, one per two-digit-year rule, made on
# first use and never changed: (structure, its address).
_OPTIONS: dict[tuple[Optional[int], Optional[int]], tuple[_library.Options, int]] = {}
# The same by century selector alone (no window), as ctypes pointers for the
# scalar parse's unprototyped call.
_SELECTOR_POINTERS: dict[Optional[int], ctypes.c_void_p] = {}
_RULE_TYPES = (int, type(None))


def _options(century: Optional[int], window: Optional[int]) -> int:
    """The address of the reader's options for a century selector or a window.

    Neither: the current century (selector 0). The keywords TODAY, NOW and
    YESTER.. are read in every case, as the library's exports read them.
    """
    # Only a plain int or None finds a made structure: True and 4.0 compare
    # and hash equal to 1 and 4, and must go through the checks below.
    if type(century) in _RULE_TYPES and type(window) in _RULE_TYPES:
        made = _OPTIONS.get((century, window))
        if made is not None:
            return made[1]
    options = _library.Options(size=ctypes.sizeof(_library.Options), flags=_library.KAL_KEYWORDS)
    if window is not None:
        if century is not None:
            raise ValueError("give a window or a century selector, not both")
        if isinstance(window, bool) or not isinstance(window, int) or not 1000 <= window <= 9900:
            raise ValueError(f"window is the first year of a span of 100, 1000-9900, not {window!r}")
        options.two_digit_years = _library.KAL_YEARS_WINDOW
        options.window_start = window
    else:
        options.two_digit_years = _library.KAL_YEARS_SELECTOR
        options.selector = _check_century(0 if century is None else century)
    # The first made wins: another thread may be reading with it already, so
    # a structure in the table is never replaced (and so never freed).
    made = _OPTIONS.setdefault((century, window), (options, ctypes.addressof(options)))
    if window is None:
        _SELECTOR_POINTERS[century] = ctypes.c_void_p(made[1])
    return made[1]


# One kal_date and one text buffer per thread for the scalar calls: the
# library writes into them while this thread waits (ctypes lets go of the
# GIL), so threads must not share them.
_scratch = threading.local()


def _scratch_date() -> tuple[_library.Date, int, memoryview, ctypes.c_void_p]:
    """This thread's kal_date, its address, its first field (days) as a view,
    and its address as a ctypes pointer."""
    try:
        made: tuple[_library.Date, int, memoryview, ctypes.c_void_p] = _scratch.date
    except AttributeError:
        date = _library.Date()
        days = memoryview(date).cast("B").cast("q")
        address = ctypes.addressof(date)
        made = _scratch.date = (date, address, days, ctypes.c_void_p(address))
    return made


def _scratch_text() -> ctypes.Array[ctypes.c_char]:
    try:
        text: ctypes.Array[ctypes.c_char] = _scratch.text
    except AttributeError:
        text = _scratch.text = _buffer()
    return text


_EPOCH_ORDINAL = datetime.date(1970, 1, 1).toordinal()
_from_ordinal = datetime.date.fromordinal
_kal_parse = _lib.kal_parse
_kal_parse_unprototyped = _library.unprototyped(_lib, "kal_parse")
_kal_format = _lib.kal_format
_CODE_BYTES = {c: c.encode("ascii") for c in CODES + CODES.lower()}


def _read(text: DateLike, options: int) -> Optional[_library.Date]:
    """The library's reading of a text or date (its own date for a datetime.date), or None."""
    kind = type(text)
    if kind is str:
        data = text.encode()  # type: ignore[union-attr]
    elif kind is bytes:
        data = text
    elif isinstance(text, datetime.date) and not _is_missing(text):  # pandas' NaT is a datetime
        data = f"{text.year:04d}-{text.month:02d}-{text.day:02d}".encode("ascii")
        options = _options(None, None)  # a date's year is complete: no selector replaces it
    elif isinstance(text, (str, bytes, bytearray)):
        data = bytes(text) if not isinstance(text, str) else text.encode()
    else:
        raise _not_a_text(text)
    date, address, _, _ = _scratch_date()
    if _kal_parse(data, len(data), options, address) != _library.KAL_OK:
        return None
    return date


def convert(
    text: DateLike,
    code: str = "G",
    century: Optional[int] = None,
    preferred: bool = False,
    *,
    window: Optional[int] = None,
) -> str:
    """The date written in the output format `code` (see CODES).

    >>> convert("12/31/98", "E", century=4)
    '19981231'
    >>> convert("12/31/49", "G", window=1950)
    '2049-12-31'

    With `preferred` the format stored as this machine's preference (kalc
    prefer) replaces `code`. Raises InvalidDate for a text that is no date and
    ValueError for an unknown code, century or window.
    """
    options = _options(century, window)
    if preferred:
        if window is not None:
            raise ValueError("the preferred format is read with a century selector, not a window")
        code_bytes = _check_code(code)
        data, selector = _date_text(text, _check_century(century or 0))
        out = _buffer()
        if _lib.KD_CONVDATE(data, out, code_bytes, 1, selector) != 1:
            raise InvalidDate(text)
        return out.value.decode("ascii")
    code_byte = _check_code(code)
    date = _read(text, options)
    if date is None:
        raise InvalidDate(text)
    out = _scratch_text()
    if _kal_format(date.year, date.month, date.day, code_byte, out, len(out), None) != 0:
        raise InvalidDate(text)
    return out.value.decode("ascii")


def parse(
    text: DateLike, century: Optional[int] = None, *, window: Optional[int] = None
) -> datetime.date:
    """The date a text holds (a datetime.datetime gives its date).

    >>> parse("31-Dec-98", century=4)
    datetime.date(1998, 12, 31)
    >>> parse("31-Dec-49", window=1950)
    datetime.date(2049, 12, 31)
    """
    # The common case, a str with a century selector, inline and through the
    # unprototyped call: this is the path a loop over a column takes, and each
    # Python step on it costs about as much as the library's reading.
    if type(text) is str and window is None:
        options = _SELECTOR_POINTERS.get(century)
        data = text.encode()
        if options is not None and len(data) < 256 and (century is None or type(century) is int):
            try:
                _, _, days, address = _scratch.date
            except AttributeError:
                _, _, days, address = _scratch_date()
            if _kal_parse_unprototyped(data, len(data), options, address) == 0:  # KAL_OK
                return _from_ordinal(days[0] + _EPOCH_ORDINAL)
            raise InvalidDate(text)
    read = _read(text, _options(century, window))
    if read is None:
        raise InvalidDate(text)
    return _from_ordinal(read.days + _EPOCH_ORDINAL)


def is_date(text: DateLike, century: Optional[int] = None, *, window: Optional[int] = None) -> bool:
    """True when the library reads the text as a date (with the century selector or window given)."""
    return _read(text, _options(century, window)) is not None


def _raise_for_invalid(*dates: DateLike) -> None:
    """Raises InvalidDate for the first of the dates that the library does not read."""
    for value in dates:
        if not is_date(value):
            raise InvalidDate(value)


def days_between(first: DateLike, second: DateLike) -> int:
    """Days from the first date to the second: negative when the second is earlier."""
    a, _ = _date_text(first)
    b, _ = _date_text(second)
    days = ctypes.c_int32()
    if _lib.KD_CMPTENUMDAYS(a, b, ctypes.byref(days)) != 1:
        _raise_for_invalid(first, second)
        raise InvalidDate(first)
    return days.value


def add_days(date: DateLike, days: int) -> datetime.date:
    """The date moved by a number of days (negative moves back).

    Raises OverflowError when the result falls outside the years 1000-9999.
    """
    if not -(2**31) <= days < 2**31:
        raise OverflowError(f"{days} days is out of range")
    data, _ = _date_text(date)
    out = _buffer()
    if _lib.KD_CMPTEADATE(days, data, out) != 1:
        _raise_for_invalid(date)
        raise OverflowError(f"{date!r} moved by {days} days falls outside the years 1000-9999")
    return _from_numeric(out.value)


def lapse(start: DateLike, end: DateLike) -> Lapse:
    """The span from start to end in years, months, weeks and days.

    Partial first and last months add up; a span within one month counts its
    days.
    """
    a, _ = _date_text(start)
    b, _ = _date_text(end)
    values = [ctypes.c_int32() for _ in range(5)]
    if _lib.KD_DATELAPSE(a, b, *(ctypes.byref(v) for v in values)) != 1:
        _raise_for_invalid(start, end)
        raise InvalidDate(start)
    years, months, weeks, days, reversed_ = (v.value for v in values)
    return Lapse(years, months, weeks, days, reversed_ == 1)


def weekday(date: DateLike) -> Weekday:
    """The day of the week (Weekday.SUNDAY is 1, Weekday.SATURDAY 7)."""
    data, _ = _date_text(date)
    number = ctypes.c_int32()
    if _lib.KD_NDOW(data, ctypes.byref(number)) != 1:
        raise InvalidDate(date)
    return Weekday(number.value)


def julian(date: DateLike) -> int:
    """The Julian date CCYYDDD: the year and the day of the year (1998365)."""
    data, _ = _date_text(date)
    out = _buffer()
    if _lib.KD_JULIANDATE(data, out) != 1:
        raise InvalidDate(date)
    return int(out.value)


def from_julian(value: Union[int, str]) -> datetime.date:
    """The date of a Julian date CCYYDDD (7 digits, years 1000-9999)."""
    text = str(value)
    if len(text) != 7 or not text.isdigit():
        raise InvalidDate(value)
    out = _buffer()
    if _lib.KD_REVJULIANDATE(text.encode("ascii"), out) != 1:
        raise InvalidDate(value)
    return _from_numeric(out.value)


def is_holiday(date: DateLike) -> Optional[Holiday]:
    """The holiday on a date, or None.

    Only the years built into the library's holiday file have holidays (the
    library adds its key year, the current one by default, when it loads;
    `kalc holidays YEAR` adds others). Raises HolidayFileError when the file
    holds no holiday record.
    """
    data, _ = _date_text(date)
    is_holiday_ = ctypes.c_int32()
    day_off = ctypes.c_int32()
    name = _buffer(_library.HOLIDAY_NAME_BUFFER)
    if _lib.KD_ISTODAYAHOLDY(data, ctypes.byref(is_holiday_), name, ctypes.byref(day_off)) != 1:
        _raise_for_invalid(date)
        raise HolidayFileError("the holiday file holds no holiday record")
    if is_holiday_.value != 1:
        return None
    return Holiday(name.value.decode("latin-1"), day_off.value == 1)


def next_working_day(date: DateLike, n: int = 1, holidays: bool = True) -> datetime.date:
    """The date n working days after a date (the date itself never counts).

    Saturdays and Sundays are skipped, and with `holidays` the holidays on
    which work stops. Raises ValueError for n below 1, HolidayFileError when
    `holidays` is asked for and the holiday file holds no record, and
    OverflowError for a result past the year 9999.
    """
    if isinstance(n, bool) or not isinstance(n, int) or not 1 <= n < 2**31:
        raise ValueError(f"n counts working days forward from 1, not {n!r}")
    data, _ = _date_text(date)
    out = _buffer()
    count = ctypes.c_int32(n)
    if _lib.KD_NXTWRKDAY(data, out, ctypes.byref(count), 1 if holidays else 0) != 1:
        _raise_for_invalid(date)
        if holidays:
            is_holiday(date)  # raises HolidayFileError for a file without records
        raise OverflowError(f"{n} working days after {date!r} is past the year 9999")
    return _from_numeric(out.value)


def daylight_saving(year: Union[int, str]) -> Optional[DaylightSaving]:
    """When daylight saving time begins and ends in a year, in this machine's zone.

    The zone comes from TZ or /etc/localtime. An int is a full year; a text
    may also be two digits (the current century). None when the zone keeps
    no daylight saving time that year.
    """
    if isinstance(year, bool) or not isinstance(year, (int, str)):
        raise TypeError(f"a year is an int or a str, not {type(year).__name__}")
    text = f"{year:04d}" if isinstance(year, int) else year
    if isinstance(year, int) and not 1 <= year <= 9999:
        raise ValueError(f"not a year: {year!r}")
    data = text.encode("utf-8")
    zone = _buffer(_library.ZONE_BUFFER)
    begin, end = _buffer(), _buffer()
    begin_label = _buffer(_library.LABEL_BUFFER)
    end_label = _buffer(_library.LABEL_BUFFER)
    status, same_day = ctypes.c_int32(), ctypes.c_int32()
    if b"\0" in data or len(data) > 7 or _lib.KD_DAYLIGHTSAVINGSTIMES(
        data, zone, ctypes.byref(status), ctypes.byref(same_day), begin, end, begin_label,
        end_label
    ) != 1:
        raise ValueError(f"not a year: {year!r}")
    if not begin.value and not end.value:
        return None
    return DaylightSaving(
        zone.value.decode("latin-1"),
        _from_numeric(begin.value) if begin.value else None,
        _from_numeric(end.value) if end.value else None,
    )


def easter(year: int) -> datetime.date:
    """The date of Western (Gregorian) Easter Sunday of a year (1-9999)."""
    if isinstance(year, bool) or not isinstance(year, int) or not 1 <= year <= 9999:
        raise ValueError(f"not a year: {year!r}")
    month, day = ctypes.c_int32(), ctypes.c_int32()
    _lib.KD_EASTERCALC(year, ctypes.byref(month), ctypes.byref(day))
    return datetime.date(year, month.value, day.value)


# The column functions need NumPy, which is imported when one is called.
from ._columns import convert_many, is_date_many, parse_many  # noqa: E402
