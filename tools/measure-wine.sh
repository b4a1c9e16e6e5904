#!/bin/bash
# Runs the measurement driver of the Windows build under Wine and prints its
# table: settings file load and save of a 1,000-rule table (the platform's
# private-profile functions and the portable backend), one process snapshot,
# the program's start-up, peak working set and end beside a Wine baseline
# program, and the latency from a posted MIDI message to the key-down: idle,
# while the shell holds a program start, and while the program in front
# changes before every note, without and with 100 lit rules.
#
#   tools/measure-wine.sh [build dir] [table runs] [starts] [latency events] [rules] [backends]
#
# backends, added up: 1 private profile, 2 portable (watching the file), 4 the
# program's own one read and one write. A 1,000-rule save through
# Wine's private-profile functions takes about a minute, so few table runs.
set -euo pipefail
tools="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$tools/../build/windows}"
runs="${2:-3}"
starts="${3:-3}"
events="${4:-1000}"
rules="${5:-1000}"
backends="${6:-7}"
exe="$build/tests/e2e-proof/proof_measure.exe"
if [ ! -f "$exe" ]; then
  echo "no $exe: build the target proof_measure of the Windows build first" >&2
  exit 1
fi
unset DISPLAY
cd "$(dirname "$exe")"
exec "$tools/wine-exec.sh" ./proof_measure.exe "$runs" "$starts" "$events" "$rules" "$backends"
