#!/usr/bin/env bash
# Installs what is missing and builds every tree: host (tools, unit tests), win32 (the
# product, setup.exe) and win64 (the same program for the tests under 64-bit Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(host win32 win64)
for p in "${presets[@]}"; do
  [ -f "build/$p/CMakeCache.txt" ] || cmake --preset "$p" >/dev/null
  cmake --build --preset "$p"
done
