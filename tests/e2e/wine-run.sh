#!/usr/bin/env bash
# The test emulator: runs one Windows program under the private prefix and display.
# Output goes to a file, never a pipe, because the program's Windows children would
# keep a pipe open and make ctest wait for them; the file is printed at the end.
# With VFE_E2E_TIMEOUT=<s> (ctest's limit) the program is stopped 5 s before ctest would
# kill this script, so that its output and a screenshot of the screen are kept.
# Usage: wine-run.sh <state dir> <program.exe> [arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state_dir=$(cd "$1" && pwd) || exit 1; shift
. "$here/wine-env.sh" "$state_dir"
[ -n "${DISPLAY:-}" ] || { echo "no test display: run the e2e_setup fixture first" >&2; exit 1; }
out=$(mktemp "$state_dir/run.XXXXXX")
"$(wine_loader_for "$1")" "$@" >"$out" 2>&1 </dev/null &
child=$!

# Keeps the screen as the test left it, ends the Windows program, and shows how far it got.
stopped() {
  local name shot
  name=$(printf '%s\n' "$@" | sed -n 's/^--gtest_filter=//p')
  shot="$(dirname "$state_dir")/e2e-screenshots/${name:-run}.timeout.png"
  mkdir -p "$(dirname "$shot")"
  ffmpeg -loglevel error -y -f x11grab -i "$DISPLAY" -frames:v 1 "$shot" </dev/null >/dev/null 2>&1 &&
    echo "screen at the timeout: $shot"
  kill "$child" 2>/dev/null
  cat "$out"; rm -f "$out"; echo "wine-run: stopped"; exit 124
}
trap 'stopped "$@"' TERM INT

if [ "${VFE_E2E_TIMEOUT:-0}" -gt 5 ]; then
  sleep $((VFE_E2E_TIMEOUT - 5)) >/dev/null 2>&1 </dev/null &
  watchdog=$!
  wait -n "$child" "$watchdog"
  kill -0 "$child" 2>/dev/null && stopped "$@"
  kill "$watchdog" 2>/dev/null
fi
wait "$child"
rc=$?
cat "$out"
rm -f "$out"
exit $rc
