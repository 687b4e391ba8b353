#!/usr/bin/env bash
# Installs what is missing, builds, and runs the launcher's main job in a
# demo installation: a short scripted session that leaves screenshots and
# dumps in the folder it prints.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

demo=$(mktemp -d -t lorvane-demo-XXXXXX)
cp build/bin/Lorvane build/bin/libwinsim.so "$demo"/
mkdir -p "$demo/out"
cat > "$demo/session.script" <<'SCRIPT'
# The launcher opens as the shaped frame with the panel over it.
shot 01-frame
dump 01-frame
# Dragging the frame by an opaque part of its artwork moves frame and panel.
down 300 620
move 400 660
up 400 660
shot 02-dragged
dump 02-dragged
SCRIPT
(cd "$demo" && WINSIM_OUT="$demo/out" WINSIM_SCRIPT="$demo/session.script" ./Lorvane) || true
echo
echo "Demo installation: $demo"
echo "Screenshots and dumps: $demo/out"
ls "$demo/out"
