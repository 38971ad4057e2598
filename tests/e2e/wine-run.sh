#!/usr/bin/env bash
# The test emulator: runs one Windows program under the private prefix and display.
# Output goes to a file, never a pipe, because the program's Windows children would
# keep a pipe open and make ctest wait for them; the file is printed at the end.
# Usage: wine-run.sh <state dir> <program.exe> [arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state_dir=$(cd "$1" && pwd) || exit 1; shift
. "$here/wine-env.sh" "$state_dir"
[ -n "${DISPLAY:-}" ] || { echo "no test display: run the e2e_setup fixture first" >&2; exit 1; }
out=$(mktemp "$state_dir/run.XXXXXX")
"$WINE64" "$@" >"$out" 2>&1 </dev/null &
child=$!
# A ctest timeout ends this script: end the Windows program with it, and show how far it got.
trap 'kill "$child" 2>/dev/null; cat "$out"; rm -f "$out"; echo "wine-run: stopped"; exit 124' TERM INT
wait "$child"
rc=$?
cat "$out"
rm -f "$out"
exit $rc
