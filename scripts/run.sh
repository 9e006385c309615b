#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the programs and starts the desktop
# program. It builds everything that `cmake --install build` installs and
# that the README's examples use (velmora, velmora-cli, velmora-cli-charts,
# the presets, the UN tables, the manual pages), but not the tests and
# benchmarks. With --build-only it stops after the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target velmora_programs
[ "${1:-}" == --build-only ] && exit 0
exec build/bin/velmora "$@"
