#!/usr/bin/env bash
# Follows the README as a new user does, in a fresh clone of this checkout's
# last commit: scripts/run.sh (build only), the headless start, the install
# into ~/.local, every velmora-cli command of the README's command blocks as
# written, the manual pages, and the uninstall. HOME is a temporary folder,
# so ~/.local is too. Stops at the first step that fails.
#   scripts/readme-steps.sh [clone folder]   (default: a temporary folder)
set -euo pipefail
source_tree=$(cd "$(dirname "$0")/.." && pwd)
clone=${1:-$(mktemp -d)/velmora}
home=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$home" "$work"' EXIT
step() { printf '\n== %s\n' "$*"; }

step "git clone $source_tree $clone"
git clone -q "$source_tree" "$clone"
cd "$clone"

step "scripts/run.sh --build-only"
scripts/run.sh --build-only >"$work/build.log" 2>&1 || { tail -30 "$work/build.log"; exit 1; }
for file in velmora velmora-cli velmora-cli-charts Data/STP2.stp wpp2019/UNlocations.txt; do
  [ -e "build/bin/$file" ] || { echo "missing after run.sh: build/bin/$file"; exit 1; }
done

step "headless start (xvfb-run), ended after 5 s"
status=0
timeout 5 xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/velmora >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || { echo "the program ended by itself, status $status"; exit 1; }

step "cmake --install build --prefix ~/.local"
HOME=$home cmake --install build --prefix "$home/.local" >"$work/install.log"

# The README's command blocks: indented lines starting with build/bin/,
# with their continuation lines. Each block runs in a folder of its own, as
# the examples are separate; the worked example's folder is checked after.
step "the README's velmora-cli commands"
commands=$(awk '
  !/^    / { if (any) print "#block"; any = 0 }
  /^    build\/bin\/velmora-cli / { line = substr($0, 5); sub(/ +#.*$/, "", line) ; cont = 1 }
  cont && !/^    build\/bin\// { line = line " " substr($0, 9) }
  cont { if (line ~ /\\$/) { sub(/\\$/, "", line); next } print line; cont = 0; any = 1 }
' README.md)
# And the other commands' examples written inline, those that read only.
commands+=$'\n'$(grep -o '`velmora-cli \(info\|export\) [^`]*`' README.md | tr -d '`' | sed 's|^|build/bin/|')
block=0
mkdir -p "$work/block0"
while IFS= read -r command; do
  if [ "$command" = "#block" ]; then
    block=$((block + 1))
    mkdir -p "$work/block$block"
    continue
  fi
  echo "\$ $command"
  (cd "$work/block$block" && eval "${command//build\/bin\//$clone/build/bin/}" >/dev/null 2>"$work/stderr") || {
    cat "$work/stderr"
    exit 1
  }
done <<<"$commands"
[ -n "$(find "$work" -name japan.csv -size +1k)" ] && [ -n "$(find "$work" -path '*japan-charts/figure.png')" ] ||
  { echo "the worked example wrote nothing"; exit 1; }

step "man -l the installed manual pages"
for page in velmora velmora-cli; do
  MANWIDTH=80 man -l "$home/.local/share/man/man1/$page.1" 2>&1 | head -3
done

step "~/.local/lib/velmora/uninstall.sh --dry-run, then uninstall.sh"
HOME=$home "$home/.local/lib/velmora/uninstall.sh" --dry-run | tail -2
HOME=$home "$home/.local/lib/velmora/uninstall.sh" | tail -2
left=$(find "$home/.local" \( -type f -o -type l \))
[ -z "$left" ] || { echo "left behind:"; echo "$left"; exit 1; }
echo
echo "every README step ran"
