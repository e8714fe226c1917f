#!/bin/sh
# Maps the drives the engine's Wine tests use: A: a floppy, M: a fixed drive whose full\temp.mst is a
# device that is always full. Usage: drives.sh <folder for the drives' contents>
set -e
root=$1
prefix=${WINEPREFIX:-$HOME/.wine}
mkdir -p "$root/floppy" "$root/fixed/full" "$prefix/dosdevices"
ln -sfn /dev/full "$root/fixed/full/temp.mst"
ln -sfn "$root/floppy" "$prefix/dosdevices/a:"
ln -sfn "$root/fixed" "$prefix/dosdevices/m:"
wine reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f >/dev/null 2>&1
