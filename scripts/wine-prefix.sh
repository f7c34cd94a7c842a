#!/usr/bin/env bash
# wine-prefix.sh boot PREFIX: a fresh Wine prefix with a server kept alive for the test run.
# wine-prefix.sh stop PREFIX: ends that server and every program still running in it.
set -euo pipefail
action=$1
export WINEPREFIX=$2
source "$(dirname "$0")/wine-env.sh"

case "$action" in
  boot)
    [ -d "$WINEPREFIX" ] && "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # Wine's own processes outlive this script; they must not hold its output open.
    log="$WINEPREFIX/boot.log"
    "$WINESERVER" -p </dev/null >"$log" 2>&1
    "$WINELOADER" wineboot -i </dev/null >>"$log" 2>&1
    # Windows get their frames from a virtual desktop, as on Windows, not from the X server.
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
      </dev/null >>"$log" 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
      </dev/null >>"$log" 2>&1
    # A crashing program ends instead of waiting in the debugger's dialog.
    "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >>"$log" 2>&1
    # The desktop takes the setting when it starts again, here, so that the first test's
    # program does not start it with the test's output open.
    "$WINESERVER" -k
    "$WINESERVER" -w
    "$WINESERVER" -p </dev/null >>"$log" 2>&1
    "$WINELOADER" wineboot </dev/null >>"$log" 2>&1
    ;;
  stop)
    "$WINESERVER" -k 2>/dev/null || true
    ;;
  *) echo "usage: $0 boot|stop PREFIX" >&2; exit 2 ;;
esac
