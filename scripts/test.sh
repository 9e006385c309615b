#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test; then
# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
#   VELMORA_SKIP_SANITIZE=1 scripts/test.sh     the plain suite only
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Ninja keeps both cores busy across targets (a new build folder only).
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
build=${VELMORA_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VELMORA_CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900
if [ -z "${VELMORA_SKIP_SANITIZE:-}" ]; then
  scripts/test-sanitize.sh
fi
