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

# Debian's Wine keeps its own fonts in /usr/share/wine/fonts (package fonts-wine), yet it
# loads fonts only from the prefix's Fonts folder, the registry and fontconfig's folders,
# and its wineboot copies none of them in. Without Marlett, the font of the title-bar
# buttons, those draw as the letters "0 1 r". A copy in the prefix mends that; only
# Marlett, so that text keeps the faces fontconfig gives it.
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d "$fonts" ] || { echo "no Fonts folder in $WINEPREFIX" >&2; return 1; }
  [ -s "$fonts/marlett.ttf" ] && return 0
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/" || { echo "cannot copy Marlett into $fonts" >&2; return 1; }
}
