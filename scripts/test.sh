#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests under the sanitizers, the short fuzz
# runs, the Windows and end-to-end tests under Wine (in a virtual display when there is none).
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh host win32 win64 fuzz || exit 1

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

status=0
for preset in host fuzz win32 win64; do
  echo "== $preset tests"
  ctest --preset "$preset" || status=1
done
shots=build/win64/tests/e2e/screenshots
if compgen -G "$shots/*.bmp" >/dev/null; then
  for f in "$shots"/*.bmp; do convert "$f" "${f%.bmp}.png" && rm "$f"; done
  echo "Screenshots: $shots"
fi
exit $status
