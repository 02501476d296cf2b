#!/usr/bin/env bash
# ./run.sh [ARGS...]: builds what is missing and runs the utility under Wine,
# passing ARGS through untouched (./run.sh /batch).
#   OSKAVEL_BUILD=win32|win64   which exe: the shipped 32-bit one (default) or the 64-bit build
#   OSKAVEL_WINDOWS=NAME        which Windows Wine pretends (default win10); the names are in
#                               scripts/platforms.txt
# Standard output carries the program's output alone: installing, building and
# making the prefix report on stderr, so `./run.sh /batch > line.txt` holds
# just the line. The exit status is the program's; 2 for an unknown build or
# platform, before anything runs.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
build="${OSKAVEL_BUILD:-win32}"
windows="${OSKAVEL_WINDOWS:-win10}"
case "$build" in
  win32|win64) ;;
  *) echo "run.sh: OSKAVEL_BUILD must be win32 or win64" >&2; exit 2 ;;
esac
"$root/scripts/set-platform.sh" check "$build" "$windows" || exit 2

export WINEPREFIX="$root/build/run-prefix" WINEDEBUG=-all QEMU_RESERVED_VA=0x81000000
# No .NET or HTML engine: the utility needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
{
  "$root/scripts/install-deps.sh"
  if [ "$build" = win32 ] && ! "$root/scripts/setup-emulation.sh"; then
    echo "run.sh: 32-bit programs cannot run here; use OSKAVEL_BUILD=win64 ./run.sh" >&2
    exit 1
  fi
  "$root/scripts/build.sh" "$build"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run.sh: making a Wine prefix (once, about half a minute)..."
    "$root/scripts/wine.sh" wineboot -i >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
  fi
  "$root/scripts/set-platform.sh" apply "$WINEPREFIX" "$build" "$windows"
} >&2
exec "$root/scripts/wine.sh" "$root/build/$build/oskavel.exe" "$@"
