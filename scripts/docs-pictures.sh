#!/usr/bin/env bash
# The one way to make every picture and example output in the docs, from the
# real programs, so that none of them can go stale:
#   - the guide's pictures and the README's lead picture: the desktop program
#     under Xvfb, driven by scripts/guide-screenshots.sh;
#   - docs/cli/: the README's worked example, `velmora-cli run --charts` on the
#     developed-country preset for 100 years (the three canvases and the
#     labelled figure);
#   - the example outputs in the README and the guide (the blocks marked
#     docs-example): scripts/docs-examples.py --update. The CTest test
#     docs.ExampleOutputsAreWhatTheProgramsPrint fails when one is stale.
#   scripts/docs-pictures.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -d "$build" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target velmora_programs >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A picture whose pixels have not changed keeps its file, so that only real
# changes show in the history (a new PNG differs in its time stamps alone).
mkdir "$work/before"
cp docs/*.png docs/cli/*.png "$work/before/" 2>/dev/null || true
keep_unchanged() {
  for picture in docs/*.png docs/cli/*.png; do
    old="$work/before/$(basename "$picture")"
    if [ -f "$old" ] && [ "$(compare -metric AE "$old" "$picture" null: 2>&1)" = 0 ]; then
      cp "$old" "$picture"
    fi
  done
}

scripts/guide-screenshots.sh "$build/bin/velmora"
"$build/bin/velmora-cli" run --population "$build/bin/Data/STP2.stp" --start-rates "$build/bin/Data/BRF2.brf" \
  --years 100 --output "$work/japan.csv" --charts "$work/japan-charts"
for picture in pyramid.png graph.png circle.png figure.png; do
  cp "$work/japan-charts/$picture" docs/cli/
done
scripts/docs-examples.py --update --bin "$build/bin"
keep_unchanged
ls -l docs/cli/*.png docs/screenshot-japan.png
