#!/bin/sh
# The update media of the run's tests, made with jlha (CP932 names under the Japanese locale):
#   <root>/fixed/media/  one folder medium (reached as M:\media\ in the tests)
#   <root>/fixed/disks/1, 2  the two floppy disks the tests put into drive A: in turn
# Usage: media.sh <root>
set -e
root=$1
media=$root/fixed/media
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$media" "$root/fixed/disks"
mkdir -p "$media/SUB" "$root/fixed/disks/1" "$root/fixed/disks/2"

archive() { # name, method (5 or 7), then file=content pairs
  name=$1 method=$2; shift 2
  rm -rf "$work/src"; mkdir -p "$work/src"
  for pair in "$@"; do printf '%s\r\n' "${pair#*=}" > "$work/src/${pair%%=*}"; done
  (cd "$work/src" && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 jlha "co${method}q" "$work/$name.lzh" * >/dev/null)
  cp "$work/$name.lzh" "$media/$name.lzh"
}

archive APP1 5 app1.txt=one
archive APP2 7 app2.txt=two
archive START 5 start.txt=plain
archive START3 5 start.txt=kind3
archive START99 7 start.txt=kind99
archive EXCEL 5 "横A-A4g.xlsm=new book"
# A whole archive whose data is damaged: its headers pass, its CRC does not.
archive DAMAGED 5 "damaged.txt=$(seq 1 400 | tr '\n' ' ')"
size=$(wc -c < "$media/DAMAGED.lzh")
printf '\377' | dd of="$media/DAMAGED.lzh" bs=1 seek=$((size - 40)) conv=notrunc 2>/dev/null
printf 'not an archive' > "$media/BROKEN.lzh"
printf '\0' > "$media/EMPTY.lzh"
printf 'long\r\n' > "$media/LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL.TXT"
printf 'config\r\n' > "$media/CONFIG.INI"
printf 'sub a\r\n' > "$media/SUB/A.TXT"
printf 'read only\r\n' > "$media/RO.TXT"
chmod 444 "$media/RO.TXT"

# The interruption test's medium: megabytes of archives and loose files.
interrupt=$root/fixed/interrupt
rm -rf "$interrupt"; mkdir -p "$interrupt"
big() { # archive name, then member=kilobytes pairs
  name=$1; shift
  rm -rf "$work/src"; mkdir -p "$work/src"
  for pair in "$@"; do head -c "$((${pair#*=} * 768))" /dev/urandom | base64 > "$work/src/${pair%%=*}"; done
  (cd "$work/src" && jlha co5q "$interrupt/$name.lzh" * >/dev/null)
}
big BIG1 big1.txt=3000 big1b.txt=1000
big BIG2 big2.txt=2000 big2b.txt=2000
big START start.txt=1
big START1 start.txt=200
for f in L1 L2 L3; do head -c 8000000 /dev/urandom > "$interrupt/$f.BIN"; done

# Disk 1: an archive and a loose file; disk 2: an archive and a loose file, and disk 1's loose file again
# (the last entry is on disk 1 but the run asks no more).
cp "$media/APP1.lzh" "$media/CONFIG.INI" "$root/fixed/disks/1/"
cp "$media/APP2.lzh" "$media/RO.TXT" "$media/CONFIG.INI" "$root/fixed/disks/2/"
