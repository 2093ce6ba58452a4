#!/usr/bin/env bash
# Builds the 32-bit build and runs the randomized call storm in the build's
# Wine prefix, with the main driver's ProgID mapped to the test double as the
# test suite maps it.
# Usage: scripts/storm.sh [--calls N] [--seed S]   (a million calls: --calls 1000000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$("$root/scripts/build.sh" i686)
"$build/wine-prefix.sh" start
trap '"$build/wine-prefix.sh" stop' EXIT
"$build/wine-run.sh" reg add 'HKCR\AddIn.BrivexAddInCOM\CLSID' /ve /d '{03288FC8-259A-445E-B3A2-B623F4758F7C}' /f >/dev/null
"$build/wine-run.sh" "$build/tests/storm/storm_test.exe" "$@"
