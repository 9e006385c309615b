#!/usr/bin/env bash
# Runs the real program under Xvfb (1920x1080, 24-bit) with a window manager,
# so that the frame opens maximized, and saves a PNG of the whole screen.
#   scripts/screenshot.sh [out.png] [seconds to wait before the picture]
# Builds the velmora target first when the build folder has no program yet
# (VELMORA_BUILD_DIR, default build).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/screenshot.png}
delay=${2:-5}
build=${VELMORA_BUILD_DIR:-build}
if [ ! -x "$build/bin/velmora" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j2 --target velmora
fi
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
program=$(cd "$build/bin" && pwd)/velmora

xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -u
  matchbox-window-manager -use_titlebar yes >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$1" &
  app=$!
  sleep "$2"
  import -window root "$3"
  kill "$app" "$wm" 2>/dev/null
  wait 2>/dev/null
  true
' screenshot "$program" "$delay" "$out"
echo "$out"
