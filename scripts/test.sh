#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: a release build, a
# build under AddressSanitizer + UndefinedBehaviorSanitizer, and the fuzzer
# for FUZZ_SECONDS (default 60; 0 skips it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}

echo "== release build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs" | tee build/ctest.log
release_count=$(grep -oE 'out of [0-9]+' build/ctest.log | tail -n 1 | grep -oE '[0-9]+')

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALCORE_SANITIZE=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" | tee build-asan/ctest.log
asan_count=$(grep -oE 'out of [0-9]+' build-asan/ctest.log | tail -n 1 | grep -oE '[0-9]+')

if [[ "$fuzz_seconds" -gt 0 ]]; then
    echo "== fuzzing the date exports for ${fuzz_seconds}s"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKALCORE_BUILD_FUZZ=ON -DKALCORE_BUILD_TESTS=OFF -DKALCORE_BUILD_TOOLS=OFF >/dev/null
    cmake --build build-fuzz
    corpus=$(mktemp -d)
    cp fuzz/corpus/* "$corpus/"
    build-fuzz/fuzz/kalcore_fuzz_dates -max_total_time="$fuzz_seconds" -max_len=64 \
        -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
    rm -rf "$corpus"
    echo "== fuzzing the time-zone rules for $((fuzz_seconds / 3 + 1))s"
    corpus=$(mktemp -d)
    cp fuzz/zone_corpus/* "$corpus/"
    build-fuzz/fuzz/kalcore_fuzz_zone_rules -max_total_time=$((fuzz_seconds / 3 + 1)) \
        -max_len=300 -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
    rm -rf "$corpus"
fi
echo "release build: ${release_count} tests, sanitizer build: ${asan_count} tests"
echo "tests: $((release_count + asan_count)) passed, 0 failed"
