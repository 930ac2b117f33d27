#!/usr/bin/env bash
# Installs the Debian packages of BUILD_DIR/packages (made by deb_test.sh) on
# this machine with apt-get, uses them from their installed places as an
# ordinary user, purges them, and checks that the machine is as before.
#
#   1. libkalcore3 alone, as a headless server takes it: apt adds nothing
#      else, its recursive dependencies hold no desktop library, the ldconfig
#      trigger put it in the loader's cache, and without libkalcore3-dialogs
#      the dialog exports report that they cannot show a dialog even where a
#      display is present.
#   2. Every package: kalc; the system's python3 importing kalcore (no
#      KALCORE_LIBRARY); the sqlite3 shell loading the extension from its
#      installed path; CREATE EXTENSION kalcore in a temporary PostgreSQL
#      cluster of the system's server, which uses the system's extension
#      directory; kaldate on a virtual X server, to its main menu; a library
#      dialog through the installed module.
#   3. apt-get purge of every package: none of their files remains, and the
#      installed packages and the files under /usr, /etc, /opt and dpkg's
#      database are as they were.
#
# Whatever happens, the packages (and any package apt installed with them)
# are purged again on exit. Needs root; without it the test is skipped.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
if [[ $(id -u) -ne 0 ]]; then
    echo "SKIPPED: the install test installs packages with apt-get, which needs root"
    exit 77
fi
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
packages=$build/packages
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
user=nobody
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

debs=("$packages"/*.deb)
[[ -f "${debs[0]}" ]] || { echo "no packages in $packages (deb_test.sh makes them)"; exit 1; }
names=()
for f in "${debs[@]}"; do names+=("$(dpkg-deb -f "$f" Package)"); done
library_deb=$(ls "$packages"/libkalcore3_*.deb)
for n in "${names[@]}"; do
    if dpkg-query -W -f='${db:Status-Abbrev}' "$n" 2>/dev/null | grep -q '^[ih]'; then
        echo "$n is installed already; the test installs and purges the packages itself"
        exit 1
    fi
done

# What the machine holds now: the packages with their states, and the files.
packages_state() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Package}:${Architecture} ${Version}\n' | sort
}
installed_names() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^[ihc]/ {print $2}' | sort; }
files_state() { find /usr /etc /opt /var/lib/dpkg/info -xdev 2>/dev/null | sort; }
work=$(mktemp -d /var/tmp/kalcore-install.XXXXXX)
packages_state >"$work/packages.before"
files_state >"$work/files.before"

# apt-get, its output kept in $work/apt-N.log, one log a run.
apt_runs=0
apt_get() {
    apt_runs=$((apt_runs + 1))
    DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@" \
        >"$work/apt-$apt_runs.log" 2>&1 || { cat "$work/apt-$apt_runs.log"; return 1; }
}
# The packages that the apt-get runs logged in FILES unpacked.
unpacked() { cat "$@" 2>/dev/null | sed -n 's/^Unpacking \([^ :]*\).*/\1/p' | sort -u; }
# Purges the packages and whatever apt installed along with them (what is
# still installed of them).
purge_all() {
    local left
    left=$({ printf '%s\n' "${names[@]}"; unpacked "$work"/apt-*.log; } | sort -u | comm -12 - <(installed_names) | tr '\n' ' ')
    [[ -z "$left" ]] && return 0
    # shellcheck disable=SC2086
    apt_get purge $left
}
pg_data=$work/home/pg
cleanup() {
    status=$?
    set +e
    if [[ -f "$pg_data/postmaster.pid" ]]; then
        as_user /usr/lib/postgresql/15/bin/pg_ctl -D "$pg_data" -m immediate -w stop >/dev/null 2>&1
    fi
    purge_all || status=1
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The ordinary user runs with a home of its own and nothing of root's
# environment.
home=$work/home
mkdir -m 700 "$home"
chown "$user" "$home"
chmod 755 "$work"
as_user() {
    runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" LANG=C.UTF-8 "$@"
}
# The X11 session helpers go along, as the user may not read the source tree.
mkdir -p "$work/tests/kaldate"
cp "$source_dir/tests/x11_session.sh" "$work/tests/"
cp "$source_dir/tests/kaldate/program_test.sh" "$work/tests/kaldate/"
chmod -R a+rX "$work/tests"

# 1. The library alone.
apt_get install --no-install-recommends "$library_deb"
added=$(unpacked "$work/apt-1.log" | tr '\n' ' ')
[[ "$added" == "libkalcore3 " ]] || fail "installing libkalcore3 installed [$added]"
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances libkalcore3 | grep '^\w' | sort -u)
echo "libkalcore3 and its recursive dependencies: $(wc -l <<<"$closure") packages"
grep -E '^lib(qt|x11|xcb|gl|cups)' <<<"$closure" && fail "libkalcore3 pulls in a desktop library"
# The cache is read whole first: grep -q stops at its match, and ldconfig
# writing on would then end with SIGPIPE and fail the pipeline.
cache=$(ldconfig -p)
grep -qE "libkalcore\.so\.3 .*=> (/usr)?/lib/$multiarch/libkalcore\.so\.3$" <<<"$cache" ||
    fail "the ldconfig trigger did not put libkalcore.so.3 in the loader's cache"
dialogs='import ctypes
lib = ctypes.CDLL("libkalcore.so.3")
print(lib.AboutBox(), lib.HelpBox(), lib.KD_HELPABOUTME())'
got=$(as_user xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" /usr/bin/python3 -c "$dialogs")
[[ "$got" == "-1 -1 1" ]] || fail "without libkalcore3-dialogs AboutBox, HelpBox, KD_HELPABOUTME gave [$got]"

# 2. Every package.
apt_get install --no-install-recommends "${debs[@]}"
for n in "${names[@]}"; do
    dpkg-query -W -f='${db:Status-Abbrev}' "$n" | grep -q '^ii' || fail "$n is not installed"
done
[[ "$(as_user kalc days 12/25/1998 01/01/1999)" == 7 ]] || fail "kalc"
[[ -f /usr/share/man/man1/kalc.1.gz ]] || fail "kalc(1) is not installed"

got=$(cd "$home" && as_user /usr/bin/python3 -c \
    'import kalcore; print(kalcore.convert("12/31/98", "G", 4), kalcore.__file__)')
[[ "$got" == "1998-12-31 /usr/lib/python3/dist-packages/kalcore/__init__.py" ]] ||
    fail "the system's python3 with the installed package printed [$got]"

if [[ " ${names[*]} " == *" libsqlite3-mod-kalcore "* ]]; then
    got=$(as_user sqlite3 :memory: -cmd ".load /usr/lib/$multiarch/sqlite3/kalcore_sqlite" \
        "SELECT kal_convert('12/31/98', 'G', 4);")
    [[ "$got" == 1998-12-31 ]] || fail "sqlite3 with the installed extension printed [$got]"
fi

if [[ " ${names[*]} " == *" postgresql-15-kalcore "* ]]; then
    # A cluster of the system's server binaries, which take their extension
    # directory and module directory from the system's installation; the
    # module finds libkalcore.so.3 through the loader's cache alone.
    pg_bin=/usr/lib/postgresql/15/bin
    as_user "$pg_bin/initdb" -D "$pg_data" -U kalcore -A trust -E UTF8 --locale=C --no-sync \
        >"$work/initdb.log" 2>&1 || { cat "$work/initdb.log" || true; fail "initdb"; }
    as_user "$pg_bin/pg_ctl" -D "$pg_data" -l "$home/pg.log" -w -t 60 \
        -o "-k $home -c listen_addresses= -c port=5432 -c fsync=off" start >/dev/null ||
        { cat "$home/pg.log" || true; fail "the PostgreSQL server did not start"; }
    got=$(as_user psql -X -q -A -t -h "$home" -p 5432 -U kalcore -d postgres -v ON_ERROR_STOP=1 \
        -c "CREATE EXTENSION kalcore" -c "SELECT kal_convert('12/31/98', 'G', 4)" 2>&1) || true
    [[ "$got" == 1998-12-31 ]] || fail "CREATE EXTENSION kalcore and kal_convert gave [$got]"
    as_user "$pg_bin/pg_ctl" -D "$pg_data" -m fast -w stop >/dev/null || fail "pg_ctl stop"
fi

if [[ " ${names[*]} " == *" kaldate "* ]]; then
    as_user "$work/tests/kaldate/program_test.sh" /usr/bin/kaldate || fail "kaldate from its package"
    # A library dialog, drawn by the installed module: the formats dialog
    # opens, and Escape closes it with 1.
    session='
        source "$X11_SESSION"
        start_window_manager
        /usr/bin/python3 -c "import ctypes; print(ctypes.CDLL(\"libkalcore.so.3\").HelpBox())" \
            >"$HOME/helpbox" &
        pid=$!
        formats="Kalendrix Software - Valid Date Formats"
        await window "$formats" || fail "HelpBox showed no dialog"
        sleep 0.3
        xdotool windowactivate --sync "$(window "$formats")" key Escape
        wait "$pid"
        kill "$wm"
        [[ "$(cat "$HOME/helpbox")" == 1 ]] || { echo "FAIL: HelpBox gave $(cat "$HOME/helpbox")"; exit 1; }'
    as_user X11_SESSION="$work/tests/x11_session.sh" \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$session" ||
        fail "a dialog through libkalcore3-dialogs"
fi

# 3. Purged (with whatever apt brought along): nothing of the packages
# remains, and the machine is as before.
purge_all
for f in "${debs[@]}"; do
    while read -r path; do
        [[ -e "$path" || -L "$path" ]] && fail "$path of $(basename "$f") remains"
    done < <(dpkg-deb -c "$f" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|')
done
cache=$(ldconfig -p)
grep -q 'libkalcore\.so' <<<"$cache" && fail "libkalcore.so.3 remains in the loader's cache"
packages_state | diff -u "$work/packages.before" - || fail "the installed packages differ from before"
files_state | diff -u "$work/files.before" - || fail "the files differ from before"

[[ $failures -eq 0 ]] || { echo "$failures failures"; exit 1; }
echo "Debian packages: installed with apt-get, used as user $user, purged without a trace"
