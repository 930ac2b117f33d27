#!/usr/bin/env python3
"""Daylight-saving dates of KD_DAYLIGHTSAVINGSTIMES against Python's zoneinfo.

For each zone below and each year from 1970 to 2045 the library is asked,
through TZ, for the dates on which daylight time begins and ends; zoneinfo,
reading the same compiled zone files independently, gives the changes of
daylight time (dst() turning on or off), found by sampling every six hours
and narrowing each change down to the second. A change's date is its local
date in the time in force before it.

Every zone-year with exactly one change into and one out of daylight time
must give the same two dates. The other zone-years (none, or several changes
of a kind) are held to the first change of each kind, an empty date where
there is none.

Usage: dst_zoneinfo.py LIBKALCORE [--verbose]
Exit status 0 when everything agrees, 1 otherwise, 77 when the zone files
are not installed.
"""
import ctypes
import datetime
import os
import sys
import tempfile
import time
import zoneinfo

ZONES = [
    "America/New_York", "America/Chicago", "America/Denver", "America/Los_Angeles",
    "America/Anchorage", "America/Halifax", "America/St_Johns", "America/Havana",
    "America/Mexico_City", "America/Nuuk", "America/Santiago", "America/Asuncion",
    "America/Sao_Paulo", "Europe/London", "Europe/Dublin", "Europe/Berlin", "Europe/Lisbon",
    "Europe/Athens", "Europe/Moscow", "Asia/Jerusalem", "Asia/Tehran", "Africa/Cairo",
    "Australia/Sydney", "Australia/Adelaide", "Australia/Lord_Howe", "Pacific/Auckland",
    "Pacific/Chatham",
]
# 2038 on: years after the zone files' tables, from their footers.
FIRST_YEAR, LAST_YEAR = 1970, 2045
UTC = datetime.timezone.utc
STEP = 6 * 3600


def daylight(tz, timestamp):
    return bool(datetime.datetime.fromtimestamp(timestamp, tz).dst())


def zoneinfo_changes(name):
    """{year: ([begin dates], [end dates])} as MM-DD-CCYY, in time order."""
    tz = zoneinfo.ZoneInfo(name)
    changes = {year: ([], []) for year in range(FIRST_YEAR, LAST_YEAR + 1)}
    start = int(datetime.datetime(FIRST_YEAR - 1, 12, 1, tzinfo=UTC).timestamp())
    stop = int(datetime.datetime(LAST_YEAR + 1, 2, 1, tzinfo=UTC).timestamp())
    before = daylight(tz, start)
    t = start
    while t < stop:
        after = daylight(tz, t + STEP)
        if after != before:
            low, high = t, t + STEP  # daylight(low) == before, daylight(high) == after
            while high - low > 1:
                middle = (low + high) // 2
                if daylight(tz, middle) == before:
                    low = middle
                else:
                    high = middle
            offset = datetime.datetime.fromtimestamp(low, tz).utcoffset()
            local = datetime.datetime.fromtimestamp(high, UTC) + offset
            if local.year in changes:
                changes[local.year][0 if after else 1].append(local.strftime("%m-%d-%Y"))
            before = after
        t += STEP
    return changes


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    verbose = "--verbose" in sys.argv[2:]
    try:
        for name in ZONES:
            zoneinfo.ZoneInfo(name)
    except zoneinfo.ZoneInfoNotFoundError as error:
        print(f"skipped: {error}")
        return 77

    # Loading the library runs its start-up, which writes its files: in a
    # scratch home.
    home = tempfile.mkdtemp(prefix="kalcore-dst-")
    os.environ.update(HOME=home, XDG_CONFIG_HOME=home + "/config",
                      XDG_DATA_HOME=home + "/data", HOLDYPATH="")
    lib = ctypes.CDLL(os.path.abspath(sys.argv[1]))
    call = lib.KD_DAYLIGHTSAVINGSTIMES
    call.restype = ctypes.c_int16
    zone, begin, end = (ctypes.create_string_buffer(n) for n in (75, 12, 12))
    labels = [ctypes.create_string_buffer(24) for _ in range(2)]
    status, same = ctypes.c_int32(), ctypes.c_int32()

    def library_dates(name, year):
        os.environ["TZ"] = name
        if call(str(year).encode(), zone, ctypes.byref(status), ctypes.byref(same), begin, end,
                *labels) != 1 or status.value != 1:
            return ("failed", "failed")
        return (begin.value.decode(), end.value.decode())

    started = time.monotonic()
    single = single_agree = other = other_agree = 0
    differences = []
    for name in ZONES:
        expected = zoneinfo_changes(name)
        for year in range(FIRST_YEAR, LAST_YEAR + 1):
            begins, ends = expected[year]
            want = (begins[0] if begins else "", ends[0] if ends else "")
            got = library_dates(name, year)
            one_period = len(begins) == 1 and len(ends) == 1
            single += one_period
            other += not one_period
            if got == want:
                single_agree += one_period
                other_agree += not one_period
            else:
                differences.append(f"{name} {year}: kalcore {got}, zoneinfo {begins} / {ends}")
            if verbose:
                print(f"{name} {year}: {got[0] or '-'} {got[1] or '-'}"
                      f"{'' if one_period else '  (' + str(len(begins)) + '/' + str(len(ends)) + ')'}")
    for line in differences:
        print("DIFFERS", line)
    print(f"{len(ZONES)} zones, {FIRST_YEAR}-{LAST_YEAR}: "
          f"{single_agree} of {single} zone-years with one period of daylight time agree; "
          f"{other_agree} of {other} other zone-years agree on the first change of each kind "
          f"({time.monotonic() - started:.1f}s)")
    return 0 if not differences else 1


if __name__ == "__main__":
    sys.exit(main())
