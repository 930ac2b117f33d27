#!/usr/bin/env bash
# Installs the built library into a scratch prefix, then builds the C example
# of the README against it twice: with find_package(kalcore) and with
# pkg-config. Both programs must run and print the expected dates.
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[[ -s "$work/prefix/share/doc/kalcore/README.md" ]] || { echo "README.md is not installed"; exit 1; }
sed -n '/^```c$/,/^```$/{/^```/d;p}' "$source/README.md" >"$work/example.c"
[[ -s "$work/example.c" ]] || { echo "no C example in README.md"; exit 1; }

want="Dec/31/$(date +%C)98 1998-12-31"

cmake -S "$source/tests/install/consumer" -B "$work/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$work/prefix" -DEXAMPLE_SOURCE="$work/example.c" >/dev/null
cmake --build "$work/consumer" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name 'libkalcore.so' | head -n 1)")
got=$(LD_LIBRARY_PATH="$libdir" "$work/consumer/example")
[[ "$got" == "$want" ]] || { echo "find_package build printed [$got], want [$want]"; exit 1; }

pcdir=$(dirname "$(find "$work/prefix" -name 'kalcore.pc' | head -n 1)")
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs kalcore)
# shellcheck disable=SC2086
cc -Wall -Wextra -Werror "$work/example.c" $flags -o "$work/example-pc"
got=$(LD_LIBRARY_PATH="$libdir" "$work/example-pc")
[[ "$got" == "$want" ]] || { echo "pkg-config build printed [$got], want [$want]"; exit 1; }

# The header is plain C and C++ alike.
printf '#include <kalcore.h>\nint main() { char d[12] = "TODAY"; return KD_ISVDATE(d) == 1 ? 0 : 1; }\n' >"$work/cxx.cpp"
c++ -std=c++17 -Wall -Wextra -Werror "$work/cxx.cpp" $flags -o "$work/cxx"
LD_LIBRARY_PATH="$libdir" "$work/cxx"
echo "install checks passed"
