#!/bin/sh
# Usage: smoke.sh <parvel-check.exe> <work folder>
set -e
exe=$1 work=$2
rm -rf "$work"
mkdir -p "$work/medium" "$work/src"
# info.txt: 42 header lines (keyword 電気 on line 28), then an archive and a loose file.
{
  for n in $(seq 1 42); do
    case $n in
      18) echo 0 ;; 19) echo NULL ;; 20) echo 1 ;; 28) echo 電気 ;; *) echo ;;
    esac
  done
  echo '1,1,APP,\'
  echo '1,0,README.TXT,\'
} | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$work/medium/info.txt"
printf 'app\r\n' > "$work/src/app.txt"
(cd "$work/src" && LANG=ja_JP.UTF-8 jlha co5q "$work/medium/APP.lzh" app.txt >/dev/null)
printf 'readme\r\n' > "$work/medium/README.TXT"
medium=$(winepath -w "$work/medium")

run() { # expected status, text expected in the output
  status=0
  wine "$exe" "$medium" > "$work/out" 2>&1 || status=$?
  iconv -f CP932 -t UTF-8 "$work/out" > "$work/out.utf8"
  cat "$work/out.utf8"
  [ "$status" = "$1" ] || { echo "exit status $status, expected $1"; exit 1; }
  grep -qF "$2" "$work/out.utf8" || { echo "missing in the output: $2"; exit 1; }
}

run 0 '問題は見つかりませんでした。'
rm "$work/medium/APP.lzh"
run 1 'info.txt:43: エラー: 書庫 APP.lzh が媒体にありません。'
echo ok
