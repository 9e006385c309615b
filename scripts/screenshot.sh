#!/usr/bin/env bash
# Runs the real program under Xvfb (1920x1080, 24-bit) with a window manager,
# so that the frame opens maximized, and saves a PNG of the whole screen.
#   scripts/screenshot.sh [out.png] [seconds to wait before the picture] [key...]
# Each key (xdotool's names: alt+m, Escape, ...) is pressed in turn before
# the picture, with a short pause after each.
# Builds the velmora target first when the build folder has no program yet
# (VELMORA_BUILD_DIR, default build).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/screenshot.png}
delay=${2:-5}
keys=("${@:3}")
build=${VELMORA_BUILD_DIR:-build}
if [ ! -x "$build/bin/velmora" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j2 --target velmora
fi
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
program=$(cd "$build/bin" && pwd)/velmora

# The window manager's own key bindings (Alt+M, Alt+C, Alt+N, Alt+P, Alt+D)
# would take those keys from the program: it keeps only window switching.
wmhome=$(mktemp -d)
trap 'rm -rf "$wmhome"' EXIT
mkdir -p "$wmhome/.matchbox"
printf '<alt>Tab=next\n<alt><shift>Tab=prev\n' >"$wmhome/.matchbox/kbdconfig"

xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -u
  HOME="$4" matchbox-window-manager -use_titlebar yes >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$1" &
  app=$!
  sleep "$2"
  for key in "${@:5}"; do
    xdotool key "$key"
    sleep 0.5
  done
  import -window root "$3"
  kill "$app" "$wm" 2>/dev/null
  wait 2>/dev/null
  true
' screenshot "$program" "$delay" "$out" "$wmhome" "${keys[@]}"
echo "$out"
