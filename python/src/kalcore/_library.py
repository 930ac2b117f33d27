"""Loading libkalcore and declaring the exports this package calls.

The library is looked for, in order: the file named by the environment
variable KALCORE_LIBRARY; libkalcore.so.3 in this package's own directory;
the system's libkalcore.so.3 (the dynamic loader's search path). Only the
exports the Python surface uses are declared, each with the argument and
result types of kalcore.h.
"""

from __future__ import annotations

import ctypes
import os
import sys
from pathlib import Path

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
}


def _candidates() -> list[str]:
    override = os.environ.get("KALCORE_LIBRARY")
    if override:
        return [override]
    beside = Path(__file__).resolve().with_name(LIBRARY_NAME)
    found = [str(beside)] if beside.is_file() else []
    return found + [LIBRARY_NAME]


def load() -> ctypes.CDLL:
    """Loads the library and declares its exports; OSError when it is not found."""
    tried = []
    for candidate in _candidates():
        try:
            library = _Loader(candidate)
        except OSError as error:
            tried.append(f"{candidate}: {error}")
            continue
        for name, (result, arguments) in _PROTOTYPES.items():
            function = getattr(library, name)
            function.restype = result
            function.argtypes = arguments
        return library
    raise OSError(
        "kalcore: cannot load the kalcore library (set KALCORE_LIBRARY to its file); tried "
        + "; ".join(tried)
    )
