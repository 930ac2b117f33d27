#!/usr/bin/env bash
# Times every export of this tree's library and of the library before its
# numeric core (scripts/reference_library.sh) side by side in one run, and
# prints per export the median time of a call of each and their ratio.
#
# Where a process's code, data and stack land (address-space randomisation)
# moves small exports by several percent either way, for both builds alike
# but not by the same amount. So the comparison runs in PROCESSES fresh
# processes (default 5); per export the table gives the medians of the
# processes' medians and the median of their ratios.
#
# usage: [PROCESSES=n] scripts/bench_compare.sh [ROUNDS] [MILLISECONDS] [EXPORT...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALCORE_BUILD_BENCH=ON \
    -DKALCORE_BUILD_TESTS=OFF -DKALCORE_BUILD_DEMO=OFF >/dev/null
cmake --build build-bench
before=$(scripts/reference_library.sh)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for _ in $(seq "${PROCESSES:-5}"); do
    env -u DISPLAY -u WAYLAND_DISPLAY -u HOLDYPATH HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_DATA_HOME="$home/data" TZ=America/New_York \
        build-bench/bench/kalcore_bench_compare "$before" build-bench/kalcore/libkalcore.so.3 "$@"
done | python3 -c '
import statistics, sys
rows = {}
for line in sys.stdin:
    fields = line.rsplit(None, 3)
    if len(fields) == 4 and fields[0] != "export":
        try:
            values = [float(f) for f in fields[1:]]
        except ValueError:
            continue
        rows.setdefault(fields[0], []).append(values)
print("%-24s %12s %12s %8s %s" % ("export", "before ns", "after ns", "ratio", "(lowest-highest ratio)"))
worst = 0
for name, runs in rows.items():
    before, after, ratio = (statistics.median(column) for column in zip(*runs))
    ratios = [run[2] for run in runs]
    worst = max(worst, ratio)
    print("%-24s %12.1f %12.1f %8.3f (%.3f-%.3f)" % (name, before, after, ratio, min(ratios), max(ratios)))
print("highest ratio %.3f" % worst)
'
