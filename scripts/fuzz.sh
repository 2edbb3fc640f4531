#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each for SECONDS (default
# 30), starting from the seed inputs in fuzz/corpus/<target>/. What a run learns stays in
# build-fuzz/corpus/ for the next run; a crash leaves its input in build-fuzz/ and fails the script.
#   scripts/fuzz.sh            # CI: half a minute each
#   scripts/fuzz.sh 3600       # a longer hunt: an hour each
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-30}"
dir="$TN2_ROOT/build-fuzz"
tn2_install_packages
cmake -S "$TN2_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTN2_FUZZ=ON -DTN2_WARNINGS_AS_ERRORS=ON -DTN2_BUILD_TESTS=OFF -DTN2_BUILD_BENCHMARKS=OFF
cmake --build "$dir" -j "$TN2_JOBS" --target fuzz

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
for target in fuzz_jetsql fuzz_layouttable fuzz_playlist; do
    corpus="$dir/corpus/$target"
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    (cd "$dir" && "$dir/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
        "$corpus" "$TN2_ROOT/fuzz/corpus/$target")
done
