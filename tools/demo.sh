# Sourced by start.sh --demo after the build: runs the program from
# build/demo/ with the test MIDI library beside it, whose "Demo Keyboard"
# plays "hello midi" in a loop (tools/demo/FakeWinmm.ini), a table that turns
# its notes into letter keys (tools/demo/Config.ini, fresh at every start),
# and Wine's notepad in front to receive them. Ends both when the program
# ends or on Ctrl+C.
run="$SQ_BUILD/demo"
mkdir -p "$run"
cp "$SQ_BUILD/windows/app/Sorbelquintaro.exe" "$run/"
cp "$SQ_BUILD/windows/tests/fakes/winmm/winmm.dll" "$run/"
cp "$SQ_ROOT/tools/demo/FakeWinmm.ini" "$SQ_ROOT/tools/demo/Config.ini" "$run/"
rm -f "$run/DemoPlay" "$run/FakeWinmm.log"

export SQ_WINEPREFIX="${SQ_WINEPREFIX:-$SQ_BUILD/wineprefix}"
SQ_DISPLAY="${SQ_DISPLAY:-:72}"
. "$SQ_ROOT/tools/wine-env.sh"
sq_ensure_display
sq_ensure_prefix

# Whether a top-level window whose title contains $1 is on the X screen.
has_window() { xwininfo -root -tree 2>/dev/null | grep -q -- "$1"; }
wait_for_window() { # title part
  for _ in $(seq 1 300); do
    has_window "$1" && return 0
    sleep 0.1
  done
  echo "no window \"$1\" came" >&2
  return 1
}

program_pid="" notepad_pid=""
stop_demo() {
  [ -n "$notepad_pid" ] && kill "$notepad_pid" 2>/dev/null || true
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
}
trap stop_demo EXIT INT TERM

# The library beside the program wins over Wine's own for the program only;
# notepad gets the usual one.
(cd "$run" && WINEDLLOVERRIDES="winmm=n,b;$WINEDLLOVERRIDES" exec "$SQ_WINE" "$run/Sorbelquintaro.exe") &
program_pid=$!
wait_for_window "Sorbelquintaro Ver"
"$SQ_WINE" notepad </dev/null >/dev/null 2>&1 &
notepad_pid=$!
wait_for_window "Notepad\\|メモ帳"
sleep 1
touch "$run/DemoPlay" # the keyboard starts playing into the window in front
echo "Sorbelquintaro is running on display $DISPLAY with the demo keyboard (settings: $run/Config.ini)."
echo "It types \"hello midi\" into notepad; open its MIDI monitor from the tray menu (MIDI モニター)."
echo "A screenshot: DISPLAY=$DISPLAY import -window root shot.png"
echo "End it from its tray menu (終了), with Esc in its window, or with Ctrl+C here."
wait "$program_pid" || true
program_pid=""
