#!/usr/bin/env bash
# Takes the pictures of docs/guide.md and the README's lead picture
# (scripts/docs-pictures.sh runs it: use that, the one way to remake the
# docs; it then makes the command line's pictures and outputs): runs
# the real program under Xvfb (1920x1080) with a window manager, drives it
# with the mouse and keyboard through xdotool and crops the windows out of
# screen shots.
#   scripts/guide-screenshots.sh [program]   (default: build/bin/velmora)
# With GUIDE_KEEP=folder the whole-screen shots are kept there too, to check
# where the clicks land.
# The program's Data folder must hold the presets (any build or install has
# them). The clicks are placed for the start-up arrangement on that screen.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/velmora}")
docs=$(pwd)/docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -n "${GUIDE_KEEP:-}" ] && trap 'cp "$work"/*.png "$GUIDE_KEEP"/; rm -rf "$work"' EXIT
# The window manager's own key bindings (Alt+D among them) would take those
# keys from the program: it keeps only window switching.
mkdir -p "$work/wm/.matchbox"
printf '<alt>Tab=next\n<alt><shift>Tab=prev\n' >"$work/wm/.matchbox/kbdconfig"

xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -eu
  program=$1 work=$2
  HOME="$work/wm" matchbox-window-manager -use_titlebar yes >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$program" >/dev/null 2>&1 &
  app=$!
  sleep 3
  act() { xdotool "$@"; sleep 0.5; }
  shot() { import -window root "$work/$1.png"; }

  # Settings: the developed type (item 2) for the rates, then the population.
  act mousemove 92 115 click 1; act key Down Down Return; act mousemove 224 115 click 1
  act mousemove 92 82 click 1; act key Down Down Return; act mousemove 224 82 click 1
  sleep 1; shot loaded
  # 20 ms a year, then the three frame menus.
  act mousemove 541 115 click --repeat 3 1; act key ctrl+a; act type 20; act key Return
  act mousemove 49 28 click 1; shot menu-run; act key Escape
  act mousemove 138 28 click 1; shot menu-windows; act key Escape
  act mousemove 239 28 click 1; act mousemove 260 50; shot menu-settings; act key Escape; act key Escape
  # Start, let the 100 years run, then look back at 2040 over the graph.
  act mousemove 49 28 click 1; act mousemove 58 49 click 1
  sleep 8; shot finished
  act mousemove 900 700; act mousemove 978 791; sleep 0.5; shot lookback
  # Pyramid: the right button shows the birth rates; the variation functions
  # sit on the second line of the menu bar, which wraps at this width.
  act mousemove 180 414 click 3; shot births
  act mousemove 50 188 click 1; sleep 0.5; shot births-menu
  act key Escape
  # Reset, the relative view, a left click (population, scale fitted), then a
  # drag on the men'"'"'s side of ages 20-24.
  act mousemove 49 28 click 1; act mousemove 63 115 click 1
  act mousemove 60 169 click 1; shot mode-menu
  act mousemove 60 190 click 1
  act mousemove 120 300 click 1
  act mousemove 150 483 mousedown 1; act mousemove 120 483; act mousemove 90 483; act mousemove 70 483
  shot drawing
  act mouseup 1
  # The データ menu: the menu, then the stable-population outline and the
  # indicators window over the edited population.
  act key alt+d; shot menu-data; act key Escape; act key Escape
  act key alt+d; act key s
  act key alt+d; act key i
  sleep 1; shot data
  # The world-data window, searching for Japan.
  act key alt+d; act key w; sleep 1; act type japan; sleep 1; shot world
  kill "$app" "$wm" 2>/dev/null
  wait 2>/dev/null || true
' guide "$program" "$work"

cd "$work"
cp loaded.png "$docs/guide-start.png"
cp finished.png "$docs/guide-run.png"
# The README's lead picture: the same run, finished.
cp finished.png "$docs/screenshot-japan.png"
cp lookback.png "$docs/guide-lookback.png"
convert loaded.png -crop 862x98+0+38 +repage "$docs/guide-settings-controller.png"
convert menu-run.png -crop 420x170+0+0 +repage m1.png
convert menu-windows.png -crop 420x170+0+0 +repage m2.png
convert menu-settings.png -crop 560x170+0+0 +repage m3.png
convert m1.png m2.png m3.png +append "$docs/guide-menus.png"
# The menu drops over the birth-rate bars: the view without it goes first.
convert births.png -crop 360x440+0+130 +repage b1.png
convert births-menu.png -crop 360x440+0+130 +repage b2.png
convert b1.png b2.png +append "$docs/guide-pyramid-births.png"
convert mode-menu.png -crop 360x170+0+130 +repage "$docs/guide-pyramid-modes.png"
convert drawing.png -crop 360x440+0+130 +repage "$docs/guide-pyramid-drawing.png"
convert menu-data.png -crop 420x120+300+0 +repage "$docs/guide-data-menu.png"
convert data.png -crop 360x440+0+130 +repage "$docs/guide-outline.png"
# The indicators window stands at the workspace's right edge, level with the pyramid.
convert data.png -crop 560x420+1360+130 +repage "$docs/guide-indicators.png"
convert world.png -crop 570x480+1355+130 +repage "$docs/guide-world-data.png"
ls -l "$docs"/guide-*.png
