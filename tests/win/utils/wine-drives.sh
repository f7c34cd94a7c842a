#!/usr/bin/env bash
# wine-drives.sh setup PREFIX FOLDER: gives the Wine prefix the drives the utilities' tests
# use, each a folder under FOLDER: T: removable ("floppy"), U: fixed, V: network, W: CD-ROM.
# U: also holds linktree\link, a symbolic link to U:\linktarget, which holds keep.txt.
# wine-drives.sh cleanup PREFIX FOLDER: removes all of it again.
set -euo pipefail
action=$1
export WINEPREFIX=$2
folder=$3
source "$(dirname "$0")/../../../scripts/wine-env.sh"
drives=(t:floppy u:hd v:network w:cdrom)

remove() {
  for d in "${drives[@]}"; do
    rm -f "$WINEPREFIX/dosdevices/${d%%:*}:"
    "$WINELOADER" reg delete 'HKLM\Software\Wine\Drives' /v "${d%%:*}:" /f </dev/null \
      >/dev/null 2>&1 || true
  done
  rm -rf "$folder"
}

case "$action" in
  setup)
    remove
    for d in "${drives[@]}"; do
      letter=${d%%:*}
      mkdir -p "$folder/$letter"
      ln -s "$folder/$letter" "$WINEPREFIX/dosdevices/$letter:"
      "$WINELOADER" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "${d#*:}" /f \
        </dev/null >/dev/null
    done
    mkdir -p "$folder/u/linktarget" "$folder/u/linktree"
    echo kept >"$folder/u/linktarget/keep.txt"
    ln -s ../linktarget "$folder/u/linktree/link"
    ;;
  cleanup) remove ;;
  *) echo "usage: $0 setup|cleanup PREFIX FOLDER" >&2; exit 2 ;;
esac
# Wine's mount manager reads the drive types only when it starts.
"$(dirname "$0")/../../../scripts/wine-prefix.sh" restart "$WINEPREFIX"
