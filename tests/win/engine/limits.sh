#!/bin/sh
# The machine's limits for the engine's Wine tests (needs root):
#   <root>/fixed/small   a 2 MB file system (M:\small), too small for the interruption medium's 8 MB files
#   <root>/fixed/locked  an installation in a folder where no file can be created (M:\locked\inst)
# Usage: limits.sh <root> set|release
set -e
root=$1
small=$root/fixed/small
locked=$root/fixed/locked
release() {
  [ -d "$locked" ] && chattr -R -i "$locked" 2>/dev/null || true
  mountpoint -q "$small" && umount "$small" || true
  rm -rf "$locked"
}
release
[ "$2" = release ] && exit 0
mkdir -p "$small" "$locked/inst/bmp"
mount -t tmpfs -o size=2m tmpfs "$small"
printf '[SYSTEM]\r\nTITLE=ABC\r\n' > "$locked/inst/tavilo1.ini"
printf 'MZ' > "$locked/inst/dravex.exe"
printf 'BM' > "$locked/inst/bmp/MERIO2L.BMP"
chattr +i "$locked/inst"
