#!/bin/sh
# Signing a release: a throwaway code-signing certificate, the four programs signed by scripts/sign as a signed
# build signs them, each verified against that certificate, and one changed byte refused; parvel-check names the
# signer and refuses a changed Parvel.exe, on Linux (osslsigncode) and under Wine (WinVerifyTrust).
# Usage: signing.sh SOURCE_DIR WIN64_BUILD_DIR NATIVE_PARVEL_CHECK WORK_DIR
set -e
src=$1 build=$2 native_check=$3 work=$4
rm -rf "$work"
mkdir -p "$work/programs" "$work/medium"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Parvel Test Vendor/O=Parvel" -addext extendedKeyUsage=codeSigning >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/vendor.pfx" -passout pass:throwaway
for p in app/Parvel.exe check/parvel-check.exe archive/win/lzhx.exe pack/parvel-pack.exe; do
  cp "$build/$p" "$work/programs/"
done
PARVEL_SIGN_PFX=$work/vendor.pfx PARVEL_SIGN_PASSWORD=throwaway "$src/scripts/sign" "$work"/programs/*.exe

# changed FILE OUT: FILE with one byte in its code changed.
changed() {
  cp "$1" "$2"
  old=$(od -An -tu1 -j 4096 -N 1 "$1" | tr -d ' ')
  printf "\\$(printf %o $(( (old + 1) % 256 )))" | dd of="$2" bs=1 seek=4096 conv=notrunc 2>/dev/null
}
for exe in "$work"/programs/*.exe; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$exe" >/dev/null || { echo "not verified: $exe"; exit 1; }
  changed "$exe" "$work/changed.exe"
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/changed.exe" >/dev/null 2>&1; then
    echo "a changed byte verified: $exe"; exit 1
  fi
  echo "verified, and refused when changed: $(basename "$exe")"
done

# A medium of info.txt and Parvel.exe; parvel-check's status and what its output must hold.
for n in $(seq 1 42); do echo; done | sed 's/$/\r/' > "$work/medium/info.txt"
check() { # status text program...
  expected=$1 text=$2; shift 2
  status=0
  "$@" "$work/medium" > "$work/out" 2>&1 || status=$?
  iconv -f CP932 -t UTF-8 "$work/out" > "$work/out.utf8" 2>/dev/null || cp "$work/out" "$work/out.utf8"
  cat "$work/out.utf8"
  [ "$status" = "$expected" ] || { echo "exit status $status, expected $expected"; exit 1; }
  grep -qF "$text" "$work/out.utf8" || { echo "missing in the output: $text"; exit 1; }
}
[ -x "$native_check" ] || { echo "no native parvel-check at $native_check: build native first"; exit 1; }
cp "$work/programs/Parvel.exe" "$work/medium/"
check 0 'Parvel.exe の署名: Parvel Test Vendor（osslsigncode で確かめました）' "$native_check"
check 0 'Parvel.exe の署名: Parvel Test Vendor（WinVerifyTrust で確かめました）' wine "$work/programs/parvel-check.exe"
changed "$work/programs/Parvel.exe" "$work/medium/Parvel.exe"
check 1 '署名が中身と合いません' "$native_check"
check 1 '署名が中身と合いません' wine "$work/programs/parvel-check.exe"
cp "$build/app/Parvel.exe" "$work/medium/"
check 0 '署名がありません。' "$native_check"
echo ok
