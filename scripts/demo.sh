#!/usr/bin/env bash
# Builds everything and runs the demonstration session against the built DLL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$("$root/scripts/build.sh" i686)
"$build/wine-prefix.sh" start
trap '"$build/wine-prefix.sh" stop' EXIT
"$build/wine-run.sh" "$build/bin/addin_demo.exe" "Z:$build/bin/AddInCOMIntegration.DLL"
