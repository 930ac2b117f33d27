# A PostgreSQL 15 server of its own in a temporary directory, with the
# kalcore extension installed into a private copy of the server's
# installation (the system's PostgreSQL is not touched), listening on a Unix
# socket only. Sourced by the tests and the benchmark:
#
#   . sql/postgresql/temp_server.sh
#   pg_temp_start EXTENSION_BUILD_DIR LIBKALCORE_DIR   # sets PGHOST, PGPORT, PGUSER
#   ... psql ...
#   pg_temp_stop                                       # also on exit
#
# PostgreSQL refuses to run as root: as root the server runs as the user
# postgres (made by Debian's package), or kalcore-pgtest, made when missing.

pg_bin=$(/usr/lib/postgresql/15/bin/pg_config --bindir)
pg_share=$(/usr/lib/postgresql/15/bin/pg_config --sharedir)
pg_lib=$(/usr/lib/postgresql/15/bin/pg_config --pkglibdir)
pg_temp_dir=""
pg_temp_source=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

pg_temp_run() {
    if [[ $(id -u) -eq 0 ]]; then
        runuser -u "$pg_temp_user" -- "$@"
    else
        "$@"
    fi
}

pg_temp_start() {
    local build=$1 libdir=$2
    if [[ $(id -u) -eq 0 ]]; then
        pg_temp_user=postgres
        if ! id -u "$pg_temp_user" >/dev/null 2>&1; then
            pg_temp_user=kalcore-pgtest
            id -u "$pg_temp_user" >/dev/null 2>&1 ||
                useradd --system --user-group --no-create-home --shell /usr/sbin/nologin \
                    "$pg_temp_user"
        fi
    else
        pg_temp_user=$(id -un)
    fi
    # /var/tmp: a place every user can reach (/tmp may be private to root).
    pg_temp_dir=$(mktemp -d /var/tmp/kalcore-pg.XXXXXX)
    # The server stops with the script, also when the script is ended.
    trap pg_temp_stop EXIT
    trap 'exit 1' INT TERM
    # The server finds its share and lib directories beside its own binary,
    # so a copy of the binaries with share and lib of links to the system's
    # and the extension's files is an installation of its own.
    local root=$pg_temp_dir/install f
    local bin=$root$pg_bin share=$root$pg_share lib=$root$pg_lib
    mkdir -p "$bin" "$share/extension" "$lib" "$root/kalcore" "$pg_temp_dir/home"
    cp "$pg_bin/postgres" "$pg_bin/initdb" "$pg_bin/pg_ctl" "$bin/"
    for f in "$pg_share"/*; do [[ "$f" == */extension ]] || ln -s "$f" "$share/"; done
    ln -s "$pg_share"/extension/* "$share/extension/"
    # Not the JIT's bitcode directory: the install below writes into it.
    for f in "$pg_lib"/*; do [[ "$f" == */bitcode ]] || ln -s "$f" "$lib/"; done
    # The extension goes in by its own install rule, as into a real server.
    make --no-print-directory -s -C "$build" -f "$pg_temp_source/Makefile" \
        VPATH="$pg_temp_source" PG_CONFIG="$pg_bin/pg_config" \
        KALCORE_INCLUDE="$pg_temp_source/../../kalcore/include" KALCORE_LIBDIR="$libdir" \
        DESTDIR="$root" install >"$pg_temp_dir/install.log" 2>&1 ||
        { cat "$pg_temp_dir/install.log"; return 1; }
    for f in "$share/extension/kalcore.control" "$share/extension/kalcore--1.1.sql" \
        "$share/extension/kalcore--1.0--1.1.sql" "$lib/kalcore_pg.so"; do
        [[ -f "$f" && ! -L "$f" ]] || { echo "make install did not install $f"; return 1; }
    done
    # The library goes along: the server's user may not read the build tree.
    cp -L "$libdir/libkalcore.so.3" "$root/kalcore/"
    chmod -R a+rX "$pg_temp_dir"
    chown -R "$pg_temp_user" "$pg_temp_dir"

    pg_temp_run "$bin/initdb" -D "$pg_temp_dir/data" -U kalcore -A trust -E UTF8 --locale=C \
        --no-sync >"$pg_temp_dir/initdb.log" 2>&1 || { cat "$pg_temp_dir/initdb.log"; return 1; }
    cat >>"$pg_temp_dir/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$pg_temp_dir'
port = 5432
fsync = off
synchronous_commit = off
jit = off
max_parallel_workers_per_gather = 2
EOF
    # The library keeps its configuration and data files in the server's home.
    pg_temp_run env LD_LIBRARY_PATH="$root/kalcore" HOME="$pg_temp_dir/home" \
        XDG_CONFIG_HOME="$pg_temp_dir/home/config" XDG_DATA_HOME="$pg_temp_dir/home/data" \
        HOLDYPATH= "$bin/pg_ctl" -D "$pg_temp_dir/data" -l "$pg_temp_dir/server.log" -w \
        -t 60 start >/dev/null || { cat "$pg_temp_dir/server.log"; return 1; }
    export PGHOST=$pg_temp_dir PGPORT=5432 PGUSER=kalcore PGDATABASE=postgres
}

pg_temp_stop() {
    [[ -n "$pg_temp_dir" && -d "$pg_temp_dir" ]] || return 0
    if [[ -f "$pg_temp_dir/data/postmaster.pid" ]]; then
        pg_temp_run "$pg_temp_dir/install$pg_bin/pg_ctl" -D "$pg_temp_dir/data" -m fast -w \
            stop >/dev/null 2>&1 || true
    fi
    rm -rf "$pg_temp_dir"
    pg_temp_dir=""
}
