#!/usr/bin/env bash
# Prints the peak memory of setup.exe at its welcome page under Wine (the 64-bit build, the
# one this machine kind runs) beside the payload's compressed and inflated sizes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh host win64 >/dev/null
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
prefix=$PWD/build/bench-wine
[ -f "$prefix/system.reg" ] || scripts/wine-prefix.sh boot "$prefix"
# The listing's last line: "N entries, D bytes of data, I bytes inflated, C bytes compressed".
read -r inflated compressed < <(tail -n 1 build/win64/payload/files.lst |
  sed -E 's/.* ([0-9]+) bytes inflated, ([0-9]+) bytes compressed/\1 \2/')
WINEPREFIX=$prefix scripts/wine-run.sh build/win64/bench/win/setup_memory.exe \
  "Z:$PWD/build/win64/src/startup/setup.exe" "$compressed" "$inflated"
scripts/wine-prefix.sh stop "$prefix"
