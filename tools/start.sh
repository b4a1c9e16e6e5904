#!/bin/bash
# Installs what is missing, builds Sorbelquintaro.exe and starts it under Wine,
# from build/run/ with an example Config.ini (kept once the program wrote it).
# Without a usable DISPLAY it runs on a virtual screen (Xvfb :72).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/install-deps.sh"
. "$here/build.sh"

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
