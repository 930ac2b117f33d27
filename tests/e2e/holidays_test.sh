#!/usr/bin/env bash
# End to end: the holiday file that start-up builds for the key year, the
# holiday and working-day commands on it, processes starting at the same
# moment, a torn file, and the time zone text, in fresh homes with the clock
# fixed by faketime.
. "$(dirname "$0")/common.sh"

# new_home NAME [KEYYEAR]: a fresh home, with a stored key year when given;
# sets $home, $ini and $holidays.
new_home() {
    home=$root/$1
    mkdir -p "$home/config/kalcore"
    ini=$home/config/kalcore/KalDatFl.Ini
    holidays=$home/data/kalcore/Holidayf.Bnf
    [[ $# -lt 2 ]] || printf '[KalDateSoft]\nKeyYearForHolidayFile=%s\n' "$2" >"$ini"
}

size() {
    stat -c %s "$1" 2>/dev/null || echo missing
}

# Every record's identity (month, day, century, year, holiday year), one a
# line, in file order.
identities() {
    od -A n -t d4 -v -w72 "$1" | awk '{ print $1, $2, $3, $4, $NF }'
}

noon="2026-12-06 12:00:00"

# First load: the current year's holidays, 13 records of 72 bytes.
new_home first
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "current year built" "$(size "$holidays")" "$((13 * 72))"
expect_eq "current year lookup" "$(at "$noon" "$kalc" holiday 07/03/2026)" \
    "Independence_Day - Observed. (day off)"
expect_eq "thanksgiving" "$(at "$noon" "$kalc" holiday 11/26/2026)" "Thanksgiving_Day (day off)"
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "loading again writes nothing" "$(size "$holidays")" "$((13 * 72))"

# Key year 2021: the observed Christmas is a day off, Christmas Eve is not
# written, Election Day is a working day.
new_home y2021 2021
while IFS='|' read -r date want; do
    expect_eq "holiday $date" "$(at "$noon" "$kalc" holiday "$date")" "$want"
done <<'ROWS'
12/24/2021|Christmas_Day - Observed. (day off)
12/25/2021|Christmas_Day (working day)
07/04/2021|Independence_Day (working day)
07/05/2021|Independence_Day - Observed. (day off)
05/31/2021|Memorial_Day (day off)
11/02/2021|Election_Day (working day)
12/31/2021|New Years Eve (working day)
12/23/2021|no holiday
ROWS
expect_eq "built for 2021" "$(size "$holidays")" "$((13 * 72))"
expect_eq "key year kept" "$(key KeyYearForHolidayFile)" "2021"
while IFS='|' read -r date count flag want; do
    expect_eq "nextwork $date $count $flag" "$(at "$noon" "$kalc" nextwork "$date" "$count" $flag)" \
        "$want"
done <<'ROWS'
12/23/2021|1|--holidays|12-27-2021
12/23/2021|1||12-24-2021
12/23/2021|-2|--holidays|12-28-2021
11/24/2021|0|--holidays|11-26-2021
11/01/2021|1|--holidays|11-02-2021
12/17/2021|1|--holidays|12-20-2021
12/18/2021|1||12-20-2021
ROWS

# Key year 2022 next to 2021: the New Year observed on 31 December 2021
# belongs to holiday year 2022; that day off wins over 2021's New Years Eve.
sed -i 's/^KeyYearForHolidayFile=.*/KeyYearForHolidayFile=2022/' "$ini"
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "2022 added" "$(size "$holidays")" "$(((13 + 14) * 72))"
expect_eq "observed new year of 2022" "$(at "$noon" "$kalc" holiday 12/31/2021)" \
    "New_Years_Day - Observed. (day off)"
expect_eq "observed new year skipped" "$(at "$noon" "$kalc" nextwork 12/30/2021 1 --holidays)" \
    "01-03-2022"
expect_eq "new year 2022" "$(at "$noon" "$kalc" holiday 01/01/2022)" "New_Years_Day (working day)"
expect_eq "election day on the 1st" "$(at "$noon" "$kalc" holiday 11/01/2022)" \
    "Election_Day (working day)"
expect_eq "no duplicate identities" "$(identities "$holidays" | sort | uniq -d)" ""
expect_eq "listing 2022" "$(at "$noon" "$kalc" holidays 2022 2>/dev/null | head -n 2)" \
    $'12/31/2021  New_Years_Day - Observed.     day off\n01/01/2022  New_Years_Day                 working day'
expect_eq "listing adds nothing twice" "$(at "$noon" "$kalc" holidays 2022 2>&1 >/dev/null)" \
    "$holidays: 0 records added"
expect_eq "listing a new year" "$(at "$noon" "$kalc" holidays 2030 2>/dev/null | wc -l)" "13"

# Every Friday 31 December of 2000-2040: the next year's observed New Year is
# a day off with that year alone built, and with both years built.
for year in 2004 2010 2021 2027 2032 2038; do
    next=$((year + 1))
    new_home "observed$year"
    at "$noon" "$kalc" holidays "$next" >/dev/null 2>&1
    for built in "$next" "$next and $year"; do
        expect_eq "$built built: holiday 12/31/$year" "$(at "$noon" "$kalc" holiday 12/31/$year)" \
            "New_Years_Day - Observed. (day off)"
        expect_eq "$built built: nextwork 12/30/$year" \
            "$(at "$noon" "$kalc" nextwork 12/30/$year 1 --holidays)" "01-03-$next"
        at "$noon" "$kalc" holidays "$year" >/dev/null 2>&1
    done
done

# Processes that start at the same moment build the key year once. Records
# of other years in front (a New Year's Day for each of the years 1-1999)
# make every search long, so that the builds would overlap.
filler=$((1999 * 72))
for attempt in 1 2 3; do
    new_home "race$attempt" 2021
    mkdir -p "$home/data/kalcore"
    perl -e 'print pack("l<6 a44 l<", 1, 1, int($_ / 100), $_ % 100, 1, 13, "New_Years_Day", $_)
        for 1 .. 1999' >"$holidays"
    pids=()
    for _ in 1 2 3 4 5 6 7 8; do
        at "$noon" "$kalc" check 1/1/99 >/dev/null &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || fail "race $attempt: a process failed"; done
    expect_eq "race $attempt: size" "$(size "$holidays")" "$((filler + 13 * 72))"
    expect_eq "race $attempt: duplicates" "$(identities "$holidays" | sort | uniq -d)" ""
done

# A torn holiday file: the lookup reads its whole records, and the next
# start-up cuts the torn tail and writes the missing records aligned.
new_home torn 2021
at "$noon" "$kalc" check 1/1/99 >/dev/null
want_ids=$(identities "$holidays")
truncate -s $((13 * 72 - 30)) "$holidays"
expect_eq "torn file repaired" "$(at "$noon" "$kalc" holiday 11/02/2021)" \
    "Election_Day (working day)"
expect_eq "repaired size" "$(size "$holidays")" "$((13 * 72))"
expect_eq "repaired records" "$(identities "$holidays")" "$want_ids"
cp "$holidays" "$home/whole"
head -c 50 "$home/whole" >"$holidays"
expect_eq "a torn first record" "$(at "$noon" "$kalc" holiday 12/24/2021)" \
    "Christmas_Day - Observed. (day off)"
expect_eq "rebuilt size" "$(size "$holidays")" "$((13 * 72))"

# A file that is no holiday file (a mistyped KalDateHoldy naming a user's
# file, or a link to one): no holidays, and the file stays byte for byte.
for content in "Remember the milk" "$(head -c 200 /dev/urandom | od -A n -t x1 | tr -d ' \n')"; do
    new_home foreign 2021
    mkdir -p "$home/data/kalcore"
    printf '%s' "$content" >"$home/notes.txt"
    ln -s "$home/notes.txt" "$holidays"
    expect_eq "foreign lookup" "$(at "$noon" "$kalc" holiday 12/24/2021)" "no holiday"
    expect_eq "foreign nextwork" "$(at "$noon" "$kalc" nextwork 12/23/2021 1 --holidays)" \
        "12-24-2021"
    expect_eq "foreign listing refused" "$(at "$noon" "$kalc" holidays 2021 2>&1 >/dev/null; echo $?)" \
        "kalc: $holidays is no holiday file; it is left as it is"$'\n'"1"
    expect_eq "foreign file kept" "$(cat "$home/notes.txt")" "$content"
    rm -rf "$home"
done

# A directory in the holiday file's place: no holidays, nothing fails.
new_home blocked 2021
mkdir -p "$holidays"
expect_eq "blocked lookup" "$(at "$noon" "$kalc" holiday 12/24/2021)" "no holiday"
expect_eq "blocked nextwork" "$(at "$noon" "$kalc" nextwork 12/23/2021 1 --holidays)" "12-24-2021"

# The time zone text of the key year, and the daylight-saving dates.
new_home zone 2026
TZ="EST5EDT,M3.2.0,M11.1.0" at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "zone text in winter" "$(key KalDateTimeZone)" "<GMT -05:00 EST>"
TZ="EST5EDT,M3.2.0,M11.1.0" at "2026-07-01 12:00:00" "$kalc" check 1/1/99 >/dev/null
expect_eq "zone text in summer" "$(key KalDateTimeZone)" "<GMT -05:00 EDT>"
TZ=America/St_Johns at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "newfoundland" "$(key KalDateTimeZone)" "<GMT -03:30 NST>"
TZ=Asia/Kolkata at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "no daylight saving" "$(key KalDateTimeZone)" "<>"
expect_eq "dst southern" "$(TZ=Australia/Sydney at "$noon" "$kalc" dst 2026)" \
    $'GMT +10:00 AEDT\nDayLight Savings Begins 10-04-2026\nDayLight Savings Ends   04-05-2026'
expect_eq "dst two digits" "$(TZ=America/New_York at "2026-07-01 12:00:00" "$kalc" dst 27)" \
    $'GMT -05:00 EDT\nDayLight Savings Begins 03-14-2027\nDayLight Savings Ends   11-07-2027'
expect_eq "easter" "$(at "$noon" "$kalc" easter 2038)" "04/25/2038"

finish "holiday"
