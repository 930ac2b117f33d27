#!/usr/bin/env bash
# Builds the Debian packages as the README's "Install" section says
# and checks them: what each holds (dpkg-deb), what each depends on (the
# library nothing but the C and C++ runtime), libkalcore3's control files
# (its symbols file against the library's dynamic symbols, the ldconfig
# trigger), lintian on every package, that apt could install them all on this
# machine; then installs them into a temporary root with dpkg and runs kalc,
# its manual page and completion, the README's C example and the Python
# package from there. packaging/install_test.sh installs them for real.
#
# The README's commands run as they stand, from a directory where build/ is
# this build; its `sudo apt install` line installs into the temporary root
# (this test must not install into the machine itself).
# Usage: deb_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data HOLDYPATH=
version=$(sed -n 's/^project(kalcore VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
root=$work/root
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

. "$source_dir/tests/readme_blocks.sh"
commands=$(readme_block "$source_dir" "sh packages")
want=$(readme_block "$source_dir" "text packages")
[[ -n "$commands" && -n "$want" ]] || { echo "no packages example in README.md"; exit 1; }
mkdir -p "$work/project" "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
ln -s "$build" "$work/project/build"
rm -rf "$build/packages"
sudo() {
    [[ "$1 $2" == "apt install" ]] || { echo "unexpected: sudo $*" >&2; return 1; }
    shift 2
    dpkg --root="$root" --force-not-root --force-script-chrootless --unpack "$@" >/dev/null
}
export -f sudo
export root
got=$(cd "$work/project" && PATH="$root/usr/bin:$PATH" LD_LIBRARY_PATH="$root/usr/lib/$multiarch" \
    bash -euo pipefail -c "$commands" 2>"$work/readme.err") ||
    { cat "$work/readme.err"; fail "the README's commands failed"; }
# The README shows what its last command prints (cpack reports its work first).
last=$(tail -n "$(wc -l <<<"$want")" <<<"$got")
[[ "$last" == "$want" ]] || fail "the README's commands printed [$got], the README says [$want]"
packages=$build/packages
# The packages made when their parts are built.
demo=0
[[ -x "$build/kaldate/kaldate" ]] && demo=1
pg_config=/usr/lib/postgresql/15/bin/pg_config
pg=0
[[ -f "$build/sql/postgresql/kalcore_pg.so" ]] && pg=1
deb() {
    local a=$arch
    [[ "$1" == python3-kalcore ]] && a=all
    echo "$packages/$1_${version}_$a.deb"
}
all=(libkalcore3 libkalcore-dev kalc python3-kalcore)
[[ $demo -eq 1 ]] && all+=(libkalcore3-dialogs kaldate)
[[ -f "$build/sql/sqlite/kalcore_sqlite.so" ]] && all+=(libsqlite3-mod-kalcore)
[[ $pg -eq 1 ]] && all+=(postgresql-15-kalcore)
for p in "${all[@]}"; do
    [[ -f "$(deb "$p")" ]] || fail "no package $p"
done
made=$(cd "$packages" && ls -- *.deb | sort)
want_made=$(for p in "${all[@]}"; do basename "$(deb "$p")"; done | sort)
[[ "$made" == "$want_made" ]] || fail "cpack made [$made], not [$want_made]"

# What each package holds: every path listed, and nothing of another's.
contents() { dpkg-deb -c "$(deb "$1")" | awk '{print $6}' | sed 's|^\./|/|'; }
expect_paths() {
    local package=$1 path
    shift
    local listing
    listing=$(contents "$package")
    for path in "$@"; do
        grep -qx -- "$path" <<<"$listing" || fail "$package lacks $path"
    done
}
lib=/usr/lib/$multiarch
expect_paths libkalcore3 "$lib/libkalcore.so.3" "$lib/libkalcore.so.$version"
# The dialog module goes where the library looks for it, in a package of its
# own.
[[ $demo -eq 1 ]] && expect_paths libkalcore3-dialogs "$lib/kalcore3/libkalcore_dialogs.so"
contents libkalcore3 | grep -E '\.h$|/bin/|/libkalcore\.so$|dialogs' &&
    fail "libkalcore3 holds development files, programs or the dialog module"
expect_paths libkalcore-dev /usr/include/kalcore.h "$lib/libkalcore.so" \
    "$lib/pkgconfig/kalcore.pc" "$lib/cmake/kalcore/kalcoreConfig.cmake" \
    "$lib/cmake/kalcore/kalcoreConfigVersion.cmake" "$lib/cmake/kalcore/kalcoreTargets.cmake"
expect_paths kalc /usr/bin/kalc /usr/share/man/man1/kalc.1.gz \
    /usr/share/bash-completion/completions/kalc
[[ $demo -eq 1 ]] && expect_paths kaldate /usr/bin/kaldate /usr/share/man/man1/kaldate.1.gz
contents libkalcore-dev | grep -E '\.so\.[0-9]' && fail "libkalcore-dev holds the shared library"
contents kalc | grep -E '/lib/' && fail "kalc holds a library"
# The Python package: every module of the source tree, and only those.
py_dir=/usr/lib/python3/dist-packages/kalcore
py_want=$(cd "$source_dir/python/src/kalcore" &&
    find . -path '*/__pycache__' -prune -o \( -name '*.py' -o -name py.typed \) -print |
    sed "s|^\.|$py_dir|" | sort)
py_got=$(contents python3-kalcore | grep "^$py_dir/" | grep -v '/$' | sort)
[[ "$py_got" == "$py_want" ]] || fail "python3-kalcore holds [$py_got], not [$py_want]"
[[ " ${all[*]} " == *" libsqlite3-mod-kalcore "* ]] &&
    expect_paths libsqlite3-mod-kalcore "$lib/sqlite3/kalcore_sqlite.so"
# The PostgreSQL extension where the server looks for it.
[[ $pg -eq 1 ]] && expect_paths postgresql-15-kalcore "$($pg_config --pkglibdir)/kalcore_pg.so" \
    "$($pg_config --sharedir)/extension/kalcore.control" \
    "$($pg_config --sharedir)/extension/kalcore--1.1.sql" \
    "$($pg_config --sharedir)/extension/kalcore--1.0--1.1.sql"
# Every package: its copyright file and its changelog, whose latest entry is
# this version.
for p in "${all[@]}"; do
    expect_paths "$p" "/usr/share/doc/$p/copyright" "/usr/share/doc/$p/changelog.gz"
done
changelog=$(head -n 1 "$source_dir/packaging/debian/changelog")
[[ "$changelog" == "kalcore ($version) "* ]] ||
    fail "packaging/debian/changelog begins [$changelog], not with version $version"

# What each depends on.
field() { dpkg-deb -f "$(deb "$1")" "$2"; }
expect_depends() {
    local package=$1 pattern
    shift
    for pattern in "$@"; do
        grep -qE -- "$pattern" <<<"$(field "$package" Depends)" ||
            fail "$package depends on [$(field "$package" Depends)], not on $pattern"
    done
}
expect_depends libkalcore3 'libc6 \(>=' 'libstdc\+\+6 \(>='
# A server takes the library without a desktop: the C and C++ runtime only.
others=$(field libkalcore3 Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' |
    grep -vxE 'libc6|libgcc-s1|libstdc\+\+6' || true)
[[ -z "$others" ]] || fail "libkalcore3 depends on more than the C and C++ runtime: $others"
[[ "$(field libkalcore3 Suggests)" == libkalcore3-dialogs ]] ||
    fail "libkalcore3 suggests [$(field libkalcore3 Suggests)]"
expect_depends libkalcore-dev "^libkalcore3 \(= $version\)$"
expect_depends kalc "libkalcore3 \(= $version\)" 'libc6 \(>=' 'libstdc\+\+6 \(>='
if [[ $demo -eq 1 ]]; then
    expect_depends libkalcore3-dialogs "libkalcore3 \(= $version\)" 'libqt6widgets6' 'libc6 \(>='
    expect_depends kaldate "libkalcore3 \(= $version\)" "libkalcore3-dialogs \(= $version\)" \
        'libqt6widgets6' 'libc6 \(>='
fi
expect_depends python3-kalcore '^python3:any, ' "libkalcore3 \(>= $version\)"
[[ "$(field python3-kalcore Recommends)" == python3-numpy ]] || fail "python3-kalcore recommends"
[[ "$(field python3-kalcore Architecture)" == all ]] || fail "python3-kalcore is not for all architectures"
[[ " ${all[*]} " == *" libsqlite3-mod-kalcore "* ]] &&
    expect_depends libsqlite3-mod-kalcore "libkalcore3 \(>= $version\)" 'libc6 \(>='
[[ $pg -eq 1 ]] && expect_depends postgresql-15-kalcore '(^|, )postgresql-15(,|$)' \
    "libkalcore3 \(>= $version\)"

# libkalcore3's control files: shlibs, the ldconfig trigger instead of
# maintainer scripts, and a symbols file naming exactly the library's
# dynamic symbols, each at this version.
dpkg-deb -e "$(deb libkalcore3)" "$work/control"
grep -qx "libkalcore 3 libkalcore3 (>= $version)" "$work/control/shlibs" ||
    fail "libkalcore3's shlibs file: $(cat "$work/control/shlibs" 2>/dev/null)"
[[ "$(cat "$work/control/triggers" 2>/dev/null)" == "activate-noawait ldconfig" ]] ||
    fail "libkalcore3 has no ldconfig trigger"
for script in preinst postinst prerm postrm; do
    [[ -e "$work/control/$script" ]] && fail "libkalcore3 has a $script script"
done
[[ "$(head -n 1 "$work/control/symbols")" == "libkalcore.so.3 libkalcore3 #MINVER#" ]] ||
    fail "libkalcore3's symbols file begins [$(head -n 1 "$work/control/symbols")]"
dpkg-deb -x "$(deb libkalcore3)" "$work/libkalcore3"
dynamic=$(nm -D --defined-only "$work/libkalcore3$lib/libkalcore.so.3" | awk '{print $3 "@Base"}' | sort)
listed=$(awk '/^ / {print $1}' "$work/control/symbols" | sort)
[[ "$dynamic" == "$listed" ]] ||
    fail "symbols file and library differ: $(diff <(echo "$listed") <(echo "$dynamic") | grep '^[<>]' | tr '\n' ' ')"
awk '/^ / && $2 != v {bad = 1} END {exit bad}' v="$version" "$work/control/symbols" ||
    fail "a symbol of libkalcore3's symbols file is not at version $version"

# lintian, Debian's package checker: no error and no warning on any package
# (what remains is overridden in the package, with its reason).
files=()
for p in "${all[@]}"; do files+=("$(deb "$p")"); done
lintian --fail-on error,warning --tag-display-limit 0 "${files[@]}" >"$work/lintian.log" 2>&1 ||
    { grep -v 'root privileges' "$work/lintian.log"; fail "lintian"; }
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"
# apt resolves every dependency on this machine (a simulation installs nothing).
apt-get install --simulate -q "$packages"/*.deb >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt cannot install the packages"; }

# From the temporary root: the program, its manual page and completion.
grep -qx 'Status: install ok unpacked' <<<"$(dpkg --root="$root" -s kalc)" || fail "dpkg did not record kalc"
export LD_LIBRARY_PATH=$root$lib
[[ $("$root/usr/bin/kalc" days 12/25/1998 01/01/1999) == 7 ]] || fail "kalc from the root"
# The manual pages render without a warning and say what their program is.
pages=("kalc:convert, check and count dates")
[[ $demo -eq 1 ]] && pages+=("kaldate:desktop demo of the kalcore date library")
for page in "${pages[@]}"; do
    zcat "$root/usr/share/man/man1/${page%%:*}.1.gz" | groff -man -t -Tutf8 -ww 2>&1 >"$work/page" |
        grep . && fail "the installed manual page ${page%%:*}(1) renders with warnings"
    grep -q -- "${page#*:}" "$work/page" || fail "the installed manual page ${page%%:*}(1) is empty"
done
completed=$(bash -c '. "$1"; COMP_WORDS=(kalc hol); COMP_CWORD=1; _kalc; echo "${COMPREPLY[*]}"' \
    _ "$root/usr/share/bash-completion/completions/kalc")
[[ "$completed" == "holiday holidays" ]] || fail "the installed completion gave [$completed]"

# The README's C example against the installed development package, with
# pkg-config and with find_package.
sed -n '/^```c$/,/^```$/{/^```/d;p}' "$source_dir/README.md" >"$work/example.c"
c_want="Dec/31/$(date +%C)98 1998-12-31"
# shellcheck disable=SC2046
cc -Wall -Wextra -Werror "$work/example.c" \
    $(PKG_CONFIG_PATH=$root$lib/pkgconfig pkg-config --cflags --libs kalcore) -o "$work/example-pc"
[[ $("$work/example-pc") == "$c_want" ]] || fail "the C example built with pkg-config"
cmake -S "$source_dir/tests/install/consumer" -B "$work/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$root/usr" -DEXAMPLE_SOURCE="$work/example.c" >/dev/null
cmake --build "$work/consumer" >/dev/null
[[ $("$work/consumer/example") == "$c_want" ]] || fail "the C example built with find_package"

# The installed Python package finds the installed library on the loader's path.
py=$(cd "$work" && env -u KALCORE_LIBRARY PYTHONPATH="$root/usr/lib/python3/dist-packages" /usr/bin/python3 \
    -c 'import kalcore; print(kalcore.convert("12/31/98", "G", 4))')
[[ "$py" == 1998-12-31 ]] || fail "the installed Python package printed [$py]"

[[ $failures -eq 0 ]] || { echo "$failures failures"; exit 1; }
echo "Debian packages: built, checked and installed into a temporary root"
