# Sourced by the e2e scripts: the private Wine prefix and display of one build directory.
# Usage: . wine-env.sh <state dir>
state_dir=$1
export WINEPREFIX="$state_dir/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko: the tests need neither, and their installers would ask on screen.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
export WINELOADER="$WINE64"
export WINESERVER
if [ -s "$state_dir/display" ]; then
  export DISPLAY=":$(cat "$state_dir/display")"
fi
