#!/usr/bin/env bash
# Installs, idempotently, every Debian package the build and the tests need:
# the MinGW-w64 cross compilers (posix threads), widl and windres, Wine with
# its 32-bit half, the IDL includes, CMake and the sources of GoogleTest;
# clang with libFuzzer and the sanitizers for the native fuzzer.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine32 wine64 libwine-dev
  cmake make googletest
  clang libclang-rt-14-dev
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  missing=(i386-architecture)
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -qq
as_root apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
