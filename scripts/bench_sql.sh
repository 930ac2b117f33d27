#!/usr/bin/env bash
# Times the SQL functions against the engines' own date functions on the same
# table of MM/DD/YY texts, in one run: in PostgreSQL 15 (a server of its own,
# as the tests start it) count(kal_convert(d, 'G')) against
# count(to_char(to_date(d, 'MM/DD/YY'), 'YYYY-MM-DD')), in one process and
# with two parallel workers; in SQLite count(kal_convert(d, 'G')) against
# date() of the text rearranged with substr() (SQLite's date functions read
# only CCYY-MM-DD). Prints the median of RUNS runs of each and the ratios.
# Usage: scripts/bench_sql.sh [ROWS] [RUNS]   (default 1000000 and 5;
# BUILD=dir names the release build, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${1:-1000000}
runs=${2:-5}
build=${BUILD:-build}
[[ -f "$build/sql/postgresql/kalcore_pg.so" && -f "$build/sql/sqlite/kalcore_sqlite.so" ]] ||
    { echo "build the release build first (cmake --build $build)"; exit 1; }
home=$(mktemp -d)
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data HOLDYPATH=
. sql/postgresql/temp_server.sh
pg_temp_start "$build/sql/postgresql" "$build/kalcore"
trap 'pg_temp_stop; rm -rf "$home"' EXIT

# The dates of 1950-2049 in a scattered order, the same in both engines.
psql -X -q -v ON_ERROR_STOP=1 <<EOF
CREATE EXTENSION kalcore;
CREATE TABLE dates AS
    SELECT to_char(date '1950-01-01' + ((i::bigint * 7919) % 36525)::int, 'MM/DD/YY') AS d
    FROM generate_series(1, $rows) AS i;
VACUUM ANALYZE dates;
EOF

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Milliseconds of each run of a query (after one run to warm the cache), and
# the count it gave.
pg_times() {
    local workers=$1 query=$2
    psql -X -q -A -t -v ON_ERROR_STOP=1 <<EOF | awk '/^Time:/ {print $2; next} NF {print "count", $0}'
SET max_parallel_workers_per_gather = $workers;
$query;
\timing on
$(for ((i = 0; i < runs; i++)); do echo "$query;"; done)
EOF
}

declare -A result
check_count() {
    local name=$1 count=$2
    [[ "$count" == "$rows" ]] || { echo "$name counted $count of $rows"; exit 1; }
}
kal_pg="SELECT count(kal_convert(d, 'G')) FROM dates"
native_pg="SELECT count(to_char(to_date(d, 'MM/DD/YY'), 'YYYY-MM-DD')) FROM dates"
for workers in 0 2; do
    for name in kal native; do
        query=kal_pg
        [[ $name == native ]] && query=native_pg
        out=$(pg_times "$workers" "${!query}")
        check_count "$name/$workers" "$(grep -m1 '^count' <<<"$out" | awk '{print $2}')"
        result[pg_${name}_$workers]=$(grep -v '^count' <<<"$out" | median)
    done
done

# SQLite, in memory, through Python's sqlite3 (the queries run inside SQLite).
sqlite_out=$(/usr/bin/python3 - "$build/sql/sqlite/kalcore_sqlite.so" "$rows" "$runs" <<'EOF'
import datetime, sqlite3, statistics, sys, time
extension, rows, runs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
db = sqlite3.connect(":memory:")
db.enable_load_extension(True)
db.load_extension(extension)
first = datetime.date(1950, 1, 1)
texts = ((first + datetime.timedelta(days=(i * 7919) % 36525)).strftime("%m/%d/%y",)
         for i in range(1, rows + 1))
db.execute("CREATE TABLE dates (d TEXT)")
db.executemany("INSERT INTO dates VALUES (?)", ((t,) for t in texts))
queries = {
    "kal": "SELECT count(kal_convert(d, 'G')) FROM dates",
    "native": "SELECT count(date('20' || substr(d, 7, 2) || '-' || substr(d, 1, 2) || '-' || "
              "substr(d, 4, 2))) FROM dates",
}
for name, query in queries.items():
    count = db.execute(query).fetchone()[0]
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        db.execute(query).fetchone()
        times.append((time.perf_counter() - start) * 1000)
    print(name, count, f"{statistics.median(times):.1f}")
EOF
)
while read -r name count ms; do
    check_count "sqlite/$name" "$count"
    result[sqlite_$name]=$ms
done <<<"$sqlite_out"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "$rows MM/DD/YY texts, median of $runs runs (ms):"
echo
echo "| engine | kalcore | engine's own | kalcore / own |"
echo "|---|---|---|---|"
echo "| PostgreSQL 15, one process: count(kal_convert(d, 'G')) vs to_char(to_date(d, 'MM/DD/YY'), 'YYYY-MM-DD') | ${result[pg_kal_0]} | ${result[pg_native_0]} | $(ratio "${result[pg_kal_0]}" "${result[pg_native_0]}") |"
echo "| PostgreSQL 15, 2 parallel workers: the same | ${result[pg_kal_2]} | ${result[pg_native_2]} | $(ratio "${result[pg_kal_2]}" "${result[pg_native_2]}") |"
echo "| SQLite $(sqlite3 --version | cut -d' ' -f1): count(kal_convert(d, 'G')) vs date('20' \|\| substr(..)) | ${result[sqlite_kal]} | ${result[sqlite_native]} | $(ratio "${result[sqlite_kal]}" "${result[sqlite_native]}") |"
