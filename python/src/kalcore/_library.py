"""Loading libkalcore and declaring the exports this package calls.

The library is looked for, in order: the file named by the environment
variable KALCORE_LIBRARY; libkalcore.so.3 in this package's own directory;
the system's libkalcore.so.3 (the dynamic loader's search path). Only the
exports the Python surface uses are declared, each with the argument and
result types of kalcore.h and kalcore/dates.h.
"""

from __future__ import annotations

import ctypes
import os
import sys
from pathlib import Path
from typing import Any

# Buffer sizes from kalcore.h: a date or short text (12 bytes: at most 11
# characters and the terminator), a holiday name, the zone text and the
# daylight-saving labels.
DATE_BUFFER = 12
HOLIDAY_NAME_BUFFER = 29
ZONE_BUFFER = 75
LABEL_BUFFER = 24

if sys.platform == "win32":
    LIBRARY_NAME = "kalcore.dll"
    # 32-bit kalcore.dll uses stdcall; on 64-bit Windows WinDLL is the one
    # convention there is.
    _Loader = ctypes.WinDLL
else:
    LIBRARY_NAME = "libkalcore.so.3"
    _Loader = ctypes.CDLL

_i16 = ctypes.c_int16
_i32 = ctypes.c_int32
_p32 = ctypes.POINTER(ctypes.c_int32)
_text = ctypes.c_char_p
_size = ctypes.c_size_t
_address = ctypes.c_void_p

# From kalcore/dates.h: status values, the two-digit-year policies, the
# keyword flag and "no date" in days since 1970-01-01.
KAL_OK = 0
KAL_NO_DATE = 1
KAL_E_CODE = -3
KAL_YEARS_WINDOW = 0
KAL_YEARS_SELECTOR = 2
KAL_KEYWORDS = 1
KAL_NAT = -(2**63)


class Options(ctypes.Structure):
    """kal_options: how two-digit years are placed, and whether keywords are read."""

    _fields_ = [
        ("size", ctypes.c_uint32),
        ("two_digit_years", ctypes.c_int32),
        ("window_start", ctypes.c_int32),
        ("century", ctypes.c_int32),
        ("selector", ctypes.c_int32),
        ("flags", ctypes.c_uint32),
    ]


class Date(ctypes.Structure):
    """kal_date: a date read from a text."""

    _fields_ = [
        ("days", ctypes.c_int64),
        ("year", ctypes.c_int32),
        ("month", ctypes.c_int32),
        ("day", ctypes.c_int32),
        ("layout", ctypes.c_int32),
        ("century_given", ctypes.c_int32),
        ("reserved", ctypes.c_int32),
    ]


# name: (result type, argument types)
_PROTOTYPES = {
    "KD_CONVDATE": (_i32, [_text, _text, _text, _i32, _i32]),
    "KD_CMPTENUMDAYS": (_i32, [_text, _text, _p32]),
    "KD_CMPTEADATE": (_i16, [_i32, _text, _text]),
    "KD_DATELAPSE": (_i32, [_text, _text, _p32, _p32, _p32, _p32, _p32]),
    "KD_NDOW": (_i32, [_text, _p32]),
    "KD_JULIANDATE": (_i32, [_text, _text]),
    "KD_REVJULIANDATE": (_i16, [_text, _text]),
    "KD_NXTWRKDAY": (_i16, [_text, _text, _p32, _i32]),
    "KD_ISTODAYAHOLDY": (_i16, [_text, _p32, _text, _p32]),
    "KD_DAYLIGHTSAVINGSTIMES": (_i16, [_text, _text, _p32, _p32, _text, _text, _text, _text]),
    "KD_EASTERCALC": (_i16, [_i32, _p32, _p32]),
    # Options and outputs go as addresses: a caller keeps the structures and
    # arrays alive, and an address crosses ctypes faster than a byref.
    "kal_parse": (_i32, [_text, _size, _address, _address]),
    "kal_format": (_i32, [_i32, _i32, _i32, ctypes.c_char, _text, _size, _address]),
    "kal_format_width": (_i32, [ctypes.c_char]),
    "kal_parse_many": (ctypes.c_int64, [_address, _address, _size, _address, _address, _address]),
    "kal_parse_many_fixed": (
        ctypes.c_int64,
        [_address, _size, _size, _size, ctypes.c_ssize_t, _address, _address, _address],
    ),
    "kal_format_many": (
        ctypes.c_int64,
        [_address, _size, ctypes.c_char, _address, _size, _size, ctypes.c_ssize_t],
    ),
}


def _candidates() -> list[str]:
    override = os.environ.get("KALCORE_LIBRARY")
    if override:
        return [override]
    beside = Path(__file__).resolve().with_name(LIBRARY_NAME)
    found = [str(beside)] if beside.is_file() else []
    return found + [LIBRARY_NAME]


def unprototyped(library: ctypes.CDLL, name: str) -> Any:
    """A second handle on an export, without argument types: ctypes then passes
    bytes as char*, an int as a C int (widened to the register) and a ctypes
    instance as itself, skipping the per-argument converters that cost about a
    third of a short call. Callers pass only those kinds, and ints in 0..2**31-1."""
    function = library[name]
    function.restype = _i32
    return function


def load() -> ctypes.CDLL:
    """Loads the library and declares its exports; OSError when it is not found."""
    tried = []
    for candidate in _candidates():
        try:
            library = _Loader(candidate)
        except OSError as error:
            tried.append(f"{candidate}: {error}")
            continue
        try:
            for name, (result, arguments) in _PROTOTYPES.items():
                function = getattr(library, name)
                function.restype = result
                function.argtypes = arguments
        except AttributeError:
            # An older library, without the exports this package calls.
            tried.append(f"{candidate}: no {name} (a library older than this package)")
            continue
        return library
    raise OSError(
        "kalcore: cannot load the kalcore library (set KALCORE_LIBRARY to its file); tried "
        + "; ".join(tried)
    )
