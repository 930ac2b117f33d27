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

# Working days without the holiday file, Easter, daylight saving.
expect 0 "12-20-2021" -- nextwork 12/17/2021 1
expect 0 "12-23-2021" -- nextwork 12/20/2021 -3
expect 0 "12-21-2021" -- nextwork 12/20/2021 0
expect 1 "" -- nextwork 02/30/2021 1
expect 2 "" -- nextwork 12/20/2021 x
expect 2 "" -- nextwork 12/20/2021 1 --bogus
expect 0 "04/05/2026" -- easter 2026
expect 0 "03/22/1818" -- easter 1818
expect 2 "" -- easter 0
expect 2 "" -- easter 20x6
# Both names alike: the same text in standard and in daylight time.
TZ="EST5EST,M3.2.0,M11.1.0" expect 0 $'GMT -05:00 EST\nDayLight Savings Begins 03-08-2026\nDayLight Savings Ends   11-01-2026' -- dst 2026
TZ="<+0545>-5:45" expect 0 "no daylight saving time" -- dst 2026
expect 1 "" -- dst abc
expect 2 "" -- holiday 02/30/2021
expect 2 "" -- holidays notayear

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

# Exact texts: nothing after the date, on the command line or on a line.
expect 1 "" -- convert "12/31/1998 10:30" G
expect 1 "" -- convert "12/31/1998x" G
expect 0 "1998-12-31" -- convert "  12/31/1998  " G
# A window places two-digit years; four-digit years stay; keywords still read.
expect 0 "2049-12-31" -- convert "12/31/49" G --window 1950
expect 0 "1950-12-31" -- convert "Dec/31/50" G --window=1950
expect 0 "1929-12-31" -- convert "12/31/29" G --window 1900
expect 0 "1949-12-31" -- convert "12/31/1949" G --window 1950
expect 0 "$(date +%m/%d/%Y)" -- convert TODAY B --window 1930
expect 2 "" -- convert "12/31/49" G --window 999
expect 2 "" -- convert "12/31/49" G --window 9901
expect 2 "" -- convert "12/31/49" G --window
expect 2 "" -- convert "12/31/49" G --window 1950 --century 4

# More lines than one batch, with bad ones among them: every line gives one
# line, in order.
out=$(for i in $(seq 1 5000); do
    if ((i % 1000 == 500)); then echo "12/31/1998 10:30"; else printf '%02d/01/%02d\n' $((i % 12 + 1)) $((i % 100)); fi
done | "$kalc" convert - G --window 1950)
status=$?
lines=$(wc -l <<<"$out")
if [[ $status -ne 1 || $lines -ne 5000 || $(grep -c '^$' <<<"$out") -ne 5 ||
      "$(sed -n 1p <<<"$out")" != "2001-02-01" || "$(sed -n 4999p <<<"$out")" != "1999-08-01" ||
      "$(sed -n 4949p <<<"$out")" != "2049-06-01" || "$(sed -n 51p <<<"$out")" != "1951-04-01" ]]; then
    printf 'FAIL: convert - in batches: status %s, %s lines\n' "$status" "$lines"
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
