#!/usr/bin/env bash
# Fails when an include of src/ runs against the layers: each folder may include only
# folders of a lower layer (and resources/, which holds plain definitions); only win32/
# may include <windows.h> or any other header of the system's window API.
# With --arrows it prints every folder arrow with its count instead of checking.
# Usage: check-layers.sh [--arrows] [src dir]
set -euo pipefail
arrows=no
if [ "${1:-}" = --arrows ]; then arrows=yes; shift; fi
src=${1:-$(dirname "$0")/../src}

# Lower numbers are lower layers; folders of one layer do not include each other.
declare -A layer=([resources]=0 [platform]=1 [emulator]=2 [region]=2 [video]=2 [about]=2
                  [capture]=3 [shell]=4 [win32]=5)

bad=0
declare -A count=()
while IFS= read -r file; do
  from=${file#"$src"/}
  from=${from%%/*}
  [ -n "${layer[$from]:-}" ] || { echo "unknown folder: src/$from ($file)"; bad=1; continue; }
  while IFS= read -r line; do
    if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(windows|commctrl|vfw|richedit|mmsystem)\.h\> ]]; then
      if [ "$from" != win32 ]; then echo "system window header in portable code: $file: $line"; bad=1; fi
      continue
    fi
    [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([A-Za-z0-9_]+)/ ]] || continue
    to=${BASH_REMATCH[1]}
    [ "$to" = "$from" ] && continue
    count["$from -> $to"]=$(( ${count["$from -> $to"]:-0} + 1 ))
    if [ -z "${layer[$to]:-}" ]; then
      echo "include of an unknown folder: $file: $line"; bad=1
    elif [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
      echo "include against the layers ($from may not use $to): $file: $line"; bad=1
    fi
  done <"$file"
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)

if [ $arrows = yes ]; then
  for arrow in "${!count[@]}"; do printf '%4d %s\n' "${count[$arrow]}" "$arrow"; done | sort -k2
  exit 0
fi
[ $bad -eq 0 ] && echo "layers: every include points down"
exit $bad
