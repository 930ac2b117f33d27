#!/usr/bin/env bash
# kalc's manual page and bash completion against the program: the page
# renders without warnings, names every command and format code of
# `kalc --help`, and its examples print what it shows; the completion knows
# the same commands and completes commands, options, codes and keywords.
# Usage: kalc_docs_test.sh KALC SOURCE_DIR
set -euo pipefail
kalc=$1
source_dir=$2
page=$source_dir/tools/kalc/kalc.1
completion=$source_dir/tools/kalc/kalc.bash-completion
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data HOLDYPATH=
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

warnings=$(groff -man -t -ww -z "$page" 2>&1)
[[ -z "$warnings" ]] || fail "groff warns about the manual page: $warnings"

help=$("$kalc" --help)
commands=$(sed -n 's/^  \([a-z][a-z]*\)\( .*\)\{0,1\}$/\1/p' <<<"$help" | sort -u)
[[ $(wc -l <<<"$commands") -ge 19 ]] || fail "found too few commands in kalc --help: $commands"
for command in $commands; do
    grep -qE "^\.B[IR]? $command( |$)" "$page" || fail "the manual page does not describe $command"
done
help_codes=$(sed -n '/^Output format codes:/,$p' <<<"$help" | grep -oE '(^|  )[^ ] [A-Za-z]' |
    awk '{print $1}' | sort | tr -d '\n')
page_codes=$(sed -n '/^\.TS/,/^\.TE/p' "$page" | grep -P '\t' | tr '\t' '\n' | awk 'NR % 2 == 1' |
    sort | tr -d '\n')
[[ ${#help_codes} -eq 48 && "$help_codes" == "$page_codes" ]] ||
    fail "format codes: --help has [$help_codes], the manual page [$page_codes]"

# Each example: the commands after "$ " run in order; what follows them up
# to the next command is what they print.
mkdir -p "$work/bin"
ln -s "$(cd "$(dirname "$kalc")" && pwd)/$(basename "$kalc")" "$work/bin/kalc"
awk '/^\.nf$/ {on = 1; n++; next} /^\.fi$/ {on = 0} on {print > (dir "/example" n)}' \
    dir="$work" "$page"
examples=0
for example in "$work"/example*; do
    sed -i 's/\\-/-/g; s/\\\\/\\/g' "$example"
    script=$(sed -n 's/^\$ //p' "$example")
    want=$(grep -v '^\$ ' "$example" || true)
    got=$(PATH="$work/bin:$PATH" bash -c "$script" 2>&1 || true)
    [[ "$got" == "$want" ]] || fail "manual page example [$script] printed [$got], the page shows [$want]"
    examples=$((examples + 1))
done
[[ $examples -ge 4 ]] || fail "found $examples examples in the manual page"

# The completion.
(
    set +eu
    . "$completion"
    complete -p kalc | grep -q '_kalc' || echo "FAIL: the completion does not register _kalc"
    completion_commands=$(tr ' ' '\n' <<<"$_kalc_commands" | grep -v '^--' | grep . | sort -u)
    [[ "$completion_commands" == "$commands" ]] ||
        echo "FAIL: completion commands [$completion_commands] differ from kalc's [$commands]"
    complete_line() {
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _kalc
        echo "${COMPREPLY[*]}"
    }
    while IFS='|' read -r line want; do
        read -r -a words <<<"$line"
        [[ "$line" == *" " ]] && words+=("")
        got=$(complete_line "${words[@]}")
        [[ "$got" == "$want" ]] || echo "FAIL: completing [$line] gave [$got], want [$want]"
    done <<'CASES'
kalc con|convert config
kalc hol|holiday holidays
kalc convert 12/31/98 g|G
kalc convert 12/31/98 |1 2 3 4 5 6 7 8 9 A B C D E F G H I J K L M N O P Q R S T U V W X Y Z \* \# @ \& \$ \[ \] \{ \} \< \> + =
kalc convert --century 4 12/31/98 $|\$
kalc convert 12/31/98 G --|--century --window --preferred
kalc convert 12/31/98 G --window |1930 1950 1969
kalc convert 12/31/98 --century |0 1 2 3 4 5 6 7 8 9
kalc format TODAY k --abbr-|--abbr-month --abbr-day
kalc now --|--24 --preferred
kalc days TODAY yester|YESTER YESTER0 YESTER1 YESTER2 YESTER3 YESTER4 YESTER5 YESTER6 YESTER7
kalc add |
kalc add 3 TO|TODAY
kalc window TODAY 3 N|NOW
kalc nextwork TODAY 2 --h|--holidays
kalc easter |
kalc convert 12/31/98 G |
CASES
) >"$work/completion.log"
if [[ -s "$work/completion.log" ]]; then
    cat "$work/completion.log"
    failures=$((failures + $(grep -c '^FAIL' "$work/completion.log")))
fi
[[ $failures -eq 0 ]] || { echo "$failures failures"; exit 1; }
echo "manual page and completion: $(wc -w <<<"$commands") commands, $examples examples checked"
