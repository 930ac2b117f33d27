#!/usr/bin/env bash
# A real file system that fills up under the library: the data home and the
# configuration home on small tmpfs mounts of a private mount namespace. A
# holiday year that no longer fits leaves the file as it was and kalc says
# so; a preferred format that cannot be stored keeps the old one; a
# configuration file that cannot be replaced stays whole; and once there is
# room again the next start-up builds the year. Skipped (77) where mounting
# is not allowed.
#
# usage: full_disk_test.sh KALC
set -u
if [[ "${KALCORE_IN_NAMESPACE:-}" != 1 ]]; then
    # A mount namespace of our own: as root, or as a user mapped to root.
    for flags in -m -rm; do
        if unshare $flags sh -c 'd=$(mktemp -d) || exit 1; mount -t tmpfs -o size=64k tmpfs "$d"
                r=$?; umount "$d" 2>/dev/null; rmdir "$d"; exit $r' 2>/dev/null; then
            KALCORE_IN_NAMESPACE=1 exec unshare $flags "$0" "$@"
        fi
    done
    echo "mounting a small file system is not allowed here: skipped"
    exit 77
fi

. "$(dirname "$0")/../e2e/common.sh"
noon="2026-12-06 12:00:00"

home=$root/home
mkdir -p "$home/config" "$home/data"
mount -t tmpfs -o size=64k tmpfs "$home/data" || exit 77
mount -t tmpfs -o size=8k tmpfs "$home/config" || exit 77
ini=$home/config/kalcore/KalDatFl.Ini
data=$home/data/kalcore
holidays=$data/Holidayf.Bnf

# Fills what is left of a file system with a file named `fill`.
fill() {
    dd if=/dev/zero of="$1/fill" bs=4096 2>/dev/null || true
    dd if=/dev/zero of="$1/fill-tail" bs=1 2>/dev/null || true
}
unfill() {
    rm -f "$1/fill" "$1/fill-tail"
}

at "$noon" "$kalc" check 1/1/99 >/dev/null
[[ -s "$holidays" ]] || fail "no holiday file was built"
# Years until the last page of the holiday file has room for fewer records
# than a year brings: the next year is written only in part by the system.
year=2000
while (($(stat -c %s "$holidays") % 4096 < 4096 - 10 * 72)); do
    at "$noon" "$kalc" holidays $year >/dev/null 2>&1 || fail "holidays $year with room"
    year=$((year + 1))
done
fill "$home/data"
cp "$holidays" "$root/holidays.before"
cp "$data/DatCvFil.Bnf" "$root/conversion.before"

# A year that does not fit: exit 1, the file as it was.
message=$(at "$noon" "$kalc" holidays 2031 2>&1 >/dev/null)
status=$?
expect_eq "holidays on a full disk: status" "$status" 1
expect_eq "holidays on a full disk: message" "$message" \
    "kalc: cannot write the holiday file $holidays; it keeps what it held"
cmp -s "$holidays" "$root/holidays.before" || fail "holiday file changed on a full disk"
expect_eq "no 2031 holiday" "$(at "$noon" "$kalc" holiday 12/25/2031)" "no holiday"

# A preferred format that cannot be stored: exit 1, the old one stays.
at "$noon" "$kalc" prefer g >/dev/null 2>&1
expect_eq "prefer on a full disk: status" "$?" 1
cmp -s "$data/DatCvFil.Bnf" "$root/conversion.before" || fail "conversion file changed on a full disk"

# A key year that start-up cannot build: nothing half written, and the
# next start-up with room builds it.
sed -i 's/^KeyYearForHolidayFile=.*/KeyYearForHolidayFile=2032/' "$ini"
expect_eq "key year on a full disk" "$(at "$noon" "$kalc" holiday 12/24/2032)" "no holiday"
cmp -s "$holidays" "$root/holidays.before" || fail "holiday file changed by start-up on a full disk"
expect_eq "no temporary files left" "$(ls -A "$data" | grep -vx -e DatCvFil.Bnf -e Holidayf.Bnf -e fill -e fill-tail)" ""
unfill "$home/data"
expect_eq "key year built with room" "$(at "$noon" "$kalc" holiday 12/24/2032)" \
    "Christmas_Day - Observed. (day off)"
at "$noon" "$kalc" holidays 2031 >/dev/null 2>&1
expect_eq "holidays with room: status" "$?" 0
expect_eq "2031 holiday" "$(at "$noon" "$kalc" holiday 12/25/2031)" "Christmas_Day (day off)"
expect_eq "whole records only" "$(($(stat -c %s "$holidays") % 72))" 0

# A configuration file that cannot be replaced stays whole, and the library
# works on from what it holds.
cp "$ini" "$root/ini.before"
fill "$home/config"
expect_eq "check with a full configuration home" \
    "$(at "2026-12-07 09:30:00" "$kalc" check 12/31/98)" "Dec/31/2098"
cmp -s "$ini" "$root/ini.before" || fail "configuration file changed on a full disk"
expect_eq "lookup with a full configuration home" \
    "$(at "2026-12-07 09:30:00" "$kalc" holiday 12/24/2032)" "Christmas_Day - Observed. (day off)"
unfill "$home/config"
at "2026-12-07 09:30:00" "$kalc" check 12/31/98 >/dev/null
expect_eq "stamp written with room" "$(key KalDateDateIniChgd)" "<Dec/07/2026, 09:30:00 AM>"

umount "$home/config" "$home/data"
finish "full-disk"
