#!/usr/bin/env bash
# End to end: the library loaded by kalc in fresh homes, with the clock fixed
# by faketime. Checks what start-up writes, how the configuration steers the
# data files, the preferred format, the clock, and bad files.
. "$(dirname "$0")/common.sh"

# new_home NAME: a fresh home; sets $home, $ini and $data.
new_home() {
    home=$root/$1
    mkdir -p "$home"
    ini=$home/config/kalcore/KalDatFl.Ini
    data=$home/data/kalcore
}

noon="2026-12-06 18:40:05"

# First load: every key, the stamp and the conversion file.
new_home first
expect_eq "check" "$(at "$noon" "$kalc" check 12/31/98)" "Dec/31/2098"
expect_eq "location" "$(key KalDateLocation)" 'C:\'
expect_eq "conversion file name" "$(key KalDateFile)" "DatCvFil.Bnf"
expect_eq "holiday file name" "$(key KalDateHoldy)" "Holidayf.Bnf"
expect_eq "key year" "$(key KeyYearForHolidayFile)" "2026"
expect_eq "stamp" "$(key KalDateDateIniChgd)" "<Dec/06/2026, 06:40:05 PM>"
expect_eq "zone key present" "$(grep -c '^KalDateTimeZone=<.*>$' "$ini")" "1"
expect_eq "conversion file" "$(cat "$data/DatCvFil.Bnf")" "FMXT"
expect_eq "section" "$(head -n 1 "$ini")" "[KalDateSoft]"

# HOLDYPATH names the data directory and wins over a stored location.
new_home holdy
mkdir -p "$home/preferred" "$home/stored"
HOLDY="$home/preferred" at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "holdypath on a new file" "$(key KalDateLocation)" "$home/preferred/"
[[ -f "$home/preferred/DatCvFil.Bnf" ]] || fail "conversion file not in HOLDYPATH"
sed -i "s|^KalDateLocation=.*|KalDateLocation=$home/stored|" "$ini"
HOLDY="$home/preferred" at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "holdypath wins" "$(key KalDateLocation)" "$home/preferred/"
sed -i "s|^KalDateLocation=.*|KalDateLocation=$home/stored|" "$ini"
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "stored location kept in full" "$(key KalDateLocation)" "$home/stored/"
[[ -f "$home/stored/DatCvFil.Bnf" ]] || fail "conversion file not made in the stored location"
rm -rf "$home/stored"
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "vanished location" "$(key KalDateLocation)" 'C:\'
long=$home/$(printf 'd%.0s' {1..100})/$(printf 'e%.0s' {1..100})/$(printf 'f%.0s' {1..100})
mkdir -p "$long"
HOLDY="$long" at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "HOLDYPATH too long to store ignored" "$(key KalDateLocation)" 'C:\'

# Key year: a year is kept, letters give way to the current year.
for row in "1999:1999" "ABCD:2026" "2021:2021" "19:19" "x1999:2026"; do
    new_home "year-${row%%:*}"
    mkdir -p "$(dirname "$ini")"
    printf '[KalDateSoft]\nKeyYearForHolidayFile=%s\n' "${row%%:*}" >"$ini"
    at "$noon" "$kalc" check 1/1/99 >/dev/null
    expect_eq "key year ${row%%:*}" "$(key KeyYearForHolidayFile)" "${row#*:}"
done

# File names are cut to 13 characters.
new_home names
mkdir -p "$(dirname "$ini")"
printf '[KalDateSoft]\nKalDateFile=ConversionFileName.Bnf\n' >"$ini"
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "long name cut" "$(cat "$data/ConversionFil" 2>/dev/null)" "FMXT"

# The preferred format drives conversions and the clock when asked for.
new_home prefer
expect_eq "prefer g" "$(at "$noon" "$kalc" prefer g)" "G (4 July 1998 is written 1998-07-04)"
expect_eq "stored code" "$(cat "$data/DatCvFil.Bnf")" "FGXT"
expect_eq "convert preferred" "$(at "$noon" "$kalc" convert 07/04/1998 B --preferred)" "1998-07-04"
expect_eq "convert not preferred" "$(at "$noon" "$kalc" convert 07/04/1998 B)" "07/04/1998"
expect_eq "now preferred" "$(at "$noon" "$kalc" now K --24 --preferred)" "2026-12-06 18:40:05"
at "$noon" "$kalc" prefer 0 >/dev/null 2>&1 && fail "prefer 0 accepted"
expect_eq "refused code keeps the file" "$(cat "$data/DatCvFil.Bnf")" "FGXT"
for content in "" "F" "F?XT" "F0"; do
    printf '%s' "$content" >"$data/DatCvFil.Bnf"
    expect_eq "convert with file [$content]" \
        "$(at "$noon" "$kalc" convert 07/04/1998 B --preferred)" "07/04/1998"
    at "$noon" "$kalc" prefer >/dev/null && fail "file [$content] reported as valid"
done
printf 'FqXT' >"$data/DatCvFil.Bnf"
expect_eq "lower-case stored code" "$(at "$noon" "$kalc" convert 07/04/1998 B --preferred)" \
    "1998-04-07"
rm -f "$data/DatCvFil.Bnf"
at "$noon" "$kalc" check 1/1/99 >/dev/null
expect_eq "recreated" "$(cat "$data/DatCvFil.Bnf")" "FMXT"

# The clock in both hour modes.
new_home clock
while IFS='|' read -r time twelve twentyfour; do
    expect_eq "now $time" "$(at "2026-12-06 $time" "$kalc" now B)" "12/06/2026 $twelve"
    expect_eq "now $time --24" "$(at "2026-12-06 $time" "$kalc" now B --24)" "12/06/2026 $twentyfour"
done <<'ROWS'
00:15:07|00:15:07 AM|00:15:07
12:30:00|12:30:00 PM|12:30:00
18:40:00|06:40:00 PM|18:40:00
23:05:09|11:05:09 PM|23:05:09
ROWS
expect_eq "keyword format" "$(at "$noon" "$kalc" format TODAY K)" \
    "Sunday, December/06/2026 at 18:40:05 PM"
expect_eq "window today" "$(at "$noon" "$kalc" window 01/01/2026 1 TODAY)" \
    "inside the forward window"

# Bad configurations: loading and every export keep working.
new_home dir-ini
mkdir -p "$ini"
expect_eq "ini is a directory" "$(at "$noon" "$kalc" convert 07/04/1998 G)" "1998-07-04"
expect_eq "defaults used" "$(cat "$data/datcvfil.bnf")" "FMXT"

new_home blocked
touch "$home/config"  # the configuration directory cannot be made
expect_eq "unwritable config" "$(at "$noon" "$kalc" check 12/31/1998)" "Dec/31/1998"

new_home long-value
mkdir -p "$(dirname "$ini")"
printf '[KalDateSoft]\nKalDateLocation=%s\nKalDateFile=%s\n' "$(printf 'L%.0s' {1..400})" \
    "$(printf 'N%.0s' {1..400})" >"$ini"
expect_eq "long values" "$(at "$noon" "$kalc" convert 07/04/1998 G)" "1998-07-04"
expect_eq "long location replaced" "$(key KalDateLocation)" 'C:\'
[[ -f "$data/NNNNNNNNNNNNN" ]] || fail "long conversion file name not cut to 13"

# A pipe or a device (through a link) in the place of any of the three
# files: nothing blocks, it counts as missing or unwritable, and it stays.
for place in ini conversion holiday; do
    for kind in pipe device; do
        new_home "special-$place-$kind"
        mkdir -p "$(dirname "$ini")" "$data"
        case $place in
        ini) special=$ini ;;
        conversion) special=$data/DatCvFil.Bnf ;;
        holiday) special=$data/Holidayf.Bnf ;;
        esac
        # With the configuration present the data files go by their usual names.
        [[ $place == ini ]] || printf '[KalDateSoft]\nKalDateFile=DatCvFil.Bnf\nKalDateHoldy=Holidayf.Bnf\n' >"$ini"
        if [[ $kind == pipe ]]; then mkfifo "$special"; else ln -s /dev/zero "$special"; fi
        what="$kind as the $place file"
        # The preferred format M from start-up, or none from a special file.
        expect_eq "$what: loading" "$(at "$noon" timeout 20 "$kalc" convert 07/04/1998 G --preferred)" \
            "$([[ $place == conversion ]] && echo 1998-07-04 || echo Jul-04-1998)"
        expect_eq "$what: lookup" "$(at "$noon" timeout 20 "$kalc" holiday 12/25/2026)" \
            "$([[ $place == holiday ]] && echo "no holiday" || echo "Christmas_Day (day off)")"
        status=0
        at "$noon" timeout 20 "$kalc" prefer g >/dev/null 2>&1 || status=$?
        expect_eq "$what: prefer" "$status" "$([[ $place == conversion ]] && echo 1 || echo 0)"
        if [[ $kind == pipe ]]; then
            [[ -p "$special" ]] || fail "$what: replaced"
        else
            [[ -L "$special" && $(readlink "$special") == /dev/zero ]] || fail "$what: replaced"
        fi
    done
done

new_home no-home
expect_eq "no home at all" \
    "$(env -u HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME faketime -f "$noon" "$kalc" check 12/31/98)" \
    "Dec/31/2098"

finish "start-up"
