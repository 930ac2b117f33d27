#!/usr/bin/env bash
# Installs what the Windows DLL needs, when missing: the MinGW-w64 cross
# compilers for 32-bit and 64-bit Windows, and Wine for both architectures
# (the 32-bit one from the i386 architecture, added when missing).
set -eu
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 wine wine64 wine32:i386)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
