#!/bin/bash
# Installs what is missing, builds Sorbelquintaro.exe and starts it under Wine,
# from build/run/ with an example Config.ini (kept once the program wrote it).
# Without a usable DISPLAY it runs on a virtual screen (Xvfb :72).
#
#   tools/start.sh --demo   the same without a controller: from build/demo/,
#                           with the test MIDI library's "Demo Keyboard", which
#                           plays a short phrase in a loop, a table that types
#                           it as text, and Wine's notepad to type it into
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
demo=0
[ "${1:-}" = --demo ] && demo=1
"$here/install-deps.sh"
. "$here/build.sh"

if [ "$demo" = 1 ]; then
  # Only the program and the test library, not every test.
  sq_configure windows "${SQ_WINDOWS_ARGS[@]}" -DSQ_BUILD_TESTS=ON
  cmake --build "$SQ_BUILD/windows" -j "$SQ_JOBS" --target Sorbelquintaro sq_fake_winmm
  . "$here/demo.sh"
  exit 0
fi

sq_build_windows -DSQ_BUILD_TESTS=OFF
run="$SQ_BUILD/run"
mkdir -p "$run"
cp "$SQ_BUILD/windows/app/Sorbelquintaro.exe" "$run/"
[ -f "$run/Config.ini" ] || cp "$SQ_ROOT/docs/example-Config.ini" "$run/Config.ini"

export SQ_WINEPREFIX="${SQ_WINEPREFIX:-$SQ_BUILD/wineprefix}"
SQ_DISPLAY="${SQ_DISPLAY:-:72}"
. "$here/wine-env.sh"
sq_ensure_display
sq_ensure_prefix
echo "Sorbelquintaro is running on display $DISPLAY (settings: $run/Config.ini)."
echo "End it from its tray menu (終了), with Esc in its window, or with Ctrl+C here."
cd "$run"
exec "$SQ_WINE" "$run/Sorbelquintaro.exe"
