#!/bin/sh
# parvel-check.exe under Wine: a good medium passes, its preview writes nothing, a missing archive fails.
# Usage: smoke.sh <parvel-check.exe> <work folder>
set -e
exe=$1 work=$2
rm -rf "$work"
mkdir -p "$work/medium" "$work/src"
# info.txt: 42 header lines (keyword 電気 on line 28), then an archive and a loose file.
{
  for n in $(seq 1 42); do
    case $n in
      18) echo 0 ;; 19) echo NULL ;; 20) echo 1 ;; 21) echo 9.1S ;; 28) echo 電気 ;; *) echo ;;
    esac
  done
  echo '1,1,APP,\'
  echo '1,0,README.TXT,\'
} | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$work/medium/info.txt"
printf 'app\r\n' > "$work/src/app.txt"
(cd "$work/src" && LANG=ja_JP.UTF-8 jlha co5q "$work/medium/APP.lzh" app.txt >/dev/null)
printf 'readme\r\n' > "$work/medium/README.TXT"
(cd "$work/medium" && sha256sum -- * > SHA256SUMS)
medium=$(winepath -w "$work/medium")
# An installation of edition 1 for the preview.
mkdir -p "$work/install/bmp"
printf '[SYSTEM]\r\nTITLE=見積 電気 8.0S\r\n' | iconv -f UTF-8 -t CP932 > "$work/install/tavilo1.ini"
printf '[MENU]\r\n' > "$work/install/qe2menu.ini"
printf 'BM' > "$work/install/bmp/MERIO2L.BMP"
install=$(winepath -w "$work/install")

run() { # expected status, text expected in the output, further arguments
  expected=$1 text=$2; shift 2
  status=0
  wine "$exe" "$medium" "$@" > "$work/out" 2>&1 || status=$?
  iconv -f CP932 -t UTF-8 "$work/out" > "$work/out.utf8"
  cat "$work/out.utf8"
  [ "$status" = "$expected" ] || { echo "exit status $status, expected $expected"; exit 1; }
  grep -qF "$text" "$work/out.utf8" || { echo "missing in the output: $text"; exit 1; }
}
fingerprint() { (cd "$work/install" && find . -type f -exec md5sum {} + | sort; ls -lR --time-style=full-iso .); }

run 0 '問題は見つかりませんでした。'
before=$(fingerprint)
run 0 'TITLE: 「見積 電気 8.0S」 → 「見積 電気 9.1S」' --install "$install"
grep -qF 'メッセージ（確認）: システムは正常に更新されました。' "$work/out.utf8" || { echo "no success message"; exit 1; }
[ "$(fingerprint)" = "$before" ] || { echo "the preview changed the installation"; exit 1; }
rm "$work/medium/APP.lzh"
run 1 'info.txt:43: エラー: 書庫 APP.lzh が媒体にありません。'
echo ok
