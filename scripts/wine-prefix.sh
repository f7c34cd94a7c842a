#!/usr/bin/env bash
# wine-prefix.sh boot PREFIX: a fresh Wine prefix with a server kept alive for the test run.
# wine-prefix.sh restart PREFIX: restarts its server, services and desktop, which read the
#   prefix's settings (drive types, the desktop) only when they start.
# wine-prefix.sh stop PREFIX: ends that server and every program still running in it.
set -euo pipefail
action=$1
export WINEPREFIX=$2
source "$(dirname "$0")/wine-env.sh"
log="$WINEPREFIX/prefix.log"

# Wine's own processes outlive this script; they must not hold its output open. The desktop
# and services start here, so that no test's program starts them with the test's output open.
restart() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  "$WINESERVER" -p </dev/null >>"$log" 2>&1
  "$WINELOADER" wineboot </dev/null >>"$log" 2>&1
}

settings() {
  # Windows get their frames from a virtual desktop, as on Windows, not from the X server.
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
  # A crashing program ends instead of waiting in the debugger's dialog.
  "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
}

case "$action" in
  boot)
    [ -d "$WINEPREFIX" ] && "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINESERVER" -p </dev/null >"$log" 2>&1
    "$WINELOADER" wineboot -i </dev/null >>"$log" 2>&1
    settings </dev/null >>"$log" 2>&1
    restart
    ;;
  restart) restart ;;
  stop) "$WINESERVER" -k 2>/dev/null || true ;;
  *) echo "usage: $0 boot|restart|stop PREFIX" >&2; exit 2 ;;
esac
