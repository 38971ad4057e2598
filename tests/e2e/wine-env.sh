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
# Wine's 32-bit loader, for i386 programs (package wine32:i386). VFE_WINE32 names another
# path: one that does not exist hides it (scripts/probe-32bit.sh then says so).
WINE32=${VFE_WINE32:-/usr/lib/wine/wine}

# The loader for a Windows program: the 32-bit one for an i386 image (wine64 would hand it
# on through a start.exe of its own), wine64 for the rest.
# Usage: "$(wine_loader_for program.exe)" program.exe [arguments...]
wine_loader_for() {
  local header machine
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$header" ] && machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  if [ "${machine:-}" = 014c ] && [ -x "$WINE32" ]; then echo "$WINE32"; else echo "$WINE64"; fi
}
if [ -s "$state_dir/display" ]; then
  export DISPLAY=":$(cat "$state_dir/display")"
fi

# The prefix, made when it is missing. A 64-bit prefix runs 32-bit programs too only when
# Wine's 32-bit side was installed as it was made; one made before has no 32-bit system
# files, so where this machine runs 32-bit programs it is made anew.
# Usage: ensure_wine_prefix <log file>
ensure_wine_prefix() {
  local log=$1 here begin end
  here=$(dirname "${BASH_SOURCE[0]}")
  if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] &&
     "$here/../../scripts/probe-32bit.sh" >/dev/null; then
    echo "the Wine prefix $WINEPREFIX was made without Wine's 32-bit side: making it anew"
    "$WINESERVER" -k >/dev/null 2>&1
    "$WINESERVER" -w >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
  fi
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  begin=$(date +%s%N)
  "$WINE64" wineboot -i >"$log" 2>&1 </dev/null
  "$WINESERVER" -w
  end=$(date +%s%N)
  echo "made the Wine prefix $WINEPREFIX in $(( (end - begin) / 100000000 / 10 )).$(( (end - begin) / 100000000 % 10 )) s"
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot made no prefix; see $log" >&2; return 1; }
}

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
