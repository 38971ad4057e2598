#!/usr/bin/env bash
# Runs the benchmarks and prints one line per figure: `name: value unit (ratio x against peer)`.
# Everything under Wine runs on one private Xvfb display (1024 x 768) and Wine prefix.
# Usage: scripts/bench.sh [build dir]     (make bench builds first)
#   BENCH_ONLY="size startup save"  a subset; BENCH_RUNS start-ups per program (15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
only=${BENCH_ONLY:-size startup save capture steadiness}
wants() { [[ " $only " == *" $1 "* ]]; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# ---- size: the i686 release executable and what it imports ----------------------
if wants size; then
  exe="$build/win32/VelmoranFE2.exe"
  [ -f "$exe" ] || cmake --build "$build/win32" --target VelmoranFE2 >/dev/null
  bytes=$(stat -c %s "$exe")
  dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {printf "%s%s", sep, tolower($3); sep=" "}')
  foreign=$("$root/scripts/check-imports.sh" "$exe" | awk '/^FOREIGN/ {print $2}' || true)
  echo "size: $((bytes / 1024)) KiB ($(awk -v b="$bytes" 'BEGIN {printf "%.2f", b / 1048576}') x against the 1 MiB limit)"
  echo "imports: $(wc -w <<<"$dlls") DLLs, foreign: ${foreign:-none} ($dlls)"
fi

wants startup || wants save || wants capture || wants steadiness || exit 0

# ---- the Windows side: one x86_64 build with the benchmark programs ----------------
bw="$build/bench-win64"
cmake -S "$root" -B "$bw" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" -DVFE_BENCH=ON \
  -DVFE_E2E_TESTS=ON >/dev/null
targets=(VelmoranFE2 bench_save_video bench_startup bench_minimal_window bench_minimal_window_imports
         bench_bare_copy bench_timer_ticks)
if wants capture || wants steadiness; then targets+=(bench_capture); fi
cmake --build "$bw" --target "${targets[@]}" -j"$(nproc)" >/dev/null
state="$bw/wine-state"
"$root/tests/e2e/wine-fixture.sh" start "$state" >/dev/null
work=$(mktemp -d /tmp/vfe-bench.XXXXXX)
trap '"$root/tests/e2e/wine-fixture.sh" stop "$state" >/dev/null; rm -rf "$work"' EXIT
wine_run() { "$root/tests/e2e/wine-run.sh" "$state" "$@"; }

# ---- start-up: process start to main window visible ------------------------------
if wants startup; then
  app="$work/startup app"
  mkdir -p "$app"
  cp "$bw/VelmoranFE2.exe" "$bw/bench_minimal_window.exe" "$bw/bench_minimal_window_imports.exe" "$app/"
  head -c 131072 /dev/zero >"$app/dc_flash.bin"
  wine_run "$bw/bench_startup.exe" "Z:$app/VelmoranFE2.exe" "Z:$app/bench_minimal_window.exe" "${BENCH_RUNS:-15}" \
    "Z:$app/bench_minimal_window_imports.exe" | grep '^start-up'
fi

# ---- save throughput: SaveVideo against ffmpeg on the same frame files ------------
if wants save; then
  frames=100
  peer="$work/ffmpeg-frames"
  mkdir -p "$peer"
  wine_run "$bw/bench_save_video.exe" "Z:$peer" $frames 1024 768 frames-only >/dev/null
  begin=$(now_ms)
  ffmpeg -loglevel error -y -framerate 5 -i "$peer/z%d.bmp" -c:v rawvideo -pix_fmt bgra "$peer/out.avi" </dev/null
  ffmpeg_ms=$(( $(now_ms) - begin ))
  out=$(wine_run "$bw/bench_save_video.exe" "Z:$work/save-frames" $frames 1024 768)
  save_ms=$(sed -n 's/^SaveVideo: saved in \([0-9.]*\) ms.*/\1/p' <<<"$out")
  [ -n "$save_ms" ] || { echo "save throughput: SaveVideo failed"; echo "$out"; exit 1; }
  awk -v n=$frames -v ours="$save_ms" -v peer="$ffmpeg_ms" 'BEGIN {
    printf "save throughput: %.1f frames/s (%.2f x against ffmpeg -c:v rawvideo at %.1f frames/s; %d frames 1024x768x32)\n",
           n * 1000 / ours, peer / ours, n * 1000 / peer, n }'
fi

# ---- capture rate and steadiness: a real recording at interval 1 -------------------
if wants capture || wants steadiness; then
  # The grabber copies the preview picture's size less its 4-pixel border: 1024 x 768 here.
  bare=$(wine_run "$bw/bench_bare_copy.exe" 1024 768 3 | grep '^bare copy')
  ticks=$(wine_run "$bw/bench_timer_ticks.exe" 3 | grep '^timer ticks')
  out=$(wine_run "$bw/bench_capture.exe" "${BENCH_STEADY_FRAMES:-2000}" || true)
  rate=$(sed -n 's/^capture: \([0-9.]*\) frames.*/\1/p' <<<"$out")
  if [ -z "$rate" ]; then
    echo "capture rate: recording failed"; echo "$out" | tail -20
  else
    copies=$(sed -n 's/^bare copy: \([0-9.]*\) copies.*/\1/p' <<<"$bare")
    awk -v r="$rate" -v c="$copies" 'BEGIN {
      printf "capture rate: %.1f frames/s (%.2f x against a bare screen copy loop at %.1f copies/s)\n", r, r / c, c }'
    echo "$ticks"
    sed -n 's/^memory: \([0-9]*\) KiB private after \([0-9]*\) frames, \([0-9]*\) KiB after \([0-9]*\) frames/steadiness: private memory \1 KiB after \2 frames, \3 KiB after \4 frames/p' <<<"$out" |
      awk '{ print; printf "steadiness: %+d KiB (target within 1024 KiB); GDI objects: not readable under Wine (GetGuiResources answers 0)\n", $9 - $4 }'
  fi
fi
