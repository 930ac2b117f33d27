#!/usr/bin/env bash
# Installs what the Windows DLL needs, when missing: the MinGW-w64 cross
# compilers for 32-bit and 64-bit Windows, and Wine for both architectures
# (the 32-bit one from the i386 architecture, added when missing). The
# 32-bit Wine is installed where it can be: without it (or on a kernel that
# cannot run 32-bit programs) the 32-bit DLL's Wine tests report skipped.
set -eu
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 wine wine64)
optional=wine32:i386
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && installed "$optional" && exit 0
echo "installing: ${missing[*]} $optional"
# The i386 indexes matter only to the 32-bit Wine.
source "$(dirname "$0")/apt-update.sh"
apt_update
apt_install() {
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
[[ ${#missing[@]} -eq 0 ]] || apt_install "${missing[@]}"
if ! installed "$optional" && ! apt_install "$optional"; then
    echo "$optional could not be installed: the 32-bit Windows DLL's Wine tests will report skipped"
fi
