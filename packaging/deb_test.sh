#!/usr/bin/env bash
# Builds the Debian packages as the README's "Debian packages" section says
# and checks them: what each holds (dpkg-deb), what each depends on, that
# apt could install them all on this machine; then installs them into a
# temporary root with dpkg and runs kalc, its manual page and completion, the
# README's C example and the Python package from there.
#
# The README's commands run as they stand, from a directory where build/ is
# this build; its `sudo apt install` line installs into the temporary root
# (a test must not install into the machine itself).
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
# The demo's package is made when the demo is built.
demo=0
[[ -x "$build/kaldate/kaldate" ]] && demo=1
for p in libkalcore3 libkalcore-dev kalc $([[ $demo -eq 1 ]] && echo kaldate); do
    [[ -f "$packages/${p}_${version}_${arch}.deb" ]] || fail "no package $p"
done

# What each package holds: every path listed, and nothing of another's.
contents() { dpkg-deb -c "$packages/$1_${version}_${arch}.deb" | awk '{print $6}' | sed 's|^\./|/|'; }
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
# The dialog module goes beside the library, where it looks for it.
[[ -f "$build/kalcore/libkalcore_dialogs.so" ]] && expect_paths libkalcore3 "$lib/libkalcore_dialogs.so"
expect_paths libkalcore-dev /usr/include/kalcore.h "$lib/libkalcore.so" \
    "$lib/pkgconfig/kalcore.pc" "$lib/cmake/kalcore/kalcoreConfig.cmake" \
    "$lib/cmake/kalcore/kalcoreConfigVersion.cmake" "$lib/cmake/kalcore/kalcoreTargets.cmake"
expect_paths kalc /usr/bin/kalc /usr/share/man/man1/kalc.1.gz \
    /usr/share/bash-completion/completions/kalc
[[ $demo -eq 1 ]] && expect_paths kaldate /usr/bin/kaldate
contents libkalcore3 | grep -E '\.h$|/bin/|/libkalcore\.so$' &&
    fail "libkalcore3 holds development files or programs"
contents libkalcore-dev | grep -E '\.so\.[0-9]' && fail "libkalcore-dev holds the shared library"
contents kalc | grep -E '/lib/' && fail "kalc holds a library"

# What each depends on.
depends() { dpkg-deb -f "$packages/$1_${version}_${arch}.deb" Depends; }
expect_depends() {
    local package=$1 pattern
    shift
    for pattern in "$@"; do
        grep -qE -- "$pattern" <<<"$(depends "$package")" ||
            fail "$package depends on [$(depends "$package")], not on $pattern"
    done
}
expect_depends libkalcore3 'libc6 \(>=' 'libstdc\+\+6 \(>='
expect_depends libkalcore-dev "^libkalcore3 \(= $version\)$"
expect_depends kalc "libkalcore3 \(= $version\)" 'libc6 \(>=' 'libstdc\+\+6 \(>='
[[ $demo -eq 1 ]] && expect_depends kaldate "libkalcore3 \(= $version\)" 'libqt6widgets6' 'libc6 \(>='
dpkg-deb -e "$packages/libkalcore3_${version}_${arch}.deb" "$work/control"
grep -qx "libkalcore 3 libkalcore3 (>= $version)" "$work/control/shlibs" ||
    fail "libkalcore3's shlibs file: $(cat "$work/control/shlibs" 2>/dev/null)"
# apt resolves every dependency on this machine (a simulation installs nothing).
apt-get install --simulate -q "$packages"/*_"${version}_${arch}".deb >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt cannot install the packages"; }

# From the temporary root: the program, its manual page and completion.
dpkg --root="$root" -s kalc | grep -qx 'Status: install ok unpacked' || fail "dpkg did not record kalc"
export LD_LIBRARY_PATH=$root$lib
[[ $("$root/usr/bin/kalc" days 12/25/1998 01/01/1999) == 7 ]] || fail "kalc from the root"
zcat "$root/usr/share/man/man1/kalc.1.gz" | groff -man -t -Tutf8 -ww 2>&1 >"$work/page" |
    grep . && fail "the installed manual page renders with warnings"
grep -q 'convert, check and count dates' "$work/page" || fail "the installed manual page is empty"
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

# The Python package finds the installed library on the loader's path.
py=$(PYTHONPATH=$source_dir/python/src /usr/bin/python3 -c \
    'import kalcore; print(kalcore.convert("12/31/98", "G", 4))')
[[ "$py" == 1998-12-31 ]] || fail "the Python package with the installed library printed [$py]"

[[ $failures -eq 0 ]] || { echo "$failures failures"; exit 1; }
echo "Debian packages: built, checked and installed into a temporary root"
