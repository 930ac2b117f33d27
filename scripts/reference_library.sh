#!/usr/bin/env bash
# Builds the library as commit REFERENCE (default 0782cc7, the library before
# its numeric core) left it, in build-reference/, as it was built then
# (Release), and prints the path of the shared library. Prints nothing and
# exits 3 when the commit is not in this clone.
set -euo pipefail
cd "$(dirname "$0")/.."
reference=${REFERENCE:-0782cc7}
refdir=$PWD/build-reference
commit=$(git rev-parse --verify --quiet "$reference^{commit}") || exit 3
if [[ "$(cat "$refdir/commit" 2>/dev/null)" != "$commit" ]]; then
    rm -rf "$refdir"
    mkdir -p "$refdir/src"
    git archive "$commit" | tar -x -C "$refdir/src"
    echo "$commit" >"$refdir/commit"
fi
cmake -S "$refdir/src" -B "$refdir/obj" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKALCORE_BUILD_TESTS=OFF -DKALCORE_BUILD_TOOLS=OFF -DKALCORE_BUILD_DEMO=OFF >/dev/null
cmake --build "$refdir/obj" --target kalcore >/dev/null
echo "$refdir/obj/kalcore/libkalcore.so.3"
