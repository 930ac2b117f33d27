#!/usr/bin/env bash
# Runs a Windows test program beside kalcore.dll under Wine, headless.
# Usage: run_wine_test.sh <i686|x86_64> <directory of kalcore.dll> <program.exe> [arguments]
# Uses $WINEPREFIX when set (scripts/test.sh prepares one and keeps a
# wineserver running); otherwise makes a throwaway prefix. Exits 77 (skipped)
# when this machine cannot run Wine for the architecture, for example 32-bit
# programs on a kernel without 32-bit support.
set -euo pipefail
arch=$1 bin=$2 program=$3
shift 3

case "$arch" in
    i686) loader=/usr/lib/wine/wine ;;
    x86_64) loader=/usr/lib/wine/wine64 ;;
    *) echo "unknown architecture $arch"; exit 2 ;;
esac
if [[ ! -x "$loader" ]]; then
    # In Debian's layout /usr/lib/wine holds the loaders, and /usr/bin/wine
    # falls back to the 64-bit one when the 32-bit one is not installed,
    # which cannot run a 32-bit program: there the loader is missing.
    # Elsewhere the loaders are on the PATH.
    if [[ -d /usr/lib/wine ]]; then
        loader=""
    else
        loader=$(command -v "$(basename "$loader")" || true)
    fi
fi
if [[ -z "$loader" ]] || ! "$loader" --version >/dev/null 2>&1; then
    echo "SKIPPED: no Wine loader for $arch runs on this machine"
    exit 77
fi

export WINELOADER=$loader WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
export TZ=${TZ:-America/New_York}
unset DISPLAY WAYLAND_DISPLAY
if [[ -z "${WINEPREFIX:-}" ]]; then
    WINEPREFIX=$(mktemp -d /tmp/kalcore-wine.XXXXXX)
    export WINEPREFIX
    trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
fi

cd "$bin"
"$loader" "./$program" "$@"
