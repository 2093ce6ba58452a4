#!/usr/bin/env bash
# Installs the toolchain if needed, then configures and builds one architecture.
# Usage: scripts/build.sh [i686|x86_64]   (prints the build directory last)
set -euo pipefail
arch=${1:-i686}
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-toolchain.sh"
build="$root/build/$arch"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" >&2
echo "$build"
