#!/usr/bin/env bash
# Builds the registry-script fuzzer natively (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 60)
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-toolchain.sh"
build="$root/build/fuzz"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build "$build" -j2 >&2
corpus="$build/corpus"
mkdir -p "$corpus"
# The corpus grows across runs; the seeds are read alongside it. A failing
# input is written to $build/crash-* (or leak-*, timeout-*) and ends the run non-zero.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
"$build/registry_script_fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$build/" "$corpus" "$build/seeds"
