#!/usr/bin/env bash
# End-to-end checks of the kalc front end: output, exit status, stdin mode.
set -u
kalc=$1
failures=0

expect() {  # expect STATUS OUTPUT -- ARGS...
    local want_status=$1 want_out=$2
    shift 3
    local out status
    out=$("$kalc" "$@" 2>/dev/null)
    status=$?
    if [[ $status -ne $want_status || "$out" != "$want_out" ]]; then
        printf 'FAIL: kalc %s\n  want status %s output [%s]\n  got  status %s output [%s]\n' \
            "$*" "$want_status" "$want_out" "$status" "$out"
        failures=$((failures + 1))
    fi
}

expect 0 "Dec/31/1998" -- check "12/31/1998"
expect 0 "Jul/04/1998" -- check "1998-07-04"
expect 1 "" -- check "02/30/1998"
expect 0 "19980704" -- convert "07/04/1998" E
expect 0 "1998-07-04" -- convert "Jul-4-98" G --century 4
expect 0 "12/31/2098" -- convert "12/31/1998" B --century=5
expect 0 "25/12/1998" -- convert "12/25/1998" "{"
expect 0 "12/31/1998" -- convert "Dec/31/1998"
expect 1 "" -- convert "07/04/1998" 0
expect 2 "" -- convert "07/04/1998" E --century 12
expect 2 "" -- frobnicate
expect 2 "" --

expect 0 "365" -- days 01/01/1999 01/01/2000
expect 0 "-366" -- days 2001-01-01 Jan/01/2000
expect 1 "" -- days 02/30/1999 01/01/2000
expect 0 "01/01/2000" -- add 1 12/31/1999
expect 0 "02/29/2000" -- add -1 03/01/2000
expect 1 "" -- add 1 12/31/9999
expect 2 "" -- add x 12/31/1999
expect 2 "" -- add 99999999999 12/31/1999
expect 0 "$(date -d yesterday +%m/%d/%Y)" -- convert YESTER B

expect 0 "0 years 1 months 3 weeks 6 days" -- lapse 01/15/2000 03/10/2000
expect 0 "0 years -1 months -3 weeks -6 days (end before start)" -- lapse 03/10/2000 01/15/2000
expect 0 "yes" -- between 01/01/1999 06/15/1999 12/31/1999
expect 1 "no" -- between 01/01/1999 01/01/1999 12/31/1999
expect 2 "" -- between 01/01/1999 bad 12/31/1999
expect 0 "1998365" -- julian 12/31/1998
expect 0 "02-29-2000" -- calendar 2000060
expect 1 "" -- calendar 1999366

expect 0 "Saturday, July/04/1998" -- format 07/04/1998 K
expect 0 "Sat, Jul/04/1998" -- format 07/04/1998 k --abbr-month --abbr-day
expect 0 "Tuesday, July/14/1998" -- format 07/14/1998 "#"
expect 1 "" -- format 02/30/1998 K
expect 2 "" -- format 07/04/1998 K --bogus
expect 0 "inside the forward window" -- window 06/15/1998 5 06/15/2003
expect 1 "outside the window" -- window 06/15/1998 -5 06/16/1998
expect 0 "inside the backward window" -- window 06/15/1998 -5 06/15/1993
expect 1 "outside the window" -- window 06/15/1998 0 06/15/1998
expect 2 "" -- window 13/45/1998 5 06/15/2003
expect 2 "" -- window 06/15/1998 x 06/15/2003
expect 1 "" -- now 0
expect 0 $'day 29\nmonth 2 February\nyear 00\ncentury 20\nfull year 2000\nday of week 3 Tuesday\nweek of month 4\nleap year yes\njulian 2000060\nserial 730559' -- info 02/29/2000
expect 1 "" -- info 02/30/2000

# TODAY is today's date as the local clock gives it.
expect 0 "$(date +%m/%d/%Y)" -- convert TODAY B

# One date per line from standard input; a bad line gives an empty line and
# a failing exit status at the end.
out=$(printf '12/31/98\nnot a date\r\n7Sep1999\n1998/25/12' | "$kalc" convert - E --century 4)
status=$?
want=$'19981231\n\n19990907\n19981225'
if [[ $status -ne 1 || "$out" != "$want" ]]; then
    printf 'FAIL: convert - : status %s output [%s]\n' "$status" "$out"
    failures=$((failures + 1))
fi
out=$(printf '01/02/03\n' | "$kalc" convert - K --century 5)
if [[ $? -ne 0 || "$out" != "Jan/02/2003" ]]; then
    printf 'FAIL: convert - single line: [%s]\n' "$out"
    failures=$((failures + 1))
fi

if ! "$kalc" --help | grep -q "convert - \[CODE\]"; then
    echo "FAIL: --help does not document convert -"
    failures=$((failures + 1))
fi

if [[ $failures -ne 0 ]]; then
    echo "$failures kalc checks failed"
    exit 1
fi
echo "kalc checks passed"
