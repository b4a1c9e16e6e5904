#!/bin/bash
# Installs what is missing, builds Sorbelquintaro.exe (Windows x64, Release)
# and packs the release archive with CPack:
# build/windows/package/Sorbelquintaro-<version>-win64.zip.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/install-deps.sh"
. "$here/build.sh"

# Only the program is built here; the tests of the same build directory are
# left for tools/test.sh.
sq_configure windows "${SQ_WINDOWS_ARGS[@]}"
cmake --build "$SQ_BUILD/windows" -j "$SQ_JOBS" --target Sorbelquintaro
(cd "$SQ_BUILD/windows" && cpack --config CPackConfig.cmake)
archive=$(ls -t "$SQ_BUILD"/windows/package/Sorbelquintaro-*-win64.zip | head -n 1)
echo "Release archive: $archive ($(stat -c %s "$archive") bytes)"
