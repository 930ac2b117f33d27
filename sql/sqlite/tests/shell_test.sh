#!/usr/bin/env bash
# The SQLite extension through the sqlite3 shell's .load: kalcore.sql must
# print kalcore.expected (what it prints, then its errors), and the SQLite
# example of the project's README must print what the README says.
# Usage: shell_test.sh BUILD_DIR   (BUILD_DIR/sql/sqlite/kalcore_sqlite.so)
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sqlite3 :memory: -cmd ".load $build/sql/sqlite/kalcore_sqlite" <"$here/kalcore.sql" \
    >"$work/out" 2>"$work/err" || true
{ cat "$work/out"; echo "-- errors"; cat "$work/err"; } >"$work/got"
diff -u "$here/kalcore.expected" "$work/got"

# The README runs from the project root, where the build is build/.
. "$root/tests/readme_blocks.sh"
example=$(readme_block "$root" "sh sqlite")
want=$(readme_block "$root" "text sqlite")
[[ -n "$example" && -n "$want" ]] || { echo "no SQLite example in README.md"; exit 1; }
ln -s "$build" "$work/build"
got=$(cd "$work" && bash -euo pipefail -c "$example")
[[ "$got" == "$want" ]] || { printf 'README example printed:\n%s\nREADME says:\n%s\n' "$got" "$want"; exit 1; }
echo "SQLite extension: sqlite3 shell suite and the README example passed"
