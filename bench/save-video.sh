#!/usr/bin/env bash
# Save time of 100 frames of 1024 x 768: natively (our part: frame files and cDIB loads) and
# under Wine with the system's AVI library writing uncompressed frames.
# Usage: bench/save-video.sh [build dir] [frames] [width] [height]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
frames=${2:-100} width=${3:-1024} height=${4:-768}

cmake -S "$root" -B "$build/bench-native" -DVFE_BENCH=ON >/dev/null
cmake --build "$build/bench-native" --target bench_save_video -j"$(nproc)" >/dev/null
echo "native:"
folder=$(mktemp -d)
"$build/bench-native/bench_save_video" "$folder" "$frames" "$width" "$height"
rm -rf "$folder"

# The release tree, configured by make build (the x86_64 one where 32-bit programs cannot run).
tree=$("$root/scripts/wine-tree.sh" "$build" "save-video.sh measures under Wine")
[ -f "$tree/CMakeCache.txt" ] || { echo "save-video.sh: $tree is not configured; run make build first" >&2; exit 1; }
cmake --build "$tree" --target bench_save_video -j"$(nproc)" >/dev/null
state="$tree/bench-wine"
"$root/tests/e2e/wine-fixture.sh" start "$state" >/dev/null
trap '"$root/tests/e2e/wine-fixture.sh" stop "$state" >/dev/null' EXIT
folder=$(mktemp -d)
echo "Wine, system AVI library, uncompressed:"
"$root/tests/e2e/wine-run.sh" "$state" "$tree/bench_save_video.exe" "Z:$folder" "$frames" "$width" "$height"
rm -rf "$folder"
