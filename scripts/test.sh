#!/usr/bin/env bash
# Builds everything for both architectures, runs every test under Wine, then
# runs the registry-script fuzzer for a bounded time.
# Usage: scripts/test.sh [fuzz seconds]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
failed=()
for arch in i686 x86_64; do
  build=$("$root/scripts/build.sh" "$arch")
  echo "== tests, $arch"
  (cd "$build" && ctest -j"$(nproc)" --output-on-failure) || failed+=("tests $arch")
done
echo "== registry-script fuzzer"
"$root/scripts/fuzz.sh" "${1:-60}" || failed+=("fuzzer")
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "all tests passed (i686, x86_64, fuzzer)"
