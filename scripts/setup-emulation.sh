#!/usr/bin/env bash
# Makes 32-bit Windows programs runnable under Wine on this machine. The
# kernel here runs no 32-bit Linux programs, so Wine's 32-bit loader runs
# through qemu's user-mode emulation, registered with binfmt_misc. A machine
# that runs 32-bit programs natively needs none of that and is left alone.
# Idempotent and quiet when everything is in place. Exit status 0 when 32-bit
# programs run, 1 (with the reason on stderr) when they cannot here.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

loader=/usr/lib/wine/wine          # Wine's 32-bit loader (package wine32:i386)
binfmt=/proc/sys/fs/binfmt_misc
export QEMU_RESERVED_VA=0x81000000

runs_32bit() { "$loader" --version >/dev/null 2>&1; }

"$here/install-deps.sh" --emu || { echo "32-bit tier: could not install qemu-user-static and wine32" >&2; exit 1; }
runs_32bit && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "32-bit tier: this machine runs no 32-bit programs and setting up emulation needs root" >&2
  exit 1
fi
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || {
    echo "32-bit tier: binfmt_misc cannot be mounted at $binfmt" >&2; exit 1; }
fi
if ! grep -qs 'magic 7f454c4601010100000000000000000002000300' "$binfmt"/* ; then
  # The standard i386 ELF magic and mask; F keeps the interpreter open so it
  # works inside any mount namespace.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    > "$binfmt/register" 2>/dev/null || {
    echo "32-bit tier: cannot register qemu-i386-static with binfmt_misc" >&2; exit 1; }
fi
if [ -e "$binfmt/qemu-i386" ] && ! grep -qx enabled "$binfmt/qemu-i386"; then
  echo 1 > "$binfmt/qemu-i386"
fi
runs_32bit || { echo "32-bit tier: Wine's 32-bit loader still does not start under emulation" >&2; exit 1; }
