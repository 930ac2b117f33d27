#!/usr/bin/env bash
# Builds the release benchmarks and reports medians of repeated runs.
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
    --benchmark_report_aggregates_only=true "$@" | grep -E "Benchmark|---|_median"
build-bench/bench/kalcore_load_bench build-bench/kalcore/libkalcore.so "${LOAD_SAMPLES:-50}"
