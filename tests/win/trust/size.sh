#!/bin/sh
# The release Parvel.exe must fit on the first floppy disk beside info.txt, the pictures and the first archives.
# Usage: size.sh LIMIT_BYTES PROGRAM...  (the first program is held to the limit, the others are shown)
limit=$1; shift
status=0
for exe in "$@"; do
  size=$(stat -c %s "$exe")
  if [ "$exe" = "$1" ]; then
    echo "$(basename "$exe"): $size bytes, limit $limit ($((size * 100 / limit))%)"
    [ "$size" -le "$limit" ] || status=1
  else
    echo "$(basename "$exe"): $size bytes"
  fi
done
exit $status
