#!/usr/bin/env bash
# ./run.sh [ARGS...]: builds what is missing and runs the utility under Wine,
# passing ARGS through untouched (./run.sh /batch). Runs the shipped 32-bit
# exe by default; OSKAVEL_BUILD=win64 ./run.sh runs the 64-bit build instead.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
build="${OSKAVEL_BUILD:-win32}"
case "$build" in
  win32|win64) ;;
  *) echo "run.sh: OSKAVEL_BUILD must be win32 or win64" >&2; exit 2 ;;
esac

"$root/scripts/install-deps.sh"
if [ "$build" = win32 ] && ! "$root/scripts/setup-emulation.sh"; then
  echo "run.sh: 32-bit programs cannot run here; use OSKAVEL_BUILD=win64 ./run.sh" >&2
  exit 1
fi
"$root/scripts/build.sh" "$build"

export WINEPREFIX="$root/build/run-prefix" WINEDEBUG=-all QEMU_RESERVED_VA=0x81000000
# No .NET or HTML engine: the utility needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run.sh: making a Wine prefix (once, about half a minute)..." >&2
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi
status=0
/usr/lib/wine/wine64 "$root/build/$build/oskavel.exe" "$@" || status=$?
exit "$status"
