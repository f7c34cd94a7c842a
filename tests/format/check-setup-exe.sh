#!/usr/bin/env bash
# Checks the built setup.exe: a 32-bit GUI executable that imports only DLLs every Windows
# loads from its system folder (the C runtime, zlib and the rest are linked in).
# Usage: check-setup-exe.sh OBJDUMP SETUP.EXE
set -euo pipefail
objdump=$1
exe=$2
headers=$("$objdump" -p "$exe")

fail() { echo "setup.exe: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 image"
grep -q 'Magic.*(PE32)' <<<"$headers" || fail "not PE32"
grep -qE 'Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI program"

allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|msvcrt|shlwapi)\.dll$'
while read -r dll; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
  [[ $lower =~ $allowed ]] || fail "imports $dll, which is not a system DLL it may load"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
echo "setup.exe: PE32 i386, GUI, imports: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
