#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# (benchmarks off) and runs the whole test suite under them. Any sanitizer
# report ends its test program with a failure.
#   scripts/test-sanitize.sh            build-asan/, all tests
#   VELMORA_JOBS=1 scripts/test-sanitize.sh -R hardening    extra arguments go to ctest
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_SANITIZE_BUILD_DIR:-$root/build-asan}
jobs=${VELMORA_JOBS:-$(nproc)}
# Ninja keeps both cores busy across targets (a new build folder only).
command -v ninja >/dev/null && export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_BENCH=OFF
cmake --build "$build" -j "$jobs"

# Leaks are reported, except those of the system libraries under Qt (font
# and locale caches kept until the process ends).
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/hardening/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 3000 "$@"
