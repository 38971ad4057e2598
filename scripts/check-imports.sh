#!/usr/bin/env bash
# Fails when the executable imports a DLL that does not ship with Windows.
set -euo pipefail
exe=$1
allowed='^(kernel32|user32|gdi32|comctl32|advapi32|shell32|avifil32|winmm|msvcrt|ole32|oleaut32|comdlg32)\.dll$'
[ -f "$exe" ] || { echo "missing: $exe" >&2; exit 1; }
dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
[ -n "$dlls" ] || { echo "no imports read from $exe" >&2; exit 1; }
bad=0
for dll in $dlls; do
  if [[ $dll =~ $allowed ]]; then echo "ok      $dll"; else echo "FOREIGN $dll"; bad=1; fi
done
size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le 1048576 ] || { echo "larger than 1 MiB" >&2; bad=1; }
exit $bad
