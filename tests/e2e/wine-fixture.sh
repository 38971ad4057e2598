#!/usr/bin/env bash
# Starts (start) or ends (stop) the private X display and Wine prefix that the
# end-to-end tests of one build directory run on. Run by ctest as fixture tests.
# Usage: wine-fixture.sh start|stop <state dir> [screen size, 1024x768 unless given]
set -uo pipefail
action=$1
state_dir=$(mkdir -p "$2" && cd "$2" && pwd)
screen=${3:-1024x768}
here=$(cd "$(dirname "$0")" && pwd)

xvfb_pid_file="$state_dir/xvfb.pid"

# True when the pid file names a live Xvfb of ours (a pid may have been reused).
our_xvfb_running() {
  [ -s "$xvfb_pid_file" ] || return 1
  local pid; pid=$(cat "$xvfb_pid_file")
  [ -r "/proc/$pid/cmdline" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q '^Xvfb '
}

stop_xvfb() {
  if our_xvfb_running; then
    local pid; pid=$(cat "$xvfb_pid_file")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  fi
  rm -f "$xvfb_pid_file" "$state_dir/display"
}

stop_wine() {
  . "$here/wine-env.sh" "$state_dir"
  [ -d "$WINEPREFIX" ] && "$WINESERVER" -k >/dev/null 2>&1
  "$WINESERVER" -w >/dev/null 2>&1 || true
}

start_xvfb() {
  local fifo="$state_dir/displayfd"
  rm -f "$fifo" "$state_dir/display"
  # setsid and files only: no pipe of ctest's may stay open in the server.
  setsid Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset \
    3>"$state_dir/display" >"$state_dir/xvfb.log" 2>&1 </dev/null &
  echo $! >"$xvfb_pid_file"
  for _ in $(seq 100); do
    [ -s "$state_dir/display" ] && grep -q '[0-9]' "$state_dir/display" && break
    sleep 0.1
  done
  if ! grep -q '[0-9]' "$state_dir/display" 2>/dev/null; then
    echo "Xvfb did not start:"; cat "$state_dir/xvfb.log"; return 1
  fi
  # -displayfd writes the number and a line end.
  local number; number=$(tr -dc '0-9' <"$state_dir/display")
  echo "$number" >"$state_dir/display"
  echo "Xvfb on :$number (pid $(cat "$xvfb_pid_file"))"
}

start_wine() {
  . "$here/wine-env.sh" "$state_dir"
  ensure_wine_prefix "$state_dir/wineboot.log" || return 1
  install_wine_fonts || return 1
  # A persistent server spares every test the server start.
  setsid "$WINESERVER" -p >/dev/null 2>&1 </dev/null &
  sleep 0.2
  # Xvfb has no window manager: Wine would wait 2 s at every window's end for one to
  # answer. Unmanaged windows are Wine's own to place, minimize and maximize.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state_dir/wineboot.log" 2>&1 </dev/null
  echo "wine prefix $WINEPREFIX ready"
}

case $action in
  start)
    stop_wine; stop_xvfb       # leftovers of an interrupted run
    start_xvfb || exit 1
    start_wine || exit 1 ;;
  stop)
    stop_wine
    stop_xvfb
    echo "stopped" ;;
  *) echo "usage: $0 start|stop <state dir> [screen size]" >&2; exit 2 ;;
esac
