#!/usr/bin/env bash
# Whether this machine runs 32-bit programs: the kernel (a tiny i386 program that exits
# with a known status) and, unless only the kernel is asked about, Wine's 32-bit loader.
# Exits 0 when it does; otherwise prints one line that says why and exits 1.
# Usage: probe-32bit.sh [kernel]
#   VFE_WINE32=<path>  the 32-bit loader to look for instead (see wine-env.sh)
set -uo pipefail
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
# The tests' Wine environment names the loader; its prefix and display are not touched here.
. "$(dirname "$0")/../tests/e2e/wine-env.sh" "$dir"
loader=$WINE32

# A whole i386 ELF executable, 96 bytes: one loadable segment whose code is
# `mov ebx, 42; mov eax, 1; int 0x80` (exit with status 42). No toolchain needed.
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$dir/exit42"     # 32-bit, little-endian
printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$dir/exit42"  # executable, i386, entry
printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$dir/exit42"  # one program header
printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$dir/exit42"  # PT_LOAD from offset 0
printf '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' >>"$dir/exit42"  # 96 bytes, read + execute
printf '\x00\x10\x00\x00\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' >>"$dir/exit42"  # the code
chmod +x "$dir/exit42"
"$dir/exit42" 2>/dev/null
status=$?
if [ "$status" -ne 42 ]; then
  echo "this kernel cannot run 32-bit programs (a tiny i386 program ended with status $status, not 42)"
  exit 1
fi
[ "${1:-}" = kernel ] && exit 0

if [ ! -x "$loader" ]; then
  echo "Wine's 32-bit loader $loader is missing (package wine32:i386; make setup installs it)"
  exit 1
fi
if ! version=$("$loader" --version 2>&1 </dev/null); then
  echo "Wine's 32-bit loader $loader does not run: $(head -1 <<<"$version")"
  exit 1
fi
exit 0
