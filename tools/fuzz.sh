#!/bin/bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers on) and runs each one for the given number of seconds (30 by
# default), starting from the seed corpus in tests/fuzz/corpus/<target>.
# Fails when a target crashes or cannot be built; the crashing input is kept
# in the build's fuzz/artifacts folder.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
seconds="${1:-30}"
build="${SQ_BUILD:-$root/build}/fuzz"
jobs="${SQ_JOBS:-2}"
targets=(config_round_trip short_message rule_text)

mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSQ_BUILD_FUZZ=ON -DSQ_BUILD_TESTS=OFF >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target "${targets[@]/%/_fuzzer}" >"$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log"; exit 1; }

# Scratch files of the targets go to memory when the system has it.
scratch_base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_base=/dev/shm
scratch="$(mktemp -d "$scratch_base/sq-fuzz-XXXXXX")" || exit 1
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

passed=0
failed=0
for target in "${targets[@]}"; do
  work="$build/corpus/$target"      # new inputs found by this and earlier runs
  artifacts="$build/artifacts/$target/"
  mkdir -p "$work" "$artifacts"
  extra=()
  [ -f "$root/tests/fuzz/$target.dict" ] && extra+=(-dict="$root/tests/fuzz/$target.dict")
  corpora=("$work" "$root/tests/fuzz/corpus/$target")
  # The damaged settings files of the unit tests make good seeds too.
  [ "$target" = config_round_trip ] && corpora+=("$root/tests/data/damaged-config")
  log="$build/$target.log"
  echo "fuzzing $target for ${seconds}s"
  if "$build/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=25 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" "${extra[@]}" \
       "${corpora[@]}" >"$log" 2>&1; then
    passed=$((passed + 1))
    grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/  $target /"
  else
    failed=$((failed + 1))
    echo "  $target FAILED (log: $log)"
    # The target's own words come just before the sanitizer's report.
    grep -v '^INFO\|^#[0-9]' "$log" | grep -B4 -m1 'ERROR:' | grep -v 'ERROR:'
    grep -E -A12 'ERROR:|differ|runtime error|SUMMARY' "$log" | head -30
  fi
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
