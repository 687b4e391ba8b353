#!/usr/bin/env bash
# Makes sure 32-bit x86 programs run, as Wine's 32-bit loader is one. Where
# the kernel cannot run them (a virtual machine without 32-bit mode), qemu's
# i386 user-mode emulator runs them through binfmt_misc. Bookworm's qemu
# (7.2) ignores the fixed-address reservations Wine's loader makes, so the
# emulator comes from the release's backports, unpacked into
# build-windows/qemu without installing it. Needs root for the registration.
set -euo pipefail
cd "$(dirname "$0")/.."

runs_i386() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
runs_i386 && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
qemu=build-windows/qemu/usr/bin/qemu-i386
if [ ! -x "$qemu" ]; then
  mkdir -p build-windows/qemu-fetch build-windows/qemu
  . /etc/os-release
  (cd build-windows/qemu-fetch && ../../scripts/apt-private.sh "$PWD/apt" \
    "deb http://deb.debian.org/debian $VERSION_CODENAME-backports main" download -qq qemu-user)
  dpkg-deb -x build-windows/qemu-fetch/qemu-user_*.deb build-windows/qemu
  rm -rf build-windows/qemu-fetch
fi

binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
# 32-bit little-endian ELF executables and shared objects for i386; "F" opens
# the emulator now, so the registration does not depend on this folder.
[ -e "$binfmt/lorvane-i386" ] && echo -1 | $sudo tee "$binfmt/lorvane-i386" >/dev/null
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":lorvane-i386:M::$magic:$mask:$(realpath "$qemu"):F" | $sudo tee "$binfmt/register" >/dev/null
runs_i386 || { echo "32-bit programs still do not run" >&2; exit 1; }
echo "32-bit programs run through $(realpath "$qemu")"
