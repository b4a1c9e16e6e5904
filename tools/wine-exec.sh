#!/bin/bash
# Runs one Windows binary under Wine; CMake's emulator for the cross build.
. "$(dirname "$0")/wine-env.sh"
sq_ensure_display
sq_ensure_prefix
exec "$SQ_WINE" "$@"
