#!/usr/bin/env bash
# Prints the build tree whose Windows programs run under Wine: <build>/win32, the i686
# release, where this machine runs 32-bit programs; otherwise <build>/win64, the x86_64
# build of the same sources, after one line on standard error that says so and why.
# Usage: wine-tree.sh <build dir> <what runs there, for that line>
set -uo pipefail
build=${1%/}
what=$2
if why=$("$(dirname "$0")/probe-32bit.sh"); then
  echo "$build/win32"
else
  echo "$what against the x86_64 build ($build/win64), not the i686 release: $why" >&2
  echo "$build/win64"
fi
