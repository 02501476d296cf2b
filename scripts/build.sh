#!/usr/bin/env bash
# build.sh [host|asan|fuzz|win64|win32|all]...: configures and builds under build/. Quiet unless something fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

configure_and_build() {
  local dir=$1; shift
  cmake -S . -B "build/$dir" "$@" >"build/$dir.configure.log" 2>&1 || {
    cat "build/$dir.configure.log" >&2; exit 1; }
  cmake --build "build/$dir" -j"$(nproc)" >"build/$dir.build.log" 2>&1 || {
    cat "build/$dir.build.log" >&2; echo "build of $dir failed" >&2; exit 1; }
}

mkdir -p build
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(all)
for target in "${targets[@]}"; do
  case "$target" in
    host) configure_and_build host -DCMAKE_BUILD_TYPE=Release ;;
    asan) configure_and_build host-asan -DCMAKE_BUILD_TYPE=Debug -DOSKAVEL_SANITIZE=ON ;;
    fuzz) configure_and_build fuzz -DCMAKE_CXX_COMPILER=clang++ -DOSKAVEL_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug ;;
    win64) configure_and_build host -DCMAKE_BUILD_TYPE=Release
           configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
             -DOSKAVEL_SIM="$root/build/host/oskavel-sim" ;;
    win32) configure_and_build host -DCMAKE_BUILD_TYPE=Release
           configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
             -DOSKAVEL_SIM="$root/build/host/oskavel-sim" ;;
    all) "$0" host asan fuzz win64 win32 ;;
    *) echo "build.sh: unknown target $target" >&2; exit 2 ;;
  esac
done
