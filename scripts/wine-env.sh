# Wine settings shared by every script that runs Windows programs. Sourced.
# The 64-bit loader and server are named outright: this machine kind's kernel cannot
# execute 32-bit code, so the 32-bit Wine loader would fail even where it is installed.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts; shortcuts must not leak onto the host's desktop.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
