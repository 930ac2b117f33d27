#!/usr/bin/env bash
# Builds the release benchmarks and reports medians of repeated runs, then
# the table of the date conversions per layout against strptime + strftime
# (with a "before" column when BASELINE_LIB names the directory of an earlier
# build's libkalcore.so.3).
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALCORE_BUILD_BENCH=ON \
    -DKALCORE_BUILD_TESTS=OFF -DKALCORE_BUILD_DEMO=OFF >/dev/null
cmake --build build-bench
# The library's start-up writes its configuration and builds the current
# year's holidays: in a scratch home, not the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" HOLDYPATH= \
    build-bench/bench/kalcore_bench --benchmark_repetitions="${REPETITIONS:-9}" \
    --benchmark_filter=-Layout/ --benchmark_report_aggregates_only=true "$@" |
    grep -E "Benchmark|---|_median" | tee "$home/medians"
# The holiday test against one day count of the same run, and the system
# calls of a holiday lookup (strace).
awk '/^BM_HolidayBaselineDayCount_median/ { base = $2 } /^BM_IsTodayAHoliday_median/ { test = $2 }
     END { if (base > 0 && test > 0) printf "KD_ISTODAYAHOLDY / KD_CMPTENUMDAYS: %.1fx\n", test / base }' \
    "$home/medians"
tests/e2e/lookup_syscalls_test.sh build-bench/kalcore/libkalcore.so.3 | grep "system calls" || true
build-bench/bench/kalcore_load_bench build-bench/kalcore/libkalcore.so "${LOAD_SAMPLES:-50}"
scripts/bench_layouts.py build-bench/bench/kalcore_bench ${BASELINE_LIB:+--baseline "$BASELINE_LIB"}
