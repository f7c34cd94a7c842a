#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine, in the Wine prefix of the build tree that holds
# the program (or $WINEPREFIX), inside a virtual display when there is none.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
fi
source "$(dirname "$0")/wine-env.sh"
exec "$WINELOADER" "$@"
