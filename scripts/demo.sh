#!/usr/bin/env bash
# Installs what is missing, builds, and runs the launcher's main job in a
# demo installation: against a small local game portal, a scripted player
# opens the launcher, picks a server, plays, hides the game with the boss key
# and brings it back from the tray. Screenshots and dumps land in the folder
# it prints.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

portal_host=$(sed -n 's/^LORVANE_PORTAL_HOST:STRING=//p' build/CMakeCache.txt)
forum_host=$(sed -n 's/^LORVANE_FORUM_HOST:STRING=//p' build/CMakeCache.txt)

demo=$(mktemp -d -t lorvane-demo-XXXXXX)
cp build/bin/Lorvane build/bin/libwinsim.so "$demo"/
mkdir -p "$demo/out"

# The portal answers on a free port; the virtual network sends the web
# endpoints' host names there.
build/bin/lorvane_portal 0 > "$demo/portal.log" &
portal=$!
trap 'kill $portal 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q "listening on" "$demo/portal.log" 2>/dev/null && break
  sleep 0.05
done
port=$(sed -n 's/^listening on 127\.0\.0\.1://p' "$demo/portal.log" | head -1)

cat > "$demo/session.script" <<SCRIPT
# The launcher opens as the shaped frame with the server list over it.
shot 01-frame
dump 01-frame
# Dragging the frame by its artwork moves frame and panel together.
down 300 300
move 340 320
up 340 320
shot 02-dragged
# The player picks server 12 on the start page.
browse 132 http://$portal_host/clientex/bin/index.php?uid=demo&server_id=s12&sign=7d1c0a
shot 03-game
dump 03-game
# The boss key hides the game in the tray; a click on the tray icon brings it back.
key F11
shot 04-tray
dump 04-tray
tray-click 128 left
shot 05-restored
# Closing from the tray menu ends the launcher.
key F11
tray-click 128 right
shot 06-tray-menu
menu 关闭
SCRIPT

(cd "$demo" && WINSIM_OUT="$demo/out" WINSIM_SCRIPT="$demo/session.script" \
  WINSIM_HOSTS="$portal_host=127.0.0.1,$forum_host=127.0.0.1" WINSIM_HTTP_PORT="$port" ./Lorvane) || true
echo
echo "Demo installation: $demo"
echo "Screenshots and dumps: $demo/out"
ls "$demo/out"
