#!/usr/bin/env bash
# Processes killed (SIGKILL) while the library writes its files, and the
# start-up after them. Two rounds:
#   at each call: the LD_PRELOAD shim kills kalc in place of its n-th write,
#     flush, rename, truncation, close and directory flush in turn, for a
#     fresh home, a new key year, a preferred format and a holiday year;
#   at random times: runs of `kalc prefer` are killed at a random moment
#     between their start and the length of a run, until KILLS (default
#     250) were killed before they ended.
# After every kill the three files are each as before or as the command
# would have left them (never torn), and the next start-up leaves no
# temporary file behind. Prints the counts: kills, temporaries left, files
# torn.
#
# usage: kill_test.sh KALC SHIM   (KILLS=n for a longer random round)
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
. "$(dirname "$0")/../e2e/common.sh"
shim=$2
kills_wanted=${KILLS:-250}
export KALCORE_FAULT_PROGRAM=kalc KALCORE_FAULT_DIR=$root
. "$(dirname "$0")/common.sh"

kills=0 left=0 torn=0 stale=0 empty=0
# after_kill BEFORE INTENDED WHAT: checks the files a kill left, then starts
# the library again and counts what it left.
after_kill() {
    local before=$1 intended=$2 what=$3 after file sum
    after=$(files)
    while read -r file sum; do
        local now
        now=$(grep "^$file " <<<"$after")
        # A holiday file is made empty and then filled: a kill between
        # leaves it empty, which the next start-up fills.
        if [[ "$now" == "data/kalcore/Holidayf.Bnf $(md5sum </dev/null | cut -c1-32)" &&
            "$(grep "^$file " <<<"$before")" == "$file missing" ]]; then
            empty=$((empty + 1))
        elif [[ "$now" != "$(grep "^$file " <<<"$before")" && "$now" != "$(grep "^$file " <<<"$intended")" ]]; then
            torn=$((torn + 1))
            fail "$what: $file is neither as before nor as intended"
        fi
    done <<<"$after"
    [[ -n "$(leftovers)" ]] && stale=$((stale + 1))
    at "$noon" "$kalc" check 1/1/99 >/dev/null 2>&1 || fail "$what: the next start-up failed"
    local n
    n=$(leftovers | grep -c . || true)
    if [[ $n -ne 0 ]]; then
        left=$((left + n))
        fail "$what: the next start-up left $n temporary file(s)"
    fi
}

# Round 1: a kill in place of each call of each kind.
kill_case() {
    local name=$1 seed=$2
    shift 2
    local before intended
    prepare_case "$name" "$seed" "$@"
    local fn n
    for fn in write fsync rename ftruncate close dirsync; do
        for ((n = 1; ; n++)); do
            home=$root/$name-kill
            rm -rf "$home"
            cp -a "$root/$name-before" "$home"
            local log=$root/kill.log status=0
            rm -f "$log"
            LD_PRELOAD="$shim" KALCORE_FAULT="$fn:$n:KILL" KALCORE_FAULT_LOG="$log" \
                at "$noon" "$@" >/dev/null 2>&1 || status=$?
            [[ -s "$log" ]] || break
            [[ $status -ne 0 ]] || fail "$name, $fn $n: the run ended well, not killed"
            kills=$((kills + 1))
            after_kill "$before" "$intended" "$name, kill at $fn $n"
        done
    done
}

kill_case startup-empty seed_empty "$kalc" check 1/1/99
kill_case startup-new-year seed_new_year "$kalc" check 1/1/99
kill_case prefer seed_built "$kalc" prefer g
kill_case holidays seed_built "$kalc" holidays 2031
at_calls=$kills

# Round 2: kills at random times into a run of `kalc prefer`, in one home
# that every run goes on from, without a frozen clock.
home=$root/random
mkdir -p "$home"
seed_built
codes=(A B C D E F G H K M Q)
# The kills fall anywhere in a run: a delay of up to the length of one run,
# counted out in iterations of a shell loop (measured here, as machines
# differ).
now_us() { echo $(($(date +%s%N) / 1000)); }
start=$(now_us)
for ((i = 0; i < 20000; i++)); do :; done
loop_us=$(($(now_us) - start))
start=$(now_us)
for _ in 1 2 3 4 5; do
    in_home "$kalc" prefer M >/dev/null
done
run_us=$((($(now_us) - start) / 5))
spins=$((run_us * 20000 / (loop_us > 0 ? loop_us : 1) + 1))
runs=0
while [[ $((kills - at_calls)) -lt $kills_wanted && $runs -lt $((kills_wanted * 4)) ]]; do
    runs=$((runs + 1))
    before=$(files)
    code=${codes[RANDOM % ${#codes[@]}]}
    in_home "$kalc" prefer "$code" >/dev/null 2>&1 &
    pid=$!
    wait_for=$(((RANDOM * 32768 + RANDOM) % spins))
    for ((i = 0; i < wait_for; i++)); do :; done
    kill -KILL "$pid" 2>/dev/null
    status=0
    wait "$pid" 2>/dev/null || status=$?
    [[ $status -eq 137 ]] || continue
    kills=$((kills + 1))
    # The conversion file holds one of the codes, whole; the configuration
    # file its six keys; the holiday file whole records.
    content=$(cat "$home/data/kalcore/DatCvFil.Bnf" 2>/dev/null)
    [[ "$content" =~ ^F[A-Z]XT$ ]] || { torn=$((torn + 1)); fail "random kill $runs: conversion file holds [$content]"; }
    [[ $(grep -cE '^(KalDateLocation|KalDateFile|KalDateHoldy|KeyYearForHolidayFile|KalDateDateIniChgd|KalDateTimeZone)=' "$home/$ini") -eq 6 ]] ||
        { torn=$((torn + 1)); fail "random kill $runs: the configuration file lost keys"; }
    [[ $(($(stat -c %s "$home/data/kalcore/Holidayf.Bnf") % 72)) -eq 0 ]] ||
        { torn=$((torn + 1)); fail "random kill $runs: the holiday file holds a torn record"; }
    [[ -n "$(leftovers)" ]] && stale=$((stale + 1))
    in_home "$kalc" check 1/1/99 >/dev/null 2>&1 || fail "random kill $runs: the next start-up failed"
    n=$(leftovers | grep -c . || true)
    [[ $n -eq 0 ]] || { left=$((left + n)); fail "random kill $runs: $n temporary file(s) left"; }
done
[[ $((kills - at_calls)) -ge $((kills_wanted / 2)) ]] ||
    fail "only $((kills - at_calls)) of $runs random runs were killed before they ended"
# Kills that left a temporary file behind show that the sweep had work.
[[ $stale -gt 0 ]] || fail "no kill left a temporary file for the start-up to remove"

echo "kills: $kills ($at_calls at a call, $((kills - at_calls)) at random times in $runs runs)," \
    "left by a kill: $stale, temporaries left after start-up: $left, files torn: $torn," \
    "holiday files left empty: $empty"
finish "kill"
