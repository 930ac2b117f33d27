#!/usr/bin/env bash
# Installs the built library into a scratch prefix, then builds the C and the
# C++ examples of the README against it twice: with find_package(kalcore)
# and with pkg-config. Every program must run and print the expected dates.
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
sed -n '/^```cpp$/,/^```$/{/^```/d;p}' "$source/README.md" >"$work/example.cpp"
[[ -s "$work/example.cpp" ]] || { echo "no C++ example in README.md"; exit 1; }
want_cpp="1949-12-31 Jul/04/1976 2 2376"

cmake -S "$source/tests/install/consumer" -B "$work/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$work/prefix" -DEXAMPLE_SOURCE="$work/example.c" \
    -DEXAMPLE_CXX_SOURCE="$work/example.cpp" >/dev/null
cmake --build "$work/consumer" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name 'libkalcore.so' | head -n 1)")
got=$(LD_LIBRARY_PATH="$libdir" "$work/consumer/example")
[[ "$got" == "$want" ]] || { echo "find_package build printed [$got], want [$want]"; exit 1; }
got=$(LD_LIBRARY_PATH="$libdir" "$work/consumer/example_cpp")
[[ "$got" == "$want_cpp" ]] || { echo "find_package C++ build printed [$got], want [$want_cpp]"; exit 1; }

pcdir=$(dirname "$(find "$work/prefix" -name 'kalcore.pc' | head -n 1)")
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs kalcore)
# shellcheck disable=SC2086
cc -Wall -Wextra -Werror "$work/example.c" $flags -o "$work/example-pc"
got=$(LD_LIBRARY_PATH="$libdir" "$work/example-pc")
[[ "$got" == "$want" ]] || { echo "pkg-config build printed [$got], want [$want]"; exit 1; }
# shellcheck disable=SC2086
c++ -std=c++20 -Wall -Wextra -Werror "$work/example.cpp" $flags -o "$work/example-cpp-pc"
got=$(LD_LIBRARY_PATH="$libdir" "$work/example-cpp-pc")
[[ "$got" == "$want_cpp" ]] || { echo "pkg-config C++ build printed [$got], want [$want_cpp]"; exit 1; }
# The column header is plain C99 as well.
printf '#include <kalcore/dates.h>\nint main(void) { kal_options o = KAL_OPTIONS_INIT; kal_date d; return kal_parse("1/2/03", 6, &o, &d) == KAL_OK && d.year == 2003 ? 0 : 1; }\n' >"$work/dates.c"
# shellcheck disable=SC2086
cc -std=c99 -pedantic -Wall -Wextra -Werror "$work/dates.c" $flags -o "$work/dates"
LD_LIBRARY_PATH="$libdir" "$work/dates"

# The header is plain C and C++ alike.
printf '#include <kalcore.h>\nint main() { char d[12] = "TODAY"; return KD_ISVDATE(d) == 1 ? 0 : 1; }\n' >"$work/cxx.cpp"
c++ -std=c++17 -Wall -Wextra -Werror "$work/cxx.cpp" $flags -o "$work/cxx"
LD_LIBRARY_PATH="$libdir" "$work/cxx"
echo "install checks passed"
