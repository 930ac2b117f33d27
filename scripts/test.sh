#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: a release build
# (with the desktop demo, whose screens are then pictured under Xvfb and the
# pictures checked), a build under AddressSanitizer +
# UndefinedBehaviorSanitizer, the thread test under ThreadSanitizer, and the
# fuzzers (the date exports for FUZZ_SECONDS, default 60, 0 skips them; the
# kal_ interface for half as long, the zone rules for a third) from their
# corpora and the fixed seed FUZZ_SEED (default 1), so that a failing run can
# be repeated;
# kalcore.dll for 32-bit and 64-bit Windows, checked and run under Wine
# (WINDOWS=0 skips that part); and every export compared with the library
# before its numeric core (DIFFERENTIAL_COMPARISONS, default 400000).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
windows=${WINDOWS:-1}
[[ "$windows" -eq 1 ]] && scripts/deps-windows.sh
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}
fuzz_seed=${FUZZ_SEED:-1}

echo "== release build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs" -E '^windows_' | tee build/ctest.log
release_count=$(grep -oE 'out of [0-9]+' build/ctest.log | tail -n 1 | grep -oE '[0-9]+')

echo "== screenshots of the demo"
screenshots_start=$(date +%s)
scripts/screenshots.sh
echo "screenshots: $(($(date +%s) - screenshots_start))s"

windows_count=0
if [[ "$windows" -eq 1 ]]; then
    echo "== Windows DLL (MinGW-w64, Wine)"
    windows_start=$(date +%s)
    # One throwaway Wine prefix and a persistent wineserver for all Wine tests,
    # headless. The 64-bit loader boots it where 32-bit programs cannot run.
    WINEPREFIX=$(mktemp -d /tmp/kalcore-wine.XXXXXX)
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
    # The Wine tests run in a zone with daylight saving; the other stages keep
    # the caller's zone.
    tz_before=${TZ-unset}
    export TZ=${TZ:-America/New_York}
    trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
    boot=/usr/lib/wine/wine
    "$boot" --version >/dev/null 2>&1 || boot=/usr/lib/wine/wine64
    wineserver -p
    (unset DISPLAY WAYLAND_DISPLAY; WINELOADER=$boot "$boot" cmd /c exit) >/dev/null 2>&1 || true
    ctest --test-dir build --output-on-failure -j "$jobs" -R '^windows_' | tee build/ctest-windows.log
    windows_count=$(grep -oE 'out of [0-9]+' build/ctest-windows.log | tail -n 1 | grep -oE '[0-9]+')
    windows_skipped=$(grep -c '\*\*\*Skipped' build/ctest-windows.log || true)
    windows_count=$((windows_count - windows_skipped))
    [[ "$windows_skipped" -gt 0 ]] && echo "skipped here: $(grep '\*\*\*Skipped' build/ctest-windows.log | awk '{print $4}' | tr '\n' ' ')"
    wineserver -k >/dev/null 2>&1 || true
    echo "Windows part: $(($(date +%s) - windows_start))s"
    if [[ "$tz_before" == unset ]]; then unset TZ; else export TZ=$tz_before; fi
fi

echo "== every export against the library before its numeric core (differential)"
differential_start=$(date +%s)
tests/differential/run.sh build "${DIFFERENTIAL_COMPARISONS:-400000}"
echo "differential part: $(($(date +%s) - differential_start))s"

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALCORE_SANITIZE=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" | tee build-asan/ctest.log
asan_count=$(grep -oE 'out of [0-9]+' build-asan/ctest.log | tail -n 1 | grep -oE '[0-9]+')

echo "== thread sanitizer: every export from eight threads"
tsan_start=$(date +%s)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALCORE_SANITIZE_THREAD=ON \
    -DKALCORE_BUILD_TOOLS=OFF -DKALCORE_BUILD_DEMO=OFF >/dev/null
cmake --build build-tsan --target kalcore_thread_test
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/tests/kalcore_thread_test
echo "thread sanitizer part: $(($(date +%s) - tsan_start))s"

if [[ "$fuzz_seconds" -gt 0 ]]; then
    echo "== fuzzing the date exports for ${fuzz_seconds}s from seed ${fuzz_seed}"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKALCORE_BUILD_FUZZ=ON -DKALCORE_BUILD_TESTS=OFF -DKALCORE_BUILD_TOOLS=OFF \
        -DKALCORE_BUILD_DEMO=OFF >/dev/null
    cmake --build build-fuzz
    # fuzz TARGET CORPUS SECONDS MAX_LEN: a run from a copy of the corpus.
    fuzz() {
        local corpus
        corpus=$(mktemp -d)
        cp "fuzz/$2"/* "$corpus/"
        "build-fuzz/fuzz/$1" -seed="$fuzz_seed" -max_total_time="$3" -max_len="$4" \
            -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
        rm -rf "$corpus"
    }
    fuzz kalcore_fuzz_dates corpus "$fuzz_seconds" 64
    echo "== fuzzing the kal_ interface for $((fuzz_seconds / 2 + 1))s from seed ${fuzz_seed}"
    fuzz kalcore_fuzz_dates_api dates_api_corpus $((fuzz_seconds / 2 + 1)) 256
    echo "== fuzzing the time-zone rules for $((fuzz_seconds / 3 + 1))s from seed ${fuzz_seed}"
    fuzz kalcore_fuzz_zone_rules zone_corpus $((fuzz_seconds / 3 + 1)) 300
fi
echo "release build: ${release_count} tests, Windows DLL: ${windows_count} tests," \
    "sanitizer build: ${asan_count} tests, thread sanitizer: 1 test"
echo "tests: $((release_count + windows_count + asan_count + 1)) passed, 0 failed"
