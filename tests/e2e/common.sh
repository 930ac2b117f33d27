# Shared by the end-to-end scripts: sourced with kalc's path as $1. Each test
# runs kalc in a fresh home of its own below $root, at a local time frozen by
# faketime.
set -u
kalc=$1
failures=0
command -v faketime >/dev/null || { echo "faketime is missing (scripts/deps.sh installs it)"; exit 1; }
# libfaketime is preloaded ahead of the sanitizer runtime in sanitizer builds.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
export TZ=UTC
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

fail() {
    printf 'FAIL: %s\n' "$*"
    failures=$((failures + 1))
}

# at TIME CMD...: runs CMD in $home at the frozen local time TIME, with
# HOLDYPATH set to $HOLDY when that is given.
# in_home COMMAND...: the command with $home as its home, and the clock as it is.
in_home() {
    env -u HOLDYPATH HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        ${HOLDY:+HOLDYPATH="$HOLDY"} "$@"
}
at() {
    local time=$1
    shift
    in_home faketime -f "$time" "$@"
}

# key NAME: the value of a key of the configuration file $ini.
key() {
    sed -n "s/^$1=//p" "$ini" | tr -d '\r'
}

expect_eq() {  # expect_eq WHAT GOT WANT
    [[ "$2" == "$3" ]] || fail "$1: got [$2], want [$3]"
}

# finish WHAT: the script's verdict.
finish() {
    if [[ $failures -ne 0 ]]; then
        echo "$failures failure(s)"
        exit 1
    fi
    echo "all $1 checks passed"
}
