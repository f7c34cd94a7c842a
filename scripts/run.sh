#!/usr/bin/env bash
# Installs what is missing, builds setup.exe with the sample product and starts it under Wine.
# Without a display it runs in a virtual one, leaves a screenshot of the first page and says
# where. The 32-bit product is build/win32/src/startup/setup.exe; this machine kind cannot run
# 32-bit code, so the same program's 64-bit build is the one started here.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  scripts/build.sh host win32 win64
  shot="$PWD/build/run/first-page.png"
  RUN_SCREENSHOT="$shot" xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  echo "No display: the wizard ran in a virtual one. Its first page: $shot"
  exit 0
fi
[ -n "${RUN_SCREENSHOT:-}" ] || scripts/build.sh host win32 win64
echo "The product: build/win32/src/startup/setup.exe"

export WINEPREFIX="$PWD/build/run/wineprefix"
source scripts/wine-env.sh
# Wine's desktop belongs to the display it was started on.
"$WINESERVER" -k 2>/dev/null || true
[ -f "$WINEPREFIX/system.reg" ] || scripts/wine-prefix.sh boot "$WINEPREFIX" >/dev/null
setup=build/win64/src/startup/setup.exe

if [ -z "${RUN_SCREENSHOT:-}" ]; then
  exec scripts/wine-run.sh "$setup" "$@"
fi
scripts/wine-run.sh "$setup" "$@" &
sleep 8
import -window root "$RUN_SCREENSHOT"
"$WINESERVER" -k
