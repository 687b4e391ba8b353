#!/usr/bin/env bash
# Installs what the Windows build and its tests under Wine need, only what is
# missing: the mingw-w64 cross-compiler, 32-bit Wine, dpkg-dev (for
# `apt-get source`) and the locales Wine takes its code pages from. On a
# machine that cannot run 32-bit programs itself, it also lets qemu's i386
# emulator run them (see README.md).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++-mingw-w64-i686 wine wine32:i386 dpkg-dev locales)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
apt_get() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 "$@"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  apt_get update -qq
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

scripts/windows-i386.sh
