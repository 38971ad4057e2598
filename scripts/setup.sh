#!/usr/bin/env bash
# Installs what building, testing, the demo and the benchmarks need, only when it is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

need=()
have() { command -v "$1" >/dev/null 2>&1; }

# Each tool that the build, the tests, the demo and the benchmarks run, by who runs it.
have cmake || need+=(cmake)                                   # make: configure, build, ctest
have make || need+=(make)
have g++ || need+=(g++)                                       # native unit tests
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686) # release build
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)  # Wine build, tests, benchmarks
have x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)  # resources
have i686-w64-mingw32-windres || need+=(binutils-mingw-w64-i686)
have i686-w64-mingw32-objdump || need+=(binutils-mingw-w64-i686)      # check-imports.sh, bench.sh
have python3 || need+=(python3)                               # the icons (CMake), make-demo.sh
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -x /usr/lib/wine/wine64 ] || need+=(wine wine64)            # wine-fixture.sh, wine-run.sh, run-demo.sh
[ -f /usr/share/wine/fonts/marlett.ttf ] || need+=(fonts-wine)  # wine-env.sh: the title-bar buttons
have Xvfb || need+=(xvfb)                                     # wine-fixture.sh, run-demo.sh
have setsid || need+=(util-linux)                             # wine-fixture.sh, run-demo.sh
have xwininfo || need+=(x11-utils)                            # run-demo.sh
have ffmpeg || need+=(ffmpeg)                                 # screenshots (tests, wine-run.sh, run-demo.sh), bench.sh
have ffprobe || need+=(ffmpeg)                                # the recording tests
have xdotool || need+=(xdotool)                               # the tests' key presses
have cmp || need+=(diffutils)                                 # check-demo.sh
# dd, od, stat, mktemp, seq, tr, sed, grep and awk come with every Debian system.

if [ "${WITH_FUZZ:-0}" = 1 ]; then
  have clang++ || need+=(clang)
  ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
fi

# The release is a 32-bit program. Where this kernel runs 32-bit programs (probed, not
# assumed), Wine's 32-bit side runs it: wine32 of the i386 architecture, beside wine64.
# Wine prefixes made before it cannot run 32-bit programs; wine-env.sh makes them anew.
i386=no
if "$here/probe-32bit.sh" kernel >/dev/null; then
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed' || { need+=(wine32:i386); i386=yes; }
fi

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

mapfile -t need < <(printf '%s\n' "${need[@]}" | sort -u)
echo "setup: installing ${need[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
if [ $i386 = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q >/dev/null
$SUDO apt-get install -y -q "${need[@]}" >/dev/null
[ -x /usr/lib/wine/wine64 ] || { echo "setup: wine64 missing after install" >&2; exit 1; }
[ $i386 = no ] || [ -x /usr/lib/wine/wine ] || { echo "setup: wine32 missing after install" >&2; exit 1; }
