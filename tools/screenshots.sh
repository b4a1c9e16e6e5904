#!/bin/bash
# Takes the README's screenshots of the real program under Wine on a virtual
# screen: the settings window, the tray menu and the version box, written to
# docs/screenshots/. Expects the Windows build (tools/test.sh or start.sh).
#
#   tools/screenshots.sh        at 100 % (settings.png, menu.png, version.png)
#   tools/screenshots.sh 150    at 150 % (settings-150.png, ...): the prefix's
#                               screen scale is set for the run and put back
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/build.sh"
scale="${1:-100}"
build="$SQ_BUILD/windows"
export SQ_WINEPREFIX="${SQ_WINEPREFIX:-$SQ_BUILD/wineprefix}"
export SQ_DISPLAY="${SQ_DISPLAY:-:73}"
unset DISPLAY
. "$here/wine-env.sh"
sq_ensure_display
sq_ensure_prefix
out="$SQ_ROOT/docs/screenshots"
mkdir -p "$out"
suffix=""
[ "$scale" = 100 ] || suffix="-$scale"

# Wine takes the scale from LogPixels (dots per inch, 96 = 100 %) when its
# server starts.
set_scale() { # percent
  local dpi=$(( $1 * 96 / 100 ))
  "$SQ_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  "$SQ_WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  "$SQ_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$SQ_WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  sq_ensure_prefix
}
if [ "$scale" != 100 ]; then
  set_scale "$scale"
  trap 'set_scale 100' EXIT
fi

winpath() { echo "Z:$1" | tr / '\\'; }
coproc TOUR { "$SQ_WINE" "$build/tests/e2e/e2e_screenshot_tour.exe" \
  "$(winpath "$build/app/Sorbelquintaro.exe")" \
  "$(winpath "$build/tests/fakes/winmm/winmm.dll")" \
  "$(winpath "$SQ_ROOT/docs/example-Config.ini")" 2>/dev/null; }
while read -r view <&"${TOUR[0]}"; do
  view="${view%$'\r'}"
  [ "$view" = done ] && break
  # The screen is black around the windows (no window manager): trim it.
  import -window root "$out/$view$suffix.full.png"
  convert "$out/$view$suffix.full.png" -trim +repage "$out/$view$suffix.png"
  rm -f "$out/$view$suffix.full.png"
  echo "took $out/$view$suffix.png"
  echo next >&"${TOUR[1]}"
done
wait "$TOUR_PID" 2>/dev/null || true
