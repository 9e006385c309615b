#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one for a bounded time.
#   scripts/fuzz.sh <target> [seconds=60] [extra libFuzzer flags...]
# Targets: numeric_prefix, load_and_run, population_csv, rate_csv, un_table.
# clang is installed through scripts/deps.sh when it is missing.
# The seed corpus in fuzz/corpus/<target> is only read; new inputs go to a
# working corpus in the build folder, findings to its artifacts/ folder.
# The exit status is libFuzzer's: 0 when the time ran out without a finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: scripts/fuzz.sh <numeric_prefix|load_and_run|population_csv|rate_csv|un_table> [seconds] [libFuzzer flags...]}
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
build=${VELMORA_FUZZ_BUILD_DIR:-$root/build-fuzz}
cxx=${VELMORA_FUZZ_CXX:-clang++-14}

if [[ ! -d "$root/fuzz/corpus/$target" ]]; then
  echo "unknown fuzz target: $target" >&2
  exit 2
fi
command -v "$cxx" >/dev/null || "$root/scripts/deps.sh" fuzz
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$build" -j2 --target "$target"

work="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$work" "$artifacts"
# The process-wide sanitizer options: every finding is fatal and reported
# with a stack; leaks count.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$build/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" \
  -timeout=10 -rss_limit_mb=2048 "$@" "$work" "$root/fuzz/corpus/$target"
