#!/usr/bin/env bash
# Builds the release benchmarks and reports medians of repeated runs.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALCORE_BUILD_BENCH=ON \
    -DKALCORE_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench
build-bench/bench/kalcore_bench --benchmark_repetitions="${REPETITIONS:-9}" \
    --benchmark_report_aggregates_only=true "$@" | grep -E "Benchmark|---|_median"
