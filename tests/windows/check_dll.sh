#!/usr/bin/env bash
# Checks a built kalcore.dll without running it:
#  - its export table holds exactly the names of kalcore.def, undecorated;
#  - it imports nothing but KERNEL32, msvcrt and USER32;
#  - on 32-bit x86, every export is stdcall: the function behind it pops
#    4 bytes per argument (the counts are the published argument counts).
# Usage: check_dll.sh <objdump> <kalcore.dll> <kalcore.def> <i686|x86_64>
set -euo pipefail
objdump=$1 dll=$2 def=$3 arch=$4
failed=0
fail() { echo "FAILED: $*"; failed=1; }

expected=$(grep -E '^[[:space:]]+[A-Za-z_][A-Za-z0-9_]*[[:space:]]*$' "$def" | tr -d ' \t' | sort)
headers=$("$objdump" -p "$dll")
actual=$(awk '/\[Ordinal\/Name Pointer\] Table/{t=1; next} t && /^[[:space:]]*$/{t=0} t{print $NF}' \
    <<<"$headers" | sort)
[[ -n "$actual" ]] || fail "no export table in $dll"
if [[ "$actual" != "$expected" ]]; then
    fail "exports differ from $def"
    diff <(echo "$expected") <(echo "$actual") || true
fi
grep -q '@' <<<"$actual" && fail "decorated export names: $(grep '@' <<<"$actual" | tr '\n' ' ')"
echo "$(wc -l <<<"$actual") exports"

while read -r dep; do
    case "${dep,,}" in
        kernel32.dll | msvcrt.dll | user32.dll) ;;
        *) fail "imports $dep" ;;
    esac
done < <(awk '/DLL Name:/{print $3}' <<<"$headers")

if [[ "$arch" == i686 ]]; then
    # Argument counts of every export.
    declare -A args=(
        [KD_ISVDATE]=1 [KD_CONVDATE]=5
        [KD_CGETCNTRY]=2 [KD_IGETCNTRY]=2 [KD_CDAYNO]=2 [KD_NDAYNO]=2 [KD_CMONTH]=2
        [KD_NMONTH]=2 [KD_CYEAR]=2 [KD_NYEAR]=2 [KD_CCNTRY]=2 [KD_NCNTRY]=2
        [KD_CFULCNTRYYR]=2 [KD_NFULCNTRYYR]=2 [KD_ISLEAPYR]=2 [KD_CNTRYDAY]=3
        [KD_CDOW]=2 [KD_NDOW]=2 [KD_WEEKNO]=2
        [KD_CMPTENUMDAYS]=3 [KD_CMPTEADATE]=3 [KD_BETWEEN]=3 [KD_DATELAPSE]=7
        [KD_JULIANDATE]=2 [KD_REVJULIANDATE]=2 [KD_AFULLDATEFORMAT]=8
        [KD_DATE]=2 [KD_TIME]=2 [KD_HOUR]=2 [KD_CHOUR]=2
        [KD_MINT]=1 [KD_SEC]=1 [KD_CMINT]=1 [KD_CSEC]=1 [KD_DATEANDTIME]=6
        [KD_NXTWRKDAY]=4 [KD_ISTODAYAHOLDY]=4 [KD_DTCVCREATEFILE]=1 [KD_DATECNVFILE]=1
        [KD_SLIDINGWINDOWPROC]=5 [KD_DAYLIGHTSAVINGSTIMES]=8 [KD_EASTERCALC]=3
        [KD_HELPABOUTME]=0 [KD_ABOUTDLL]=0 [AboutBox]=0 [HelpBox]=0
        [UpperCaseString]=1 [DoubleInt]=1 [DoubleInt2]=1 [LoByte]=1 [HiByte]=1
        [LoWord]=1 [HiWord]=1 [MakeWord]=2 [MakeLong]=2 [ShiftLeft]=2 [ShiftRight]=2
        [kal_options_init]=1 [kal_parse]=4 [kal_format]=7 [kal_format_width]=1
        [kal_parse_many]=6 [kal_parse_many_fixed]=8 [kal_format_many]=7 [kal_status_text]=1
    )
    # "name bytes ret-immediate" for every return instruction of every
    # decorated function (_NAME@BYTES, with its split-off .cold parts).
    returns=$("$objdump" -d --no-show-raw-insn "$dll" | awk '
        /^[0-9a-f]+ <.*>:$/ {
            fn = ""
            if (match($2, /^<_[A-Za-z_][A-Za-z0-9_]*@[0-9]+(\.cold)?>:$/)) {
                s = substr($2, 3, length($2) - 4); sub(/\.cold$/, "", s)
                fn = s
                split(s, part, "@"); seen[part[1]] = part[2]
            }
            next
        }
        fn != "" && $2 == "ret" {
            split(fn, part, "@")
            imm = ($3 == "") ? "0x0" : $3
            sub(/^\$/, "", imm)
            print part[1], part[2], imm
        }
        END { for (n in seen) print n, seen[n], "label" }')
    for name in $actual; do
        want=${args[$name]:-}
        if [[ -z "$want" ]]; then
            fail "$name: no published argument count"
            continue
        fi
        bytes=$((want * 4))
        label=$(awk -v n="$name" '$1 == n && $3 == "label" {print $2}' <<<"$returns")
        [[ "$label" == "$bytes" ]] || fail "$name is not stdcall with $bytes argument bytes (${label:-no symbol})"
        pops=$(awk -v n="$name" '$1 == n && $3 != "label" {print $3}' <<<"$returns" | sort -u)
        [[ -n "$pops" ]] || fail "$name: no return found"
        for p in $pops; do
            [[ $((p)) == "$bytes" ]] || fail "$name returns popping $((p)) bytes, not $bytes"
        done
    done
    [[ $failed -eq 0 ]] && echo "stdcall: every export pops 4 bytes per argument"
fi
exit $failed
