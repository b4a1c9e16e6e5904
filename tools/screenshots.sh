#!/bin/bash
# Takes the README's screenshots of the real program under Wine on a virtual
# screen: the settings window, the tray menu and the version box, written to
# docs/screenshots/. Expects the Windows build (tools/test.sh or start.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/build.sh"
build="$SQ_BUILD/windows"
export SQ_WINEPREFIX="${SQ_WINEPREFIX:-$SQ_BUILD/wineprefix}"
export SQ_DISPLAY="${SQ_DISPLAY:-:73}"
unset DISPLAY
. "$here/wine-env.sh"
sq_ensure_display
sq_ensure_prefix
out="$SQ_ROOT/docs/screenshots"
mkdir -p "$out"

winpath() { echo "Z:$1" | tr / '\\'; }
coproc TOUR { "$SQ_WINE" "$build/tests/e2e/e2e_screenshot_tour.exe" \
  "$(winpath "$build/app/Sorbelquintaro.exe")" \
  "$(winpath "$build/tests/fakes/winmm/winmm.dll")" \
  "$(winpath "$SQ_ROOT/docs/example-Config.ini")" 2>/dev/null; }
while read -r view <&"${TOUR[0]}"; do
  view="${view%$'\r'}"
  [ "$view" = done ] && break
  # The screen is black around the windows (no window manager): trim it.
  import -window root "$out/$view.full.png"
  convert "$out/$view.full.png" -trim +repage "$out/$view.png"
  rm -f "$out/$view.full.png"
  echo "took $out/$view.png"
  echo next >&"${TOUR[1]}"
done
wait "$TOUR_PID" 2>/dev/null || true
