#!/usr/bin/env bash
# bench/run.sh [RUNS]: how much the utility costs beyond starting a process.
# Times the 64-bit exe in report and summary mode against a console program
# that does nothing (same toolchain, flags, runtime and resources), and beside
# them the peer a batch file uses without this tool, `cmd /c ver`, in one
# hyperfine run under Wine, measures CPU time and peak memory per run, sizes
# the stripped exes, and checks on a call trace that the program's own code
# makes no heap calls. Prints a table and writes bench/results.md.
# RUNS (default 200) is the number of timed runs of each command.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${1:-200}"

scripts/install-deps.sh --bench
scripts/build.sh win64 win32
for build in win64 win32; do
  cmake --build "build/$build" --target empty_console >"build/$build.empty.log" 2>&1 || {
    cat "build/$build.empty.log" >&2; exit 1; }
done

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no .NET or HTML engine in the prefix
export WINEPREFIX="$root/build/bench-wineprefix"
unset DISPLAY
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# A prefix of our own, made once: its first boot takes minutes and is no
# part of what is measured.
if [ ! -f "$WINEPREFIX/.bench-ready" ]; then
  echo "Making the Wine prefix (once)..."
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
  touch "$WINEPREFIX/.bench-ready"
fi
# One server for all runs, so that no run pays for starting it or for the
# prefix's services; ended however this script ends.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT

mkdir -p build/bench
exe64="$root/build/win64/oskavel.exe"
empty64="$root/build/win64/empty_console.exe"
# Every command must run cleanly before its time means anything. The first
# run also starts the prefix's background services, which keep the machine
# busy for some seconds: let them settle before anything is timed.
for command in "$exe64" "$exe64 /batch" "cmd /c ver" "$empty64"; do
  # shellcheck disable=SC2086
  "$wine" $command >/dev/null || { echo "bench: $command failed" >&2; exit 1; }
done
sleep 10

# --ignore-failure: Wine now and then fails to start a process at all;
# measure.py leaves such runs out and stops if there are more than a few.
hyperfine --ignore-failure --shell=none --warmup 20 --runs "$runs" --style basic \
  --export-json build/bench/hyperfine.json \
  -n report "$wine $exe64" \
  -n summary "$wine $exe64 /batch" \
  -n peer "$wine cmd /c ver" \
  -n empty "$wine $empty64" >build/bench/hyperfine.txt
# hyperfine gives only mean CPU times; a second pass takes each run's own
# CPU time from the kernel, the commands taking turns so a change in the
# machine's load falls on all of them alike; a third reads peak memory.
/usr/bin/python3 bench/measure.py --runs "$runs" --wine "$wine" \
  --hyperfine build/bench/hyperfine.json \
  --exe64 "$exe64" --empty64 "$empty64" \
  --exe32 build/win32/oskavel.exe --empty32 build/win32/empty_console.exe \
  --results bench/results.md
