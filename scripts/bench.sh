#!/usr/bin/env bash
# Runs the benchmarks and prints one line per figure: `name: value unit (ratio x against peer)`.
# Everything under Wine runs on one private Xvfb display (1024 x 768) and Wine prefix, from the
# release tree (build/win32; the x86_64 build where this machine cannot run 32-bit programs).
# Usage: scripts/bench.sh [build dir]     (make bench builds first)
#   BENCH_ONLY="size startup save capture scale steadiness"  a subset; BENCH_RUNS start-ups per program (15);
#   BENCH_SAVE_RUNS recordings saved (5); BENCH_TICK_FRAMES frames timed per recording (100);
#   BENCH_SCALE_RUNS recordings past 2 GiB saved (3); BENCH_SCALE_FRAMES their frames (1000);
#   BENCH_STEADY_FRAMES frames of the steadiness figure (2000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
only=${BENCH_ONLY:-size startup save capture scale steadiness}
wants() { [[ " $only " == *" $1 "* ]]; }

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

wants startup || wants save || wants capture || wants scale || wants steadiness || exit 0

# ---- the Windows side: the release tree and its benchmark programs -----------------
bw=$("$root/scripts/wine-tree.sh" "$build" "make bench measures the front-end")
cmake --build "$bw" --target VelmoranFE2 bench_startup bench_minimal_window bench_floor_window bench_real_window \
  bench_window_calls \
  -j"$(nproc)" >/dev/null
state="$bw/bench-wine"
"$root/tests/e2e/wine-fixture.sh" start "$state" >/dev/null
work=$(mktemp -d /tmp/vfe-bench.XXXXXX)
trap '"$root/tests/e2e/wine-fixture.sh" stop "$state" >/dev/null; rm -rf "$work"' EXIT
wine_run() { "$root/tests/e2e/wine-run.sh" "$state" "$@"; }
# A program's figure lines: `name: ...` and the indented lines of medians and ranges after it.
# The whole output stays in $bw/<log> for a look at the single runs.
figures() { # <log> <name>...
  local log=$1; shift
  for name in "$@"; do
    awk -v name="$name: " 'index($0, name) == 1 { shown = 1; print; next } shown && /^  / { print; next } { shown = 0 }' \
      "$bw/$log" | grep . || { echo "$name: failed (see $bw/$log)"; tail -20 "$bw/$log"; }
  done
}

# ---- start-up: process start to main window visible ------------------------------
if wants startup; then
  app="$work/startup app"
  mkdir -p "$app"
  cp "$bw/VelmoranFE2.exe" "$bw/bench_minimal_window.exe" "$bw/bench_floor_window.exe" "$app/"
  head -c 131072 /dev/zero >"$app/dc_flash.bin"
  wine_run "$bw/bench_startup.exe" "Z:$app/VelmoranFE2.exe" "Z:$app/bench_minimal_window.exe" \
    "Z:$app/bench_floor_window.exe" "${BENCH_RUNS:-15}" >"$bw/startup.log" 2>&1 || true
  figures startup.log start-up
fi

# ---- save and capture tick: real recordings saved through the real window ---------
if wants save || wants capture; then
  wine_run "$bw/bench_real_window.exe" save "${BENCH_SAVE_RUNS:-5}" "${BENCH_TICK_FRAMES:-100}" \
    >"$bw/save.log" 2>&1 || true
  if wants save; then figures save.log save "save with run-length"; fi
  if wants capture; then
    figures save.log "capture tick"
    calls=$(wine_run "$bw/bench_window_calls.exe" 200 2>/dev/null || true)
    echo "${calls:-  of which the window system: not measured (bench_window_calls.exe did not run)}"
  fi
fi

# ---- save at scale: a recording past the AVI library's 2 GiB, split into several videos ----
if wants scale; then
  # The frames (3 GiB), the floor's links to them and one video file at a time.
  free=$(df --output=avail -B1 "$bw" | tail -1)
  if [ "$free" -lt 7000000000 ]; then
    echo "save at scale: not measured: it needs 7 GB of free disk under $bw ($((free / 1000000)) MB free)"
  else
    wine_run "$bw/bench_real_window.exe" scale "${BENCH_SCALE_RUNS:-3}" "${BENCH_SCALE_FRAMES:-1000}" \
      >"$bw/scale.log" 2>&1 || true
    figures scale.log "save at scale"
  fi
fi

# ---- steadiness: heap growth per frame of a long recording ------------------------
if wants steadiness; then
  wine_run "$bw/bench_real_window.exe" steadiness "${BENCH_STEADY_FRAMES:-2000}" >"$bw/steadiness.log" 2>&1 || true
  figures steadiness.log steadiness
fi
