#!/usr/bin/env bash
# Installs the package into a fresh virtual environment offline, as the
# README's Python section says, and runs the README's example there as it
# stands; then the tests against the installed package, and an install that
# carries the library beside the package.
# Usage: venv_install_test.sh PYTHON LIBKALCORE
set -euo pipefail
python=$1
library=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data HOLDYPATH=
unset KALCORE_LIBRARY

# The README runs from the project root with the build in build/ and
# Debian's python3 first on the PATH; pip builds in its copy of python/.
mkdir -p "$work/bin" "$work/project/build/kalcore"
ln -s "$python" "$work/bin/python3"
cp -r "$root/python" "$work/project/python"
rm -rf "$work/project/python/build" "$work/project/python/src/"*.egg-info
ln -s "$library" "$work/project/build/kalcore/libkalcore.so.3"
. "$root/tests/readme_blocks.sh"
install=$(readme_block "$root" "sh python")
example=$(readme_block "$root" "python")
want=$(readme_block "$root" "text python")
[[ -n "$install" && -n "$example" && -n "$want" ]] || { echo "no Python example in README.md"; exit 1; }
got=$(cd "$work/project" && PATH="$work/bin:$PATH" bash -euo pipefail -c \
    "{"$'\n'"$install"$'\n'"} >/dev/null"$'\n'".venv/bin/python - <<'PYTHON'"$'\n'"$example"$'\n'"PYTHON")
if [[ "$got" != "$want" ]]; then
    printf 'README example printed:\n%s\nREADME says:\n%s\n' "$got" "$want"
    exit 1
fi
venv=$work/project/.venv
[[ -f $(echo "$venv"/lib/python3*/site-packages/kalcore/py.typed) ]] || { echo "py.typed not installed"; exit 1; }

# The tests, against the installed package.
(cd "$work" && KALCORE_TEST_INSTALLED=1 KALCORE_LIBRARY=$library "$venv/bin/python" -m pytest -q \
    -p no:cacheprovider "$root/python/tests" | tail -n 1)

# A copy of the library beside the modules is installed with them and found
# first, without KALCORE_LIBRARY.
cp -L "$library" "$work/project/python/src/kalcore/libkalcore.so.3"
"$venv/bin/pip" install -q --no-index --no-build-isolation --force-reinstall "$work/project/python"
got=$(cd "$work" && env -u LD_LIBRARY_PATH "$venv/bin/python" -c \
    'import kalcore, kalcore._library as l; print(kalcore.convert("12/31/98", "G", 4), l.load()._name)')
[[ "$got" == "1998-12-31 $venv/lib/"python3*"/site-packages/kalcore/libkalcore.so.3" ]] ||
    { echo "the library beside the installed package was not used: $got"; exit 1; }
echo "Python package: installed offline, README example and tests passed"
