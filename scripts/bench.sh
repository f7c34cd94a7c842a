#!/usr/bin/env bash
# Builds the optimised bench tree and runs every benchmark in it (bench/*_bench).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
[ -f build/bench/CMakeCache.txt ] || cmake --preset bench >/dev/null
cmake --build --preset bench
for bench in build/bench/bench/*_bench; do
  echo "== $(basename "$bench")"
  "$bench"
done
