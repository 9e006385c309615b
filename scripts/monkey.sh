#!/usr/bin/env bash
# The long monkey campaign under the sanitizers: every seed runs its own
# sequence of random user events against the real program offscreen.
#   scripts/monkey.sh [events per seed=100000] [seeds=1-10]
# Seeds run side by side (VELMORA_JOBS at a time, default: all cores); each
# writes <build>/monkey/seed-N.log. A failing seed is replayed alone with
#   VELMORA_MONKEY_SEEDS=N VELMORA_MONKEY_EVENTS=<events> <build>/tests/hardening_test
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
events=${1:-100000}
seedList=${2:-1-10}
build=${VELMORA_SANITIZE_BUILD_DIR:-$root/build-asan}
jobs=${VELMORA_JOBS:-$(nproc)}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target hardening_test velmora_data_presets

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/hardening/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export VELMORA_MONKEY_EVENTS=$events
# Windows up to 4,000 pixels a side (the test suite stops at 2,600).
export VELMORA_MONKEY_MAX_SIZE=${VELMORA_MONKEY_MAX_SIZE:-4000}
# Every seed runs to its last event; its summary counts every failure.
export VELMORA_MONKEY_KEEP_GOING=${VELMORA_MONKEY_KEEP_GOING:-1}

seeds=()
IFS=, read -ra parts <<<"$seedList"
for part in "${parts[@]}"; do
  if [[ $part == *-* ]]; then
    seeds+=($(seq "${part%-*}" "${part#*-}"))
  else
    seeds+=("$part")
  fi
done

logs="$build/monkey"
mkdir -p "$logs"
export logs build
run_seed() {
  if VELMORA_MONKEY_SEEDS=$1 "$build/tests/hardening_test" --gtest_filter='*MonkeyTest*' >"$logs/seed-$1.log" 2>&1; then
    echo "seed $1: passed  $(grep -o 'seed [0-9]*: .*' "$logs/seed-$1.log" | head -1)"
  else
    echo "seed $1: FAILED (see $logs/seed-$1.log)"
    return 1
  fi
}
export -f run_seed
printf '%s\n' "${seeds[@]}" | xargs -P "$jobs" -I{} bash -c 'run_seed {}'
