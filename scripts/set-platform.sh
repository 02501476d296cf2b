#!/usr/bin/env bash
# Makes a Wine prefix pretend one of the Windows platforms of
# scripts/platforms.txt, for the programs that the tests and ./run.sh start.
#
#   set-platform.sh names BUILD               the names that BUILD (win32|win64) can take
#   set-platform.sh check BUILD NAME          status 0 when BUILD can take NAME; else the
#                                             known names on stderr and status 2
#   set-platform.sh apply PREFIX BUILD NAME   check, then set the prefix up
#
# Wine's version setting comes from the prefix's registry (winecfg -v writes
# it), so today's builds are the nearest setting with the build number and
# product type written over it; old versions that a 64-bit prefix refuses
# go per program. Switching needs no new prefix: every apply first resets
# the setting, so nothing of the previous platform is left. Prints nothing on
# standard output.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
table="$here/platforms.txt"
# The programs whose per-program setting an old platform sets.
programs=(oskavel.exe version_probe.exe)

rows() { grep -v '^[[:space:]]*\(#\|$\)' "$table"; }

names() {
  local build=$1
  rows | awk -v build="$build" '$2 == "both" || $2 == build { print $1 }'
}

check() {
  local build=$1 name=$2
  case "$build" in
    win32|win64) ;;
    *) echo "set-platform.sh: unknown build '$build' (win32 or win64)" >&2; exit 2 ;;
  esac
  if ! names "$build" | grep -xF -- "$name" >/dev/null; then
    {
      if rows | awk '{ print $1 }' | grep -xF -- "$name" >/dev/null; then
        echo "The $build build cannot run on '$name': that Windows ran only 32-bit programs (OSKAVEL_BUILD=win32)."
        echo "Platforms for the $build build:"
      else
        echo "Unknown Windows platform '$name'. Platforms for the $build build:"
      fi
      names "$build" | paste -sd' ' | fold -s -w 78 | sed 's/ *$//; s/^/  /'
    } >&2
    exit 2
  fi
}

# A registry file for regedit: the per-program settings, and the build and
# product type over both registry views (a 32-bit program reads its own).
registry_file() {
  local program=$1 build=$2 type=$3 exe
  printf 'REGEDIT4\r\n'
  for exe in "${programs[@]}"; do
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s]\r\n' "$exe"
    if [ "$program" = - ]; then
      printf '"Version"=-\r\n'
    else
      printf '"Version"="%s"\r\n' "$program"
    fi
  done
  if [ "$build" != - ]; then
    local view
    for view in 'Software' 'Software\\Wow6432Node'; do
      printf '\r\n[HKEY_LOCAL_MACHINE\\%s\\Microsoft\\Windows NT\\CurrentVersion]\r\n' "$view"
      printf '"CurrentBuildNumber"="%s"\r\n"CurrentBuild"="%s"\r\n' "$build" "$build"
    done
  fi
  if [ "$type" != - ]; then
    printf '\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\r\n'
    printf '"ProductType"="%s"\r\n' "$type"
  fi
}

# Runs a Wine program that writes settings into the prefix. Writing them
# again does no harm, so a call that fails is made once more before the
# apply gives up; what Wine said goes to stderr after each failure.
setting_call() {
  local prefix=$1; shift
  local log="$prefix/oskavel-platform.log" attempt
  for attempt in 1 2; do
    WINEDEBUG=-all,err+all "$here/wine.sh" "$@" </dev/null >"$log" 2>&1 && return 0
    echo "set-platform.sh: '$*' failed (attempt $attempt of 2); Wine said:" >&2
    sed 's/^/  /' "$log" >&2
  done
  exit 1
}

apply() {
  local prefix=$1 build=$2 name=$3
  check "$build" "$name"
  prefix="$(cd "$prefix" && pwd)"
  local state="$prefix/oskavel-platform"
  # The last platform applied to this prefix is still in place.
  [ "$(cat "$state" 2>/dev/null)" = "$name" ] && return 0

  local _ _builds setting program number type
  read -r _ _builds setting program number type _ < <(rows | awk -v n="$name" '$1 == n')
  export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  rm -f "$state"
  setting_call "$prefix" winecfg -v "$setting"
  local reg="$prefix/oskavel-platform.reg"
  registry_file "$program" "$number" "$type" >"$reg"
  setting_call "$prefix" regedit /s "Z:${reg//\//\\}"
  echo "$name" >"$state"
}

case "${1:-}" in
  names) [ $# -eq 2 ] || { echo "usage: set-platform.sh names BUILD" >&2; exit 2; }; names "$2" ;;
  check) [ $# -eq 3 ] || { echo "usage: set-platform.sh check BUILD NAME" >&2; exit 2; }; check "$2" "$3" ;;
  apply) [ $# -eq 4 ] || { echo "usage: set-platform.sh apply PREFIX BUILD NAME" >&2; exit 2; }; apply "$2" "$3" "$4" ;;
  *) echo "usage: set-platform.sh names BUILD | check BUILD NAME | apply PREFIX BUILD NAME" >&2; exit 2 ;;
esac
