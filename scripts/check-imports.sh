#!/usr/bin/env bash
# Fails when the executable imports a DLL that does not ship with Windows, is larger than
# 1 MiB, or is not large-address-aware (a 32-bit release may then use 4 GB under 64-bit Windows).
set -euo pipefail
exe=$1
allowed='^(kernel32|user32|gdi32|comctl32|advapi32|shell32|avifil32|winmm|msvcrt|ole32|oleaut32|comdlg32)\.dll$'
[ -f "$exe" ] || { echo "missing: $exe" >&2; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$exe")
dlls=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers")
[ -n "$dlls" ] || { echo "no imports read from $exe" >&2; exit 1; }
bad=0
for dll in $dlls; do
  if [[ $dll =~ $allowed ]]; then echo "ok      $dll"; else echo "FOREIGN $dll"; bad=1; fi
done
if grep -q 'large address aware' <<<"$headers"; then
  echo "large address aware"
else
  echo "not large address aware" >&2; bad=1
fi
size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le 1048576 ] || { echo "larger than 1 MiB" >&2; bad=1; }
exit $bad
