#!/usr/bin/env bash
# Builds the Windows artifacts into build-windows/bin/: Ostrel.dll (a 32-bit
# PE) and the programs its tests under Wine run. With "test", then runs those
# tests (ctest's label "wine" of the Linux build in build/, which must be
# built) under Wine, without a display or prompts, with the prefix in
# build-windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/windows-deps.sh

out=$PWD/build-windows
scripts=$PWD/scripts
jobs=$(nproc)
mkdir -p "$out"

# TinyXML 2.6 from Debian's source package, Debian's patches applied. Without
# a deb-src entry in the system's sources, one is added for this fetch only.
tinyxml=$out/tinyxml
if [ ! -f "$tinyxml/tinyxml.h" ]; then
  rm -rf "$out/tinyxml-fetch" && mkdir -p "$out/tinyxml-fetch"
  (
    cd "$out/tinyxml-fetch"
    if apt-cache showsrc tinyxml >/dev/null 2>&1; then
      apt-get source -qq tinyxml
    else
      . /etc/os-release
      "$scripts/apt-private.sh" "$PWD/apt" "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" \
        source -qq tinyxml
    fi
  ) >/dev/null
  rm -rf "$tinyxml" && mv "$out"/tinyxml-fetch/tinyxml-*/ "$tinyxml" && rm -rf "$out/tinyxml-fetch"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTINYXML_SOURCE_DIR="$tinyxml" "${launcher[@]}"
cmake --build "$out" -j"$jobs"

[ "${1:-}" = test ] || exit 0

# Wine's settings: its prefix here, no display, no mono or gecko installers,
# quiet; the locales that give the code pages 936 (zh_CN) and 1252 (en_US).
export WINEPREFIX=$out/wine-prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$out/locale"
for locale in zh_CN en_US; do
  [ -d "$out/locale/$locale.UTF-8" ] || localedef -i "$locale" -f UTF-8 "$out/locale/$locale.UTF-8"
done
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i
# One Wine server for the whole run, with the prefix's services started
# here, so that no test pays for them and none of them holds a test's output.
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k || true' EXIT
wineboot </dev/null >/dev/null 2>&1
(cd build && ctest -L wine --output-on-failure -j"$((2 * jobs))")
