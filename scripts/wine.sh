#!/usr/bin/env bash
# wine.sh PROGRAM [ARGS...]: runs a Windows program under 64-bit Wine (which
# also starts 32-bit ones), in the prefix and with the settings the caller's
# environment names. Standard output is the program's, untouched; standard
# error is Wine's and the program's, given once the program has ended; the
# exit status is the program's.
#
# Now and then Wine cannot start a process at all: it cannot map the shared
# user data (its fixed address taken, it seems by chance), says so and exits
# before the program's first instruction. Such a launch wrote nothing and
# says nothing about the program, so it is made again, at most twice more,
# with a note on standard error. Any other failure is the program's own.
set -uo pipefail
# The Wine loader; its tests put a stand-in here.
wine64="${OSKAVEL_WINE64:-/usr/lib/wine/wine64}"
start_failure='wine: failed to map the shared user data'
attempts=3
errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT

for ((attempt = 1; ; attempt++)); do
  status=0
  "$wine64" "$@" 2>"$errors" || status=$?
  if ! grep -qF -- "$start_failure" "$errors" || ((attempt == attempts)); then
    break
  fi
  echo "wine.sh: Wine could not start $1 (attempt $attempt of $attempts), starting it again:" >&2
  sed 's/^/  /' "$errors" >&2
done
cat "$errors" >&2
exit "$status"
