# Sourced by the scripts that run Windows binaries: a private Wine prefix in
# the Japanese locale (ANSI code page 932) with Japanese fonts, a persistent
# wineserver and an X display (Xvfb when none is set).
: "${SQ_WINEPREFIX:=${TMPDIR:-/tmp}/sorbelquintaro-wine-$(id -u)}"
export WINEPREFIX="$SQ_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
SQ_WINE=/usr/lib/wine/wine64
SQ_WINESERVER=/usr/lib/wine/wineserver

sq_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  export DISPLAY="${SQ_DISPLAY:-:93}"
  if ! xdpyinfo >/dev/null 2>&1; then
    (Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &)
    for _ in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
}

sq_ensure_prefix() {
  mkdir -p "$WINEPREFIX"
  # Whatever is started here must not inherit the lock or the caller's
  # output pipes: a wineserver holding them would block the next caller, or
  # keep a test runner waiting for end of output.
  [ -f "$WINEPREFIX/.sq-ready" ] || (
    flock 9
    if [ ! -f "$WINEPREFIX/.sq-ready" ]; then
      "$SQ_WINESERVER" -p 9>&- </dev/null >/dev/null 2>&1
      "$SQ_WINE" wineboot -i 9>&- </dev/null >/dev/null 2>&1
      # Japanese dialog fonts map onto IPA Gothic.
      for face in "MS UI Gothic" "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "MS PGothic" "MS Gothic"; do
        "$SQ_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f \
          9>&- </dev/null >/dev/null 2>&1
      done
      # The services the set-up started do not all survive it (seen: RpcSs
      # missing, so that every desktop start then waits 10 s for it): begin
      # the run with a fresh server.
      "$SQ_WINESERVER" -k 9>&- </dev/null >/dev/null 2>&1
      "$SQ_WINESERVER" -w 9>&- </dev/null >/dev/null 2>&1
      touch "$WINEPREFIX/.sq-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
  # Keep one wineserver for the whole run instead of one per process. When
  # it is new, its services start here, where they inherit none of the
  # caller's pipes (a test runner would wait for them to close).
  if "$SQ_WINESERVER" -p </dev/null >/dev/null 2>&1; then
    "$SQ_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
  fi
}
