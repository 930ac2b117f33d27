#!/usr/bin/env bash
# Faults while the library writes its files: with an LD_PRELOAD shim, each
# write, fsync, rename, ftruncate, close, read and fsync of a directory
# (dirsync) of a run fails in turn
# (ENOSPC and EIO, reads EIO; an EINTR of a read, write or truncation must
# change nothing). After every fault the
# configuration file, the conversion file and the holiday file are each as
# before or as intended, never anything else; what the command reported
# matches what the file holds; no temporary file is left; and a second run
# without the fault ends where a run without any fault ends.
#
# usage: fault_test.sh KALC SHIM
# The homes live in memory where it can be had: hundreds of runs flush files.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
. "$(dirname "$0")/../e2e/common.sh"
shim=$2
export KALCORE_FAULT_PROGRAM=kalc KALCORE_FAULT_DIR=$root

. "$(dirname "$0")/common.sh"

seed_torn() {  # and the last record torn: start-up cuts it and adds 2022
    seed_new_year
    truncate -s -30 "$home/data/kalcore/Holidayf.Bnf"
}

runs=0
declare -A made  # faults made, by call
# check_case NAME SEED TARGET COMMAND...: TARGET is the file whose change
# the command's exit status reports ("" when the status is not about a file).
check_case() {
    local name=$1 seed=$2 target=$3
    shift 3
    local before intended
    prepare_case "$name" "$seed" "$@"
    [[ "$before" != "$intended" ]] || fail "$name: the command changes nothing"
    local fn err n
    for fn in write fsync rename ftruncate close read dirsync; do
        # Reads, writes and truncations may be interrupted, and are tried again.
        local errors="ENOSPC EIO"
        [[ $fn == read || $fn == dirsync ]] && errors="EIO"
        [[ $fn == fsync || $fn == rename || $fn == close ]] || errors+=" EINTR"
        for err in $errors; do
            for ((n = 1; ; n++)); do
                home=$root/$name-fault
                rm -rf "$home"
                cp -a "$root/$name-before" "$home"
                local log=$root/fault.log status=0
                rm -f "$log"
                LD_PRELOAD="$shim" KALCORE_FAULT="$fn:$n:$err" KALCORE_FAULT_LOG="$log" \
                    at "$noon" "$@" >/dev/null 2>&1 || status=$?
                [[ -s "$log" ]] || break  # the run had no such call left
                runs=$((runs + 1))
                made[$fn]=$((${made[$fn]:-0} + 1))
                local what="$name, $fn $n $err" after
                after=$(files)
                while read -r file sum; do
                    local was now
                    was=$(grep "^$file " <<<"$before")
                    now=$(grep "^$file " <<<"$after")
                    [[ "$now" == "$was" || "$now" == "$(grep "^$file " <<<"$intended")" ]] ||
                        fail "$what: $file is neither as before nor as intended"
                done <<<"$after"
                if [[ "$err" == EINTR ]]; then
                    [[ "$after" == "$intended" ]] || fail "$what: an interrupted call changed the outcome"
                fi
                if [[ -n "$target" ]]; then
                    local stored=no
                    [[ "$(grep "^$target " <<<"$after")" == "$(grep "^$target " <<<"$intended")" ]] && stored=yes
                    # A directory that could not be flushed leaves the new
                    # file in place but unsure to survive a power cut: that
                    # is reported as a failure.
                    [[ ($status -eq 0 && $stored == yes) || ($status -ne 0 && $stored == no) ||
                        ($status -ne 0 && $fn == dirsync) ]] ||
                        fail "$what: exit status $status, data stored: $stored"
                fi
                [[ -z "$(leftovers)" ]] || fail "$what: left $(leftovers)"
                # The next run without the fault completes the work.
                at "$noon" "$@" >/dev/null 2>&1
                [[ "$(files)" == "$intended" ]] || fail "$what: the next run did not complete it"
            done
        done
    done
}

check_case startup-empty seed_empty "" "$kalc" check 1/1/99
check_case startup-new-year seed_new_year "" "$kalc" check 1/1/99
check_case startup-torn seed_torn "" "$kalc" check 1/1/99
check_case prefer seed_built data/kalcore/DatCvFil.Bnf "$kalc" prefer g
check_case holidays seed_built data/kalcore/Holidayf.Bnf "$kalc" holidays 2031
for fn in write fsync rename ftruncate close read dirsync; do
    [[ ${made[$fn]:-0} -gt 0 ]] || fail "no $fn failed in any case"
done
echo "$runs runs with a fault: ${made[*]@K}"

# A start-up opens the configuration file once and replaces it at most once,
# and not at all when nothing in it changes.
trace=$root/trace
for case in "fresh:0:1" "warm:1:1" "unchanged:1:0"; do
    IFS=: read -r name opens renames <<<"$case"
    home=$root/trace-$name
    mkdir -p "$home"
    [[ $name == fresh ]] || at "2026-12-06 11:00:00" "$kalc" check 1/1/99 >/dev/null
    [[ $name != unchanged ]] || at "$noon" "$kalc" check 1/1/99 >/dev/null
    rm -f "$trace"
    LD_PRELOAD="$shim" KALCORE_TRACE="$trace" at "$noon" "$kalc" check 1/1/99 >/dev/null
    expect_eq "$name start-up: opens of the configuration file" \
        "$(grep -c '^open .*/KalDatFl.Ini$' "$trace")" "$opens"
    expect_eq "$name start-up: replacements of it" \
        "$(grep -c '^rename .* .*/KalDatFl.Ini$' "$trace")" "$renames"
done

# Every replacement and every new file is followed by a flush of its
# directory before the command ends: a power cut after it reported success
# cannot bring the old file back.
home=$root/trace-sync
mkdir -p "$home"
rm -f "$trace"
LD_PRELOAD="$shim" KALCORE_TRACE="$trace" at "$noon" "$kalc" check 1/1/99 >/dev/null
LD_PRELOAD="$shim" KALCORE_TRACE="$trace" at "$noon" "$kalc" prefer h >/dev/null
# Each rename or new data file (a link of its temporary file), and whether a
# flush of its directory came after it.
synced=$(awk '
    /^(rename|link) / { n = split($3, p, "/"); dir = substr($3, 1, length($3) - length(p[n]) - 1)
                 pending[dir] = pending[dir] " " $3; next }
    /^dirsync / { delete pending[$2]; next }
    END { for (d in pending) print "unsynced:" pending[d] }' "$trace")
expect_eq "renames without a later flush of their directory" "$synced" ""
expect_eq "replacements traced" "$(grep -c '^rename ' "$trace")" 3
expect_eq "the directory flushed after the holiday file's creation" \
    "$(awk '/^link .*\/Holidayf.Bnf$/ { made = 1; next }
            made && /^dirsync / { print $2; exit }' "$trace")" "$home/data/kalcore"
LD_PRELOAD="$shim" KALCORE_FAULT=dirsync:1:EIO KALCORE_FAULT_DIR="$home" at "$noon" "$kalc" prefer q \
    >/dev/null 2>&1 && fail "prefer reported success when its directory could not be flushed"

finish "fault"
