#!/usr/bin/env bash
# Fills the demo folder from a build tree and starts its front-end under Wine, with this
# project's own prefix.
# - On $DISPLAY when there is one: until the person closes the window (VFE_RUN_SECONDS=<n>
#   ends it after n seconds).
# - Otherwise on a private Xvfb display, where nobody could close it: a short scripted tour
#   of the demo folder (demo_tour.exe) saves screenshots of the main window, of the enlarged
#   window with its capture panel after a short recording of the emulator's stand-in, and of
#   the About window with the readme; then it ends by itself and says where they are.
# Usage: run-demo.sh <build tree: build/win32 or build/win64> <demo dir>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$1" && pwd) || exit 1
"$here/make-demo.sh" "$tree" "$2" >/dev/null || exit 1
demo=$(cd "$2" && pwd)
build=$(dirname "$tree")
shots="$build/screenshots"
echo "run-demo: the demo folder $demo, from $tree"

# The same Wine environment as the tests, in a state folder of its own.
mkdir -p "$build/run-wine"
. "$here/../tests/e2e/wine-env.sh" "$build/run-wine"

log="$build/run-demo.log"
: >"$log"
xvfb_pid=""
fe_pid=""

finish() {
  trap - INT TERM EXIT
  [ -n "$fe_pid" ] && kill "$fe_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    # Nobody can see the stand-ins on a private display: end all of this prefix.
    "$WINESERVER" -k >/dev/null 2>&1
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  exit "${1:-0}"
}
trap 'echo; echo "run-demo: stopping"; finish 130' INT TERM

private_display=no
if [ -z "${DISPLAY:-}" ]; then
  private_display=yes
  state=$(mktemp -d)
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" >"$state/xvfb.log" 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do grep -q '[0-9]' "$state/display" 2>/dev/null && break; sleep 0.1; done
  grep -q '[0-9]' "$state/display" 2>/dev/null || { cat "$state/xvfb.log"; echo "run-demo: Xvfb did not start" >&2; finish 1; }
  export DISPLAY=":$(tr -dc '0-9' <"$state/display")"
  rm -rf "$state"
  echo "run-demo: no \$DISPLAY; a short tour on a private Xvfb display $DISPLAY, saving screenshots"
fi

ensure_wine_prefix "$build/run-wine/wineboot.log" | sed 's/^/run-demo: /' || finish 1
install_wine_fonts || echo "run-demo: the title-bar buttons will show as letters" >&2
# Without a window manager (Xvfb) Wine manages its windows itself; with one, it lets it.
if [ $private_display = yes ]; then
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 </dev/null
else
  "$WINE64" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >>"$log" 2>&1 </dev/null
fi

if [ $private_display = yes ]; then
  [ -f "$tree/demo_tour.exe" ] || { echo "run-demo: $tree/demo_tour.exe is missing; build the tree first" >&2; finish 1; }
  rm -rf "$shots"
  # Output to a file: the front-end's Windows children would hold a pipe open.
  "$(wine_loader_for "$tree/demo_tour.exe")" "$tree/demo_tour.exe" "Z:$demo" "Z:$shots" >>"$log" 2>&1 </dev/null
  status=$?
  if [ $status -ne 0 ]; then
    sed -n '/Failure\|error\|rror:/,+3p' "$log" | head -20 >&2
    echo "run-demo: the tour stopped short (exit status $status); see $log" >&2
    finish 1
  fi
  sed -n 's/^the recording, saved: Saved /run-demo: the tour recorded the stand-in and saved the video (removed again): /p' "$log"
  echo "run-demo: the tour is done; its screenshots:"
  for shot in main-window capture-panel about; do echo "  $shots/$shot.png"; done
  finish 0
fi

(cd "$demo" && exec "$(wine_loader_for VelmoranFE2.exe)" VelmoranFE2.exe >>"$log" 2>&1 </dev/null) &
fe_pid=$!
echo "run-demo: started the front-end in $demo (Wine output in $log); it runs until you close its window"
if [ -n "${VFE_RUN_SECONDS:-}" ]; then
  for _ in $(seq "$((VFE_RUN_SECONDS * 10))"); do kill -0 "$fe_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$fe_pid" 2>/dev/null && echo "run-demo: $VFE_RUN_SECONDS s are up"
  finish 0
fi
wait "$fe_pid"
status=$?
fe_pid=""
echo "run-demo: the front-end ended (exit status $status)"
finish "$status"
