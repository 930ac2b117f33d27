#!/usr/bin/env bash
# Times the desktop demo's start on a virtual X server: from starting
# kaldate to its main menu being shown, the splash dismissed at once by a
# synthetic key press. Prints each start, the median of RUNS starts (default
# 10) and the largest peak memory (VmHWM) seen.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-10}
kaldate=${KALDATE:-build/kaldate/kaldate}
[[ -x "$kaldate" ]] || { echo "build the demo first (scripts/run.sh or cmake --build build)"; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

measure='
    times=() peak=0
    for run in $(seq "$RUNS"); do
        start=$(date +%s%N)
        "$KALDATE" >/dev/null 2>&1 &
        pid=$!
        until splash=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) &&
              [[ -n "$splash" ]]; do :; done
        # The key release finds the splash gone already; xdotool says so.
        xdotool key --window "$splash" space 2>/dev/null || true
        until xdotool search --all --onlyvisible --pid "$pid" --name "^The Kalendrix Software Demo\.$" \
              >/dev/null 2>&1
        do :; done
        end=$(date +%s%N)
        memory=$(awk "/VmHWM/ { print \$2 }" "/proc/$pid/status")
        kill "$pid"; wait "$pid" 2>/dev/null || true
        times+=($(((end - start) / 1000000)))
        (( memory > peak )) && peak=$memory
        echo "start $run: ${times[-1]} ms, peak memory $((memory / 1024)) MiB"
    done
    median=$(printf "%s\n" "${times[@]}" | sort -n | awk "{ a[NR] = \$1 } END { print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2) }")
    echo "median of $RUNS starts: $median ms; largest peak memory: $((peak / 1024)) MiB"'
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home" \
    HOLDYPATH= CUPS_SERVER="$home/no-server" RUNS="$runs" KALDATE="$kaldate" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$measure"
