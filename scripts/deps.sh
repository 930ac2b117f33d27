#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -eu
packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
          libbenchmark-dev pkgconf binutils faketime tzdata python3
          # system calls counted in the tests
          strace
          # the desktop demo and its tests: Qt 6 Widgets, the print system's
          # client library, a virtual X server with a window manager for the
          # screenshots, ImageMagick to check them, xdotool to time start-up
          qt6-base-dev libcups2-dev fonts-dejavu-core xvfb xauth openbox imagemagick xdotool
          # Num Lock through XKB, and the screenshots' window frames: Xlib
          libx11-dev
          # the Python package (Debian's Python, venv, pytest, mypy; setuptools
          # and wheel to install it offline), the SQLite and PostgreSQL extensions
          # and their servers and shells, the Debian packages (dpkg-shlibdeps)
          # and the manual page, lintian to check them; NumPy, pandas and Dask's distributed scheduler
          # for the package's column functions and their tests
          python3-venv python3-pytest python3-mypy python3-setuptools python3-wheel
          python3-numpy python3-pandas python3-distributed
          libsqlite3-dev sqlite3 postgresql-15 postgresql-server-dev-15 dpkg-dev groff-base lintian)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "installing: ${missing[*]}"
source "$(dirname "$0")/apt-update.sh"
apt_update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
