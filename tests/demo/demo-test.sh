#!/bin/bash
# tools/start.sh --demo as a developer runs it: the demo keyboard's phrase
# must arrive in notepad (read by the probe given as $1), and a screenshot
# of the screen is left in build/demo/demo.png to look at. Ends the demo
# (program and notepad) afterwards.
set -euo pipefail
probe="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
export SQ_BUILD="${SQ_BUILD:-$root/build}" SQ_JOBS="${SQ_JOBS:-2}"
# The prefix and the screen start.sh uses, so that the probe sees notepad.
export SQ_WINEPREFIX="${SQ_WINEPREFIX:-$SQ_BUILD/wineprefix}" SQ_DISPLAY="${SQ_DISPLAY:-:72}"
log="$SQ_BUILD/demo-test.log"
mkdir -p "$SQ_BUILD"
bash "$root/tools/start.sh" --demo >"$log" 2>&1 &
demo_pid=$!
trap 'kill "$demo_pid" 2>/dev/null || true; wait "$demo_pid" 2>/dev/null || true' EXIT

. "$root/tools/wine-env.sh"
sq_ensure_display # the display start.sh uses, from SQ_DISPLAY
for _ in $(seq 1 600); do
  grep -q "^Sorbelquintaro is running" "$log" && break
  kill -0 "$demo_pid" 2>/dev/null || { cat "$log"; exit 1; }
  sleep 0.5
done
status=0
"$SQ_WINE" "$probe" || status=$?
import -window root "$SQ_BUILD/demo/demo.png" || true
echo "screenshot: $SQ_BUILD/demo/demo.png"
exit "$status"
