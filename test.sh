#!/usr/bin/env bash
# ./test.sh: installs what is missing, builds all three builds and runs every
# test: host unit and simulator tests (also under ASan/UBSan), a bounded
# fuzzing run, the 64-bit program under Wine, and the shipped 32-bit
# program's shape and, where this machine can run 32-bit programs, its runs
# under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"

overall_start=$SECONDS
scripts/install-deps.sh
emulation=ok
emulation_reason=$(scripts/setup-emulation.sh 2>&1) || emulation=missing
scripts/build.sh all

failed=0
run_ctest() {
  local dir=$1; shift
  local tier_start=$SECONDS
  echo "== $dir"
  ctest --test-dir "build/$dir" --output-on-failure --no-tests=error "$@" || failed=1
  # The Wine tiers collect each platform's summary line.
  if [ -s "build/$dir/platform-lines.txt" ]; then
    echo "-- summary line on each Windows platform:"
    cat "build/$dir/platform-lines.txt"
  fi
  echo "-- $dir took $((SECONDS - tier_start)) s"
}

start=$SECONDS
run_ctest host
run_ctest host-asan
run_ctest fuzz -L fuzz
run_ctest win64
if [ "$emulation" = ok ]; then
  run_ctest win32
else
  run_ctest win32 -L static
  echo "!! 32-bit tier NOT RUN: the shipped exe was not run under Wine."
  echo "!! Reason: $emulation_reason"
fi
echo "test.sh: all tiers took $((SECONDS - start)) s; with installing and building $((SECONDS - overall_start)) s"

if [ "$failed" != 0 ]; then
  echo "test.sh: FAILED"
  exit 1
fi
if [ "$emulation" = ok ]; then
  echo "test.sh: passed"
else
  echo "test.sh: passed WITHOUT the 32-bit tier ($emulation_reason)"
fi
