#!/usr/bin/env bash
# Installs the Debian packages that building, testing and screenshots need.
# A machine that already has them installs nothing.
set -euo pipefail
packages=(build-essential cmake ninja-build libgtest-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation2 xvfb xauth imagemagick
  matchbox-window-manager)
packages+=(libcli11-dev hyperfine)  # velmora-cli's arguments; timing its runs
packages+=(qt6-svg-dev libpng-dev)  # the labelled figure's SVG; PNG written with chosen settings
# "scripts/deps.sh fuzz" adds the compiler of the libFuzzer targets.
if [[ "${1:-}" == fuzz ]]; then packages+=(clang-14 libclang-rt-14-dev); fi
missing=()
# The install test validates the menu entry; the screenshot scripts press keys with xdotool.
packages+=(desktop-file-utils xdotool)
# The Japanese country names: scripts/make-country-names.py reads iso-codes,
# and a test checks the committed table against it.
packages+=(iso-codes python3)
# velmora-cli(1) is made from the program's --help.
packages+=(help2man)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "${missing[@]}"
