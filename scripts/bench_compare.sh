#!/usr/bin/env bash
# Times every export of this tree's library and of the library before its
# numeric core (scripts/reference_library.sh) side by side in one run, and
# prints per export the median time of a call of each and their ratio.
#
# usage: scripts/bench_compare.sh [ROUNDS] [MILLISECONDS] [EXPORT...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALCORE_BUILD_BENCH=ON \
    -DKALCORE_BUILD_TESTS=OFF -DKALCORE_BUILD_DEMO=OFF >/dev/null
cmake --build build-bench
before=$(scripts/reference_library.sh)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u HOLDYPATH HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" TZ=America/New_York \
    build-bench/bench/kalcore_bench_compare "$before" build-bench/kalcore/libkalcore.so.3 "$@"
