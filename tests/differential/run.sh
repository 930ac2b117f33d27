#!/usr/bin/env bash
# Compares every export of this tree's library with the library as commit
# REFERENCE left it (default 0782cc7, the library before its numeric core):
# builds that library in build-reference/ (scripts/reference_library.sh),
# then runs the differential harness under several frozen clocks and time
# zones, each in a scratch home whose holiday file holds a range of years.
# Any difference fails the run.
#
# usage: tests/differential/run.sh BUILD COMPARISONS [SEED]
#   BUILD        a release build of this tree (kalcore/libkalcore.so,
#                tests/kalcore_differential, tools/kalc/kalc)
#   COMPARISONS  comparisons in all, shared among the clocks and zones
# A clone without the reference commit skips the comparison.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "$1" && pwd)
total=$2
seed=${3:-1}
command -v faketime >/dev/null || { echo "faketime is missing (scripts/deps.sh installs it)"; exit 1; }
status=0
before=$(scripts/reference_library.sh) || status=$?
if [[ $status -eq 3 ]]; then
    echo "differential: skipped, commit ${REFERENCE:-0782cc7} is not in this clone"
    exit 0
fi
[[ $status -eq 0 ]] || exit "$status"
after=$build/kalcore/libkalcore.so.3

# Local times, each frozen, and the zones they are read in: leap days, the
# turn of a century, a day whose YESTER keywords leave the years a date
# text holds, and a century whose two-digit years read as 24xx.
runs=(
    "2026-12-06 18:40:05|America/New_York"
    "2000-02-29 10:11:12|Europe/London"
    "2000-03-01 00:00:01|Australia/Sydney"
    "1999-12-31 23:59:59|Asia/Jerusalem"
    "2100-03-01 12:00:00|EST5EDT,M3.2.0,M11.1.0"
    "1970-01-01 12:30:00|UTC"
    "1000-01-03 13:14:15|America/Santiago"
    "2400-02-29 07:07:07|<+0545>-5:45"
)
per_run=$(((total + ${#runs[@]} - 1) / ${#runs[@]}))
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
sums=$root/sums
: >"$sums"
status=0
i=0
for run in "${runs[@]}"; do
    IFS='|' read -r clock zone <<<"$run"
    home=$root/home$i
    mkdir -p "$home"
    at() {
        env -u DISPLAY -u WAYLAND_DISPLAY -u HOLDYPATH HOME="$home" \
            XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" TZ="$zone" \
            faketime -f "$clock" "$@"
    }
    # Holidays of the years most dates fall in (the harness only reads them).
    for year in 1998 1999 2000 2001 2020 2021 2026 2027 2099 2100; do
        at "$build/tools/kalc/kalc" holidays "$year" >/dev/null 2>&1 || true
    done
    echo "== $clock, TZ=$zone: $per_run comparisons"
    out=$root/out$i
    if ! at "$build/tests/kalcore_differential" "$before" "$after" "$per_run" "$((seed + i))" \
        >"$out"; then
        status=1
        grep -A2 '^DIFFERENCE' "$out" | head -n 30
    fi
    grep -v '^DIFFERENCE\|^  ' "$out" >>"$sums"
    i=$((i + 1))
done
echo "== comparisons per export, all runs"
awk '{ n[$1] += $2; if (!($1 in order)) { order[$1] = ++k; names[k] = $1 } }
     END { for (j = 1; j <= k; j++) printf "%-26s %12d\n", names[j], n[names[j]] }' "$sums"
exit $status
