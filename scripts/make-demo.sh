#!/usr/bin/env bash
# Fills a demo application folder from a build tree (win32 or win64): the front-end, the stand-ins
# under the outside programs' names, a flash image and the readme. Recreated each time.
# Usage: make-demo.sh <build tree> <demo dir>
set -euo pipefail
build=$1
demo=$2
files=(VelmoranFE2.exe velmoran.exe velmoran_old_gfx.exe vmsbrowser.exe velmoran_v01.exe "Velmoran FE ReadMe.txt")
for file in "${files[@]}"; do
  [ -f "$build/$file" ] || { echo "make-demo: $build/$file is missing; build that tree first" >&2; exit 1; }
done

# Only what this script puts there is replaced; recordings and snapshots stay.
mkdir -p "$demo"
for file in "${files[@]}"; do
  cp -f "$build/$file" "$demo/$file"
done
rm -f "$demo"/*.log

# 131072 bytes: a fixed pattern with the region block "021Dreamcast" at 0x1A002.
python3 - "$demo/dc_flash.bin" <<'PY'
import sys
image = bytearray(((i * 7 + (i >> 8)) & 0xFF) for i in range(131072))
image[0x1A002:0x1A00E] = b"021Dreamcast"
with open(sys.argv[1], "wb") as out:
    out.write(image)
PY
echo "demo folder: $(cd "$demo" && pwd)"
ls -l "$demo"
