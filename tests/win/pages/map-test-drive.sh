#!/bin/sh
# Maps drive letter $1 of the Wine prefix to folder $2 and fills it with the folder page's test tree; maps the
# network folder \\parvel\media, a place to start the page from, to folder $3.
set -eu
[ -n "${WINEPREFIX:-}" ] || { echo "WINEPREFIX is not set (source scripts/wine-env)" >&2; exit 1; }
letter=$1 folder=$2 share=$3
rm -rf "$folder" "$share"
mkdir -p "$folder/alpha/inner" "$folder/Beta" "$folder/.hidden" "$folder/形式/サブ" "$folder/many"
echo text > "$folder/file.txt"
echo text > "$folder/alpha/note.txt"
seq -f "$folder/many/d%04g" 0 1004 | xargs mkdir
mkdir -p "$share/disk1" "$WINEPREFIX/dosdevices/unc/parvel"
ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:"
ln -sfn "$share" "$WINEPREFIX/dosdevices/unc/parvel/media"
