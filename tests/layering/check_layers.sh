#!/usr/bin/env bash
# The layers of kalcore/, bottom up. A file may include headers of its own
# layer and of the layers below it, never of one above it; the public headers
# kalcore.h and kalcore/*.h belong to the exports. A directory that is no
# layer fails too, so that a new one is placed in the order.
#
# usage: check_layers.sh [KALCORE_DIR]   the kalcore/ of this tree by default
#        check_layers.sh --self-test     shows that an upward include fails
set -u
layers=(civil platform format calendar services dialogs exports)

rank() {  # rank LAYER: its place in the order, or nothing for no layer
    local i
    for i in "${!layers[@]}"; do
        [[ "${layers[$i]}" == "$1" ]] && echo "$i" && return
    done
}

check() {  # check DIR: prints every include that goes up; fails when there is one
    local dir=$1 bad=0 file layer own target line path
    while IFS= read -r file; do
        layer=${file#"$dir"/}
        layer=${layer%%/*}
        [[ "$layer" == include ]] && continue  # the public header includes nothing of ours
        own=$(rank "$layer")
        if [[ -z "$own" ]]; then
            echo "$file: $layer/ is no layer (${layers[*]})"
            bad=1
            continue
        fi
        while IFS= read -r line; do
            path=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$line")
            [[ -z "$path" ]] && continue
            # A header beside the file (no directory given) is of its own layer.
            [[ "$path" != */* && -f "$(dirname "$file")/$path" ]] && continue
            if [[ "$path" == kalcore.h || "$path" == kalcore/* ]]; then
                target=$(rank exports)
            else
                target=$(rank "${path%%/*}")
            fi
            if [[ -z "$target" || "$path" != */* && "$path" != kalcore.h ]]; then
                echo "$file: includes \"$path\", which is in no layer"
                bad=1
            elif ((target > own)); then
                echo "$file: $layer/ includes \"$path\" of ${layers[$target]}/, a higher layer"
                bad=1
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
    done < <(find "$dir" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) | sort)
    return $bad
}

if [[ "${1:-}" == --self-test ]]; then
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    mkdir -p "$root/civil" "$root/format" "$root/exports"
    echo '#include "civil/civil_date.h"' >"$root/format/reader.h"
    echo '#include "kalcore.h"' >"$root/exports/exports.cpp"
    mkdir -p "$root/format/qt" && : >"$root/format/qt/scope.h"
    echo '#include "scope.h"' >"$root/format/qt/module.cpp"
    check "$root" >/dev/null || { echo "self-test: a clean tree failed"; exit 1; }
    echo '#include "format/reader.h"' >"$root/civil/civil_date.h"
    out=$(check "$root") && { echo "self-test: an upward include passed"; exit 1; }
    grep -q 'civil/ includes "format/reader.h"' <<<"$out" || { echo "self-test: $out"; exit 1; }
    echo '#include "scope.h"' >"$root/civil/civil_date.h"
    check "$root" >/dev/null && { echo "self-test: a header of no directory, not beside the file, passed"; exit 1; }
    echo '#include "kalcore.h"' >"$root/civil/civil_date.h"
    check "$root" >/dev/null && { echo "self-test: kalcore.h below the exports passed"; exit 1; }
    mkdir -p "$root/misc" && : >"$root/misc/x.h" && echo '#include "civil/civil_date.h"' >"$root/civil/civil_date.h"
    check "$root" >/dev/null && { echo "self-test: a directory outside the layers passed"; exit 1; }
    echo "self-test passed"
    exit 0
fi

dir=${1:-$(cd "$(dirname "$0")/../../kalcore" && pwd)}
if check "$dir"; then
    echo "layers of $dir hold: ${layers[*]}"
else
    exit 1
fi
