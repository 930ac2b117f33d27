#!/usr/bin/env bash
# Tests the kalcore extension on a PostgreSQL 15 server of its own: the
# pg_regress suites of sql/ against expected/, then the PostgreSQL examples
# of the project's README, run as they stand.
# Usage: run_tests.sh EXTENSION_BUILD_DIR LIBKALCORE_DIR
# KALCORE_PG_RESULTS=DIR keeps what the suites printed (to refresh expected/).
set -euo pipefail
build=$1
libdir=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/temp_server.sh"
pg_temp_start "$build" "$libdir"

pg_regress=$(dirname "$(/usr/lib/postgresql/15/bin/pg_config --pgxs)")/../test/regress/pg_regress
status=0
"$pg_regress" --bindir="$pg_bin" --inputdir="$here" --outputdir="$pg_temp_dir/regress" \
    --host="$PGHOST" --port="$PGPORT" --user="$PGUSER" --dbname=kalcore_regression \
    kalcore parallel upgrade || status=$?
[[ -n "${KALCORE_PG_RESULTS:-}" ]] && cp -r "$pg_temp_dir/regress/results/." "$KALCORE_PG_RESULTS/"
if [[ $status -ne 0 ]]; then
    cat "$pg_temp_dir/regress/regression.diffs" 2>/dev/null || true
    exit 1
fi

# The README's examples, each in a database of its own; the output block
# after each is what psql must print.
. "$root/tests/readme_blocks.sh"
for tag in postgresql "postgresql columns"; do
    example=$(readme_block "$root" "sql $tag")
    want=$(readme_block "$root" "text $tag")
    [[ -n "$example" && -n "$want" ]] || { echo "no example \"$tag\" in README.md"; exit 1; }
    database=readme_${tag// /_}
    psql -X -q -c "CREATE DATABASE $database"
    got=$(psql -X -q -d "$database" -v ON_ERROR_STOP=1 <<<"$example" | sed 's/[[:space:]]*$//')
    if [[ "$got" != "$want" ]]; then
        echo "README example \"$tag\" printed:"
        echo "$got"
        echo "README says:"
        echo "$want"
        exit 1
    fi
done
echo "PostgreSQL extension: pg_regress suites and the README examples passed"
