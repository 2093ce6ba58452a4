#!/usr/bin/env bash
# Builds the 32-bit release build and runs the benchmark in the build's Wine
# prefix: a table of median times, baselines, ratios and targets.
# Usage: scripts/bench.sh [--short]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$("$root/scripts/build.sh" i686)
"$build/wine-prefix.sh" start
trap '"$build/wine-prefix.sh" stop' EXIT
"$build/wine-run.sh" "$build/bin/addin_bench.exe" "$@"
