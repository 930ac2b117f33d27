#!/usr/bin/env bash
# System calls per holiday lookup, counted by strace: KD_ISTODAYAHOLDY and
# KD_NXTWRKDAY in a loop make at most one per lookup of the holiday file,
# and an edit of the configuration or holiday file still shows at the next
# call.
#
# usage: lookup_syscalls_test.sh LIBRARY
set -u
library=$1
command -v strace >/dev/null || { echo "strace is missing (scripts/deps.sh installs it)"; exit 1; }
strace -f -o /dev/null true 2>/dev/null || { echo "strace cannot trace here"; exit 77; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
unset HOLDYPATH
lookups=2000
strace -f -qq -o "$home/trace" python3 - "$library" "$lookups" "$home" <<'PY'
import ctypes, os, sys
lib = ctypes.CDLL(sys.argv[1])
n, home = int(sys.argv[2]), sys.argv[3]
holiday, day_off = ctypes.c_int32(), ctypes.c_int32()
name, out = ctypes.create_string_buffer(64), ctypes.create_string_buffer(16)
count = ctypes.c_int32(1)
dates = [b"12/25/2026", b"07/06/2026", b"11/26/2026", b"03/03/2026"]
def look(d):
    lib.KD_ISTODAYAHOLDY(d, ctypes.byref(holiday), name, ctypes.byref(day_off))
    return holiday.value, name.value
look(dates[0])  # start-up and the first reading of both files
marker = os.open("/dev/null", os.O_WRONLY)
os.write(marker, b"start")
for i in range(n // 2):
    look(dates[i % 4])
    lib.KD_NXTWRKDAY(b"12/23/2026", out, ctypes.byref(count), 1)
os.write(marker, b"end")
# An edit shows at the next call: the holiday file named elsewhere, then back.
ini = os.path.join(home, "config", "kalcore", "KalDatFl.Ini")
text = open(ini).read()
assert look(b"12/25/2026") == (1, b"Christmas_Day"), look(b"12/25/2026")
open(ini, "w").write(text.replace("KalDateHoldy=Holidayf.Bnf", "KalDateHoldy=None.Bnf"))
assert look(b"12/25/2026") == (0, b""), "an edit of the configuration file was not seen"
open(ini, "w").write(text)
assert look(b"12/25/2026") == (1, b"Christmas_Day")
hol = os.path.join(home, "data", "kalcore", "Holidayf.Bnf")
with open(hol, "r+b") as f:  # Christmas 2026 becomes 24 December, in place
    data = bytearray(f.read())
    for i in range(0, len(data), 72):
        if data[i:i+8] == bytes([12, 0, 0, 0, 25, 0, 0, 0]) and data[i+12] == 26:
            data[i+4] = 24
    f.seek(0); f.write(data)
assert look(b"12/25/2026") == (0, b""), "an edit of the holiday file was not seen"
print("ok")
PY
status=$?
[[ $status -eq 0 ]] || { echo "FAIL: the lookups or edits went wrong"; exit 1; }
calls=$(awk '/write\(.*"start"/ { on = 1; next } /write\(.*"end"/ { on = 0 } on' "$home/trace" | wc -l)
echo "$calls system calls in $lookups lookups"
if [[ $calls -gt $lookups ]]; then
    echo "FAIL: more than one system call per lookup:"
    awk '/write\(.*"start"/ { on = 1; next } /write\(.*"end"/ { on = 0 } on' "$home/trace" |
        sed 's/(.*//; s/^[0-9]* *//' | sort | uniq -c
    exit 1
fi
echo "all lookup system-call checks passed"
