#!/bin/bash
# Installs what is missing, builds everything and runs every test: the
# portable core natively (plain and with AddressSanitizer + UBSan), then the
# Windows x64 build's unit and end-to-end tests under Wine on Xvfb.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/install-deps.sh" || exit 1
. "$here/build.sh"

passed=0
failed=0
status=0
failures_seen=()

# Runs one build's tests and adds up the test cases from GoogleTest's reports.
run_ctest() { # build name
  local results="$SQ_BUILD/$1/test-results"
  rm -rf "$results"
  (cd "$SQ_BUILD/$1" && ctest --output-on-failure --timeout 900) || status=1
  local counts
  counts=$(python3 - "$results" <<'PY'
import glob, sys, xml.etree.ElementTree as ET
tests = failures = 0
names = []
for path in sorted(glob.glob(sys.argv[1] + "/*.xml")):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        failures += 1
        names.append(path + ": unreadable report")
        continue
    tests += int(root.get("tests", 0)) - int(root.get("disabled", 0)) - int(root.get("skipped", 0) or 0)
    failures += int(root.get("failures", 0)) + int(root.get("errors", 0))
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            names.append("%s: %s.%s" % (path.rsplit("/", 1)[-1], case.get("classname"), case.get("name")))
print(tests - failures, failures)
for name in names:
    print(name)
PY
)
  # Failed cases are named again at the very end, where a log cut to its tail still shows them.
  while IFS= read -r line; do
    failures_seen+=("$1: $line")
  done < <(sed 1d <<<"$counts")
  counts=$(head -1 <<<"$counts")
  passed=$((passed + ${counts% *}))
  failed=$((failed + ${counts#* }))
}

step() { echo; echo "=== $* ==="; }

step "native build with AddressSanitizer and UBSan"
if sq_build native-asan -DCMAKE_BUILD_TYPE=Debug -DSQ_SANITIZE=ON; then
  run_ctest native-asan
else
  status=1; failed=$((failed + 1))
fi

step "native release build (tests and benchmarks)"
if sq_build native-release -DCMAKE_BUILD_TYPE=Release; then
  run_ctest native-release
else
  status=1; failed=$((failed + 1))
fi

step "fuzz smoke"
# Each target that runs its time without a crash counts as one passed test.
fuzz_log="$SQ_BUILD/fuzz-smoke.log"
mkdir -p "$SQ_BUILD"
"$here/fuzz.sh" 30 2>&1 | tee "$fuzz_log" || status=1
fuzz_counts=$(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$fuzz_log")
if [ -n "$fuzz_counts" ]; then
  passed=$((passed + ${fuzz_counts% *}))
  failed=$((failed + ${fuzz_counts#* }))
else
  status=1; failed=$((failed + 1))  # the fuzz build itself failed
fi
while IFS= read -r line; do failures_seen+=("fuzz: $line"); done \
  < <(grep -E -A3 ' FAILED \(log' "$fuzz_log")

step "Windows x64 build, tests under Wine"
# Tests on, even where tools/start.sh configured this build without them.
if sq_build_windows -DSQ_BUILD_TESTS=ON; then
  export SQ_WINEPREFIX="${SQ_WINEPREFIX:-$SQ_BUILD/wineprefix}"
  export SQ_DISPLAY="${SQ_DISPLAY:-:71}"
  unset DISPLAY
  . "$here/wine-env.sh"
  sq_ensure_display
  sq_ensure_prefix
  run_ctest windows
  "$SQ_WINESERVER" -k 2>/dev/null || true
  pkill -f "Xvfb $SQ_DISPLAY " 2>/dev/null || true
else
  status=1; failed=$((failed + 1))
fi

step "release archive (tools/package.sh)"
# The package test above unpacked and ran the archive; this proves the
# README's package command itself, and counts as one test.
if "$here/package.sh"; then
  passed=$((passed + 1))
else
  status=1; failed=$((failed + 1))
fi

echo
if [ "${#failures_seen[@]}" -gt 0 ]; then
  echo "failed:"
  printf '  %s\n' "${failures_seen[@]}"
fi
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
echo "tests: $passed passed, $failed failed"
exit $status
