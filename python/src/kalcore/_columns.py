"""Whole columns of dates in one library call: parse_many, convert_many, is_date_many.

These need NumPy (imported when one of them is called, so that the rest of
the package works without it); pandas Series are taken and given back when
pandas is installed. A NumPy array of dtype U or S goes to the library as it
lies in memory; lists, tuples and object arrays are first copied by NumPy
into an S array (a U array where a str is not ASCII), which reads a str as
it is, a bytes item byte by byte and anything else as its str(). Missing
values (None, NaN, pd.NA, NaT) are no dates.
"""

from __future__ import annotations

import functools
from typing import Any, Optional, Tuple

from . import _library

# The layouts that have no format code of their own (kalcore/dates.h), by
# the number the library gives them.
_FORMS = {
    1: "M-D-YY",
    2: "M/D/YY",
    3: "M-DD-YY",
    4: "M/DD/YY",
    5: "MM-D-YY",
    6: "MM/D/YY",
    7: "D-mmm-YY",
    8: "D/mmm/YY",
    9: "DmmmYY",
    10: "mmm-D-YY",
    11: "mmm/D/YY",
    12: "keyword",
}

_ERRORS = ("coerce", "raise")

Column = Any  # a list, tuple, NumPy array or pandas Series of texts


def _numpy() -> Any:
    try:
        import numpy
    except ImportError:
        raise ImportError(
            "kalcore.parse_many, convert_many and is_date_many need NumPy "
            "(Debian: python3-numpy; pip: numpy); kalcore.parse and the other "
            "functions of one date work without it"
        ) from None
    return numpy


def _pandas_series(values: object) -> Any:
    """pandas.Series when `values` is one (pandas is then imported already), else None."""
    import sys

    pandas = sys.modules.get("pandas")
    if pandas is not None and isinstance(values, pandas.Series):
        return pandas
    return None


@functools.lru_cache(maxsize=None)
def _layout_names(np: Any) -> Any:
    """A U array that maps each layout number of the library to its name ('' for no date).

    Made once; the output-only codes among CODES are never a layout read."""
    from . import CODES

    names = np.zeros(256, dtype="U8")
    for code in CODES:
        names[ord(code)] = code
    for number, form in _FORMS.items():
        names[number] = form
    names.flags.writeable = False
    return names


class _Texts:
    """A column: a fixed-width block the library reads as it lies (NumPy U and
    S arrays), or the objects of anything else, and the shape of the result."""

    def __init__(self, np: Any, values: Column) -> None:
        self.objects: Optional[Any] = None
        self.block: Optional[Any] = None
        if isinstance(values, (str, bytes)):
            raise TypeError("parse_many reads a column of texts; parse reads one text")
        if isinstance(values, np.ndarray) and values.dtype.kind in "US":
            block = values
            if block.dtype.kind == "U" and not block.dtype.isnative:
                block = block.astype(block.dtype.newbyteorder("="))
            self.shape = block.shape
            # One dimension with a stride the library can step by; other
            # shapes are flattened (copied only when they must be).
            self.block = block.reshape(-1) if block.ndim != 1 else block
            self.size = len(self.block)
        elif isinstance(values, np.ndarray) and values.dtype.kind != "O":
            raise TypeError(f"parse_many reads texts, not an array of {values.dtype}")
        else:
            if isinstance(values, np.ndarray):
                objects = values
            else:
                objects = np.empty(len(values), dtype=object)
                objects[:] = values
            self.shape = objects.shape
            self.objects = objects.reshape(-1)
            self.size = len(self.objects)

    def item(self, position: int) -> object:
        if self.objects is not None:
            return self.objects[position]
        assert self.block is not None
        return self.block[position].item()


# Widths in characters of the blocks that objects are copied into: room for
# the longest layout (11) and a blank; what fills a block is copied again,
# wider, and what fills that too is read on its own.
_OBJECT_WIDTHS = (12, 64)


def _fixed_block(np: Any, objects: Any, width: int) -> Any:
    """Objects as a fixed-width block: S (a str as ASCII, bytes as they are)
    where every str is ASCII, else U (bytes read as Latin-1, one character a
    byte, as the library reads a text's bytes). Anything else is its str()."""
    try:
        return objects.astype(f"S{width}")
    except UnicodeEncodeError:
        pass
    try:
        return objects.astype(f"U{width}")
    except UnicodeDecodeError:
        latin = [v.decode("latin-1") if isinstance(v, (bytes, bytearray)) else v for v in objects]
        return np.array(latin, dtype=object).astype(f"U{width}")


def _parse_block(np: Any, block: Any, options: int, days: Any, layouts: Optional[Any]) -> int:
    """kal_parse_many_fixed over a one-dimensional U or S block; the count of dates."""
    from . import _lib

    char_size = 4 if block.dtype.kind == "U" else 1
    n = len(block)
    count = _lib.kal_parse_many_fixed(
        block.ctypes.data if n else days.ctypes.data,
        n,
        char_size,
        block.dtype.itemsize // char_size,
        block.strides[0] if n else 0,
        options,
        days.ctypes.data,
        layouts.ctypes.data if layouts is not None else None,
    )
    if count < 0:
        raise RuntimeError(f"kalcore: the library refused the column (status {count})")
    return int(count)


def _parse_objects(
    np: Any, objects: Any, options: int, days: Any, layouts: Optional[Any], depth: int = 0
) -> int:
    """Objects read through blocks of _OBJECT_WIDTHS; the count of dates."""
    width = _OBJECT_WIDTHS[depth]
    block = _fixed_block(np, objects, width)
    count = _parse_block(np, block, options, days, layouts)
    unit = np.uint32 if block.dtype.kind == "U" else np.uint8
    cut = np.flatnonzero(block.view(unit).reshape(len(block), width)[:, -1]) if len(block) else []
    if len(cut) == 0:
        return count
    # Items that filled their slot may have been cut short: read them again whole.
    count -= int(np.count_nonzero(days[cut] != _library.KAL_NAT))
    again = np.empty(len(cut), dtype=np.int64)
    again_layouts = np.empty(len(cut), dtype=np.uint8) if layouts is not None else None
    if depth + 1 < len(_OBJECT_WIDTHS):
        count += _parse_objects(np, objects[cut], options, again, again_layouts, depth + 1)
    else:
        count += _parse_each(objects[cut], options, again, again_layouts)
    days[cut] = again
    if layouts is not None:
        layouts[cut] = again_layouts
    return count


def _parse_each(objects: Any, options: int, days: Any, layouts: Optional[Any]) -> int:
    """Long items one by one, whole; the count of dates."""
    from . import _read as read_one

    count = 0
    for i, value in enumerate(objects):
        date = read_one(value, options) if isinstance(value, (str, bytes)) else None
        days[i] = date.days if date is not None else _library.KAL_NAT
        if layouts is not None:
            layouts[i] = date.layout if date is not None else 0
        count += date is not None
    return count


def _read(
    values: Column, window: Optional[int], century: Optional[int], want_layouts: bool
) -> Tuple[Any, Any, Optional[Any], _Texts, int]:
    """(numpy, days, layouts or None, texts, count of dates) of a column."""
    from . import _options

    np = _numpy()
    pandas = _pandas_series(values)
    if pandas is not None and isinstance(values.dtype, pandas.CategoricalDtype):
        # Each category is read once, then spread by the codes (-1: missing).
        _, found, found_layouts, _, _ = _read(
            values.cat.categories.to_numpy(dtype=object), window, century, want_layouts
        )
        codes = values.cat.codes.to_numpy()
        days = np.where(codes >= 0, found[codes], _library.KAL_NAT)
        layouts = None
        if found_layouts is not None:
            layouts = np.where(codes >= 0, found_layouts[codes], 0).astype(np.uint8)
        texts = _Texts(np, values.to_numpy(dtype=object))
        return np, days, layouts, texts, int(np.count_nonzero(days != _library.KAL_NAT))
    if pandas is not None:
        values = values.to_numpy(dtype=object)
    options = _options(century, window)
    texts = _Texts(np, values)
    days = np.empty(texts.size, dtype=np.int64)
    layouts = np.empty(texts.size, dtype=np.uint8) if want_layouts else None
    if texts.block is not None:
        count = _parse_block(np, texts.block, options, days, layouts)
    else:
        count = _parse_objects(np, texts.objects, options, days, layouts)
    return np, days, layouts, texts, count


def _check_errors(errors: str) -> None:
    if errors not in _ERRORS:
        raise ValueError(f'errors is "coerce" or "raise", not {errors!r}')


def _raise_first(np: Any, days: Any, texts: _Texts) -> None:
    from . import InvalidDate

    position = int(np.flatnonzero(days == _library.KAL_NAT)[0])
    raise InvalidDate(texts.item(position), position)


# Days since 1970 that a pandas datetime64[ns] can hold (1677-09-22 to 2262-04-11).
_NS_DAYS = (-106751, 106750)
_NS_PER_DAY = 86_400 * 10**9


def _as_series(pandas: Any, np: Any, days: Any, like: Any, errors: str, texts: _Texts) -> Any:
    """Days as a datetime64[ns] Series with the index of `like`.

    A date outside what nanoseconds hold (before 1677 or after 2262) is NaT,
    as pandas' own to_datetime(errors="coerce") makes it, or an error under
    errors="raise".
    """
    outside = (days < _NS_DAYS[0]) | (days > _NS_DAYS[1])
    outside &= days != _library.KAL_NAT
    if outside.any():
        if errors == "raise":
            position = int(np.flatnonzero(outside)[0])
            raise OverflowError(
                f"{texts.item(position)!r} at position {position} is a date a pandas Series of "
                "datetime64[ns] cannot hold (1677-2262); parse_many of the values' NumPy "
                "array gives datetime64[D]"
            )
        days = np.where(outside, _library.KAL_NAT, days)
    nanoseconds = np.where(days == _library.KAL_NAT, _library.KAL_NAT, days * _NS_PER_DAY)
    return pandas.Series(nanoseconds.view("datetime64[ns]"), index=like.index, name=like.name)


def parse_many(
    values: Column,
    *,
    window: Optional[int] = None,
    century: Optional[int] = None,
    errors: str = "coerce",
    layouts: bool = False,
) -> Any:
    """The dates of a column of texts, read in one call to the library.

    `values`: a list or tuple of str, bytes and missing values, a NumPy array
    of dtype U, S or object, or a pandas Series of texts. Returns a NumPy
    array of datetime64[D] in the shape of `values`, NaT where no date is (a
    missing value, or a text that is no date); for a Series a Series of
    datetime64[ns] with the same index and name.

    `window=1950` puts two-digit years into 1950-2049 and leaves four-digit
    years alone; `century` is the selector of the other functions (0, the
    default, the current century; 1-9 the centuries 16-24, four-digit years
    too). The keywords TODAY, NOW and YESTER.. are read as `parse` reads them.

    errors="raise" raises InvalidDate naming the first item that is no date
    (missing values too) and its position. layouts=True returns the pair
    (dates, layouts): layouts holds for each item the format code it was read
    in ('B' for MM/DD/CCYY), the pattern of a form without a code
    ('M/D/YY'), 'keyword', or '' for no date.
    """
    _check_errors(errors)
    pandas = _pandas_series(values)
    np, days, layout_numbers, texts, count = _read(values, window, century, layouts)
    if errors == "raise" and count < len(days):
        _raise_first(np, days, texts)
    if pandas is not None:
        result = _as_series(pandas, np, days, values, errors, texts)
    else:
        result = days.view("datetime64[D]").reshape(texts.shape)
    if not layouts:
        return result
    names = _layout_names(np)[layout_numbers]
    if pandas is not None:
        return result, pandas.Series(names, index=values.index, name=values.name)
    return result, names.reshape(texts.shape)


def is_date_many(
    values: Column, *, window: Optional[int] = None, century: Optional[int] = None
) -> Any:
    """A bool array (a bool Series for a Series): True where the library reads a date."""
    pandas = _pandas_series(values)
    np, days, _, texts, _ = _read(values, window, century, False)
    found = (days != _library.KAL_NAT).reshape(texts.shape)
    if pandas is not None:
        return pandas.Series(found, index=values.index, name=values.name)
    return found


def convert_many(
    values: Column,
    code: str = "G",
    *,
    window: Optional[int] = None,
    century: Optional[int] = None,
    errors: str = "coerce",
) -> Any:
    """The dates of a column written in the output format `code`, in one call each way.

    Returns a NumPy U array in the shape of `values` with '' where no date
    is, or for a Series a Series of str with None there. Arguments as
    parse_many.
    """
    from . import _check_code, _lib

    _check_errors(errors)
    code_byte = _check_code(code)
    pandas = _pandas_series(values)
    np, days, _, texts, count = _read(values, window, century, False)
    if errors == "raise" and count < len(days):
        _raise_first(np, days, texts)
    width = int(_lib.kal_format_width(code_byte))
    out = np.zeros(len(days), dtype=f"U{width}")
    written = _lib.kal_format_many(
        days.ctypes.data, len(days), code_byte, out.ctypes.data if len(days) else days.ctypes.data,
        4, width, 4 * width,
    )
    if written < 0:
        raise RuntimeError(f"kalcore: the library refused to write the column (status {written})")
    out = out.reshape(texts.shape)
    if pandas is not None:
        objects = out.astype(object)
        objects[days == _library.KAL_NAT] = None
        return pandas.Series(objects, index=values.index, name=values.name)
    return out

