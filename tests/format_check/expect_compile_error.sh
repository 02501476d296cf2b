#!/bin/sh
# expect_compile_error.sh FAULT COMPILER ARGS...: passes when the compile
# fails and its diagnostics name FAULT; otherwise shows what it got.
fault=$1
shift
if output=$("$@" 2>&1); then
  echo "compiled, but must fail naming $fault"
  exit 1
fi
case $output in
  *"$fault"*) exit 0 ;;
esac
printf '%s\n' "$output"
echo "the compile failed without naming $fault"
exit 1
