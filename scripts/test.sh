#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests under the sanitizers, the short fuzz
# runs, the checks of the shipped setup.exe, the Windows and end-to-end tests under Wine (in a
# virtual display when there is none). Ends with the count over all of them.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh host win32 win64 fuzz || exit 1

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

status=0
passed=0
failed=0
for preset in host fuzz win32 win64; do
  echo "== $preset tests"
  log=$(mktemp)
  ctest --preset "$preset" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  # "N% tests passed, F tests failed out of T"
  read -r f t < <(sed -nE 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1 \2/p' "$log")
  [ -n "${t:-}" ] || status=1
  failed=$((failed + ${f:-0}))
  passed=$((passed + ${t:-0} - ${f:-0}))
  rm -f "$log"
done

shots=build/win64/tests/e2e/screenshots
if compgen -G "$shots/*.bmp" >/dev/null; then
  for f in "$shots"/*.bmp; do convert "$f" "${f%.bmp}.png" && rm "$f"; done
  echo "Screenshots: $shots"
fi
echo "all: $passed passed, $failed failed"
exit $status
