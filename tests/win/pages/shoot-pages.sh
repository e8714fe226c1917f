#!/usr/bin/env bash
# Saves a screenshot of each wizard page, with its picture and Japanese texts, as PNG files.
#   tests/win/pages/shoot-pages.sh <win64 build folder> <output folder>
# Wine hands the UTF-8 arguments to the page in CP932. Needs the Wine environment (source scripts/wine-env first) and imagemagick's import.
set -euo pipefail
build=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
fixtures=$here/../../fixtures/pages
host=$build/tests/win/pages/pagehost.exe
mkdir -p "$out/media"
cp "$fixtures"/*.bmp "$out/media/"
winpath() { echo "Z:${1//\//\\}\\"; }
media=$(winpath "$(cd "$out/media" && pwd)")

shoot() { # name, pagehost arguments...
  local name=$1; shift
  wine "$host" close-after=6000 "dir=$media" "$@" &
  local pid=$!
  sleep 3
  import -window root "$out/$name.png"
  wait "$pid" || true
}

shoot notice page=notice master=1 picture=notice.bmp \
  'text=・更新の前にアプリケーションを終了して下さい。\n・マスタ調整には数分かかります。\n・途中で電源を切らないで下さい。'
shoot folder page=folder picture=folder.bmp folder='C:\Program Files\App' \
  'text=アプリケーションのインストール先を指定して下さい。'
shoot confirm page=confirm picture=confirm.bmp 'folder=C:\積算\電気'
rm -rf "$out/media"
echo "Screenshots: $out/notice.png $out/folder.png $out/confirm.png"
