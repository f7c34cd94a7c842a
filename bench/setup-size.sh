#!/usr/bin/env bash
# Prints the size of the shipped setup.exe without its payload resource (figure to reach:
# 256 KB or less).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh win32 >/dev/null
exe=build/win32/src/startup/setup.exe
payload=build/win32/payload/files.bin
total=$(stat -c %s "$exe")
files=$( [ -f "$payload" ] && stat -c %s "$payload" || echo 0)
echo "setup.exe: $total bytes, payload $files bytes, without payload $((total - files)) bytes" \
     "($(( (total - files + 1023) / 1024 )) KB)"
