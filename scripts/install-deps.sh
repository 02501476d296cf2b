#!/usr/bin/env bash
# Installs what the builds and tests need, through apt only. Idempotent and
# silent when everything is already there.
#   install-deps.sh          toolchain, Wine and test tools
#   install-deps.sh --emu    also what a 32-bit Windows program needs here
#   install-deps.sh --bench  also the benchmark timer
set -euo pipefail

want_emu=0
want_bench=0
for arg in "$@"; do
  case "$arg" in
    --emu) want_emu=1 ;;
    --bench) want_bench=1 ;;
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

packages=(cmake make g++ clang libclang-rt-14-dev libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine64 python3-pefile
          zip)
if [ "$want_emu" = 1 ]; then
  packages+=(qemu-user-static wine32:i386)
fi
if [ "$want_bench" = 1 ]; then
  packages+=(hyperfine)
fi

installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "install-deps.sh: missing packages (${missing[*]}) and not root: install them with apt-get" >&2
  exit 1
fi

for p in "${missing[@]}"; do
  if [[ "$p" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
done

echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null || { echo "install-deps.sh: apt-get update failed" >&2; exit 1; }
if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/oskavel-apt.log 2>&1; then
  echo "install-deps.sh: apt-get could not install: ${missing[*]} (log: /tmp/oskavel-apt.log)" >&2
  tail -n 20 /tmp/oskavel-apt.log >&2
  exit 1
fi
