#!/usr/bin/env bash
# Builds a demo folder from this build into a temp folder and checks what a user gets.
# Usage: check-demo.sh <win64 build dir>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "a recording" >"$demo/Velmoran_Cap_120000.avi"
echo "stale" >"$demo/velmoran.log"
head -c 100 /dev/zero >"$demo/dc_flash.bin"
"$here/../../scripts/make-demo.sh" "$build" "$demo" >/dev/null || fail "make-demo.sh failed"

for file in VelmoranFE2.exe velmoran.exe velmoran_old_gfx.exe vmsbrowser.exe velmoran_v01.exe \
            "Velmoran FE ReadMe.txt" dc_flash.bin; do
  [ -s "$demo/$file" ] || fail "$file missing"
done
for name in velmoran.exe velmoran_old_gfx.exe vmsbrowser.exe velmoran_v01.exe; do
  cmp -s "$build/standin.exe" "$demo/$name" || fail "$name is not the stand-in"
done
[ "$(stat -c %s "$demo/dc_flash.bin")" = 131072 ] || fail "dc_flash.bin is not 131072 bytes"
[ "$(dd if="$demo/dc_flash.bin" bs=1 skip=$((0x1A002)) count=12 2>/dev/null)" = 021Dreamcast ] ||
  fail "no 021Dreamcast at 0x1A002"
[ "$(dd if="$demo/dc_flash.bin" bs=1 skip=$((0x1A001)) count=1 2>/dev/null | od -An -tu1 | tr -d ' ')" != 0 ] ||
  fail "the flash image is not patterned around the region block"
grep -q $'\r$' "$demo/Velmoran FE ReadMe.txt" || fail "the readme has no CR LF line ends"
[ -e "$demo/Velmoran_Cap_120000.avi" ] || fail "a user's recording was removed"
[ -e "$demo/velmoran.log" ] && fail "an old stand-in log was kept"
echo "demo folder complete"
