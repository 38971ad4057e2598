#!/usr/bin/env bash
# Installs what building and testing need, only when it is missing.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }

have cmake || need+=(cmake)
have g++ || need+=(g++)
have make || need+=(make)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)
[ -x /usr/lib/wine/wine64 ] || need+=(wine wine64)
have Xvfb || need+=(xvfb)
have ffprobe || need+=(ffmpeg)
have xwininfo || need+=(x11-utils)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)

if [ "${WITH_FUZZ:-0}" = 1 ]; then
  have clang++ || need+=(clang)
  ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
fi

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${need[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q >/dev/null
$SUDO apt-get install -y -q "${need[@]}" >/dev/null
[ -x /usr/lib/wine/wine64 ] || { echo "setup: wine64 missing after install" >&2; exit 1; }
