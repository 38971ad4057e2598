#!/usr/bin/env bash
# Starts the front-end of the demo folder under Wine, with this project's own prefix.
# On $DISPLAY when there is one; otherwise on a private Xvfb display, where it saves a
# screenshot of the screen once the main window is up and says where.
# Runs until the front-end ends or Ctrl-C; VFE_RUN_SECONDS=<n> ends it after n seconds.
# Usage: run-demo.sh <build dir>
set -uo pipefail
build=$(cd "$1" && pwd)
demo="$build/demo"
[ -f "$demo/VelmoranFE2.exe" ] || { echo "run-demo: no demo folder; run make demo first" >&2; exit 1; }

# The same Wine environment as the tests, in a state folder of its own.
mkdir -p "$build/run-wine"
. "$(dirname "$0")/../tests/e2e/wine-env.sh" "$build/run-wine"

# The caption the window is found by, as the program itself defines it.
caption=$(sed -n 's/.*kMainWindowCaption = "\(.*\)";/\1/p' "$(dirname "$0")/../src/shell/FormLayout.h")
[ -n "$caption" ] || { echo "run-demo: no main window caption found in src/shell/FormLayout.h" >&2; exit 1; }
log="$build/run-demo.log"
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
  echo "run-demo: no \$DISPLAY; using a private Xvfb display $DISPLAY"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run-demo: creating the Wine prefix $WINEPREFIX (about 10 s, once)"
  "$WINE64" wineboot -i >"$log" 2>&1 </dev/null
  "$WINESERVER" -w
fi
install_wine_fonts || echo "run-demo: the title-bar buttons will show as letters" >&2
# Without a window manager (Xvfb) Wine manages its windows itself; with one, it lets it.
if [ $private_display = yes ]; then
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 </dev/null
else
  "$WINE64" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >>"$log" 2>&1 </dev/null
fi

# Output to a file: the front-end's Windows children would hold a pipe open.
(cd "$demo" && exec "$WINE64" VelmoranFE2.exe >>"$log" 2>&1 </dev/null) &
fe_pid=$!
echo "run-demo: started the front-end in $demo (Wine output in $log)"

window_up() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$caption\""; }
if [ $private_display = yes ]; then
  up=no
  for _ in $(seq 300); do
    if window_up; then up=yes; break; fi
    kill -0 "$fe_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ $up = yes ]; then
    sleep 1  # let it paint
    shot="$demo/screenshot.png"
    if ffmpeg -loglevel error -y -f x11grab -video_size 1024x768 -i "$DISPLAY" -frames:v 1 "$shot" </dev/null; then
      echo "run-demo: screenshot saved: $shot"
    else
      echo "run-demo: the screenshot failed" >&2
    fi
  else
    echo "run-demo: the main window did not appear; see $log" >&2
  fi
  echo "run-demo: running; press Ctrl-C to stop"
fi

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
