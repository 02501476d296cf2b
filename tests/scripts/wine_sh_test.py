#!/usr/bin/env python3
"""scripts/wine.sh over a stand-in Wine loader that fails to start the
program a chosen number of times: a launch that never started is made
again, at most three in all, and nothing else is.

usage: wine_sh_test.py"""
import os
import pathlib
import subprocess
import sys
import tempfile

WINE_SH = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "wine.sh"
START_FAILURE = "wine: failed to map the shared user data: c0000018"

# Counts its launches; the first FAILED_STARTS say what Wine says when it
# cannot start a process; later ones are the program, ending with STATUS.
STAND_IN = f"""#!/usr/bin/env bash
count=$(( $(cat "$COUNTER" 2>/dev/null || echo 0) + 1 ))
echo "$count" >"$COUNTER"
if [ "$count" -le "$FAILED_STARTS" ]; then
  echo "{START_FAILURE}" >&2
  exit 1
fi
echo "program output $*"
echo "program says something on stderr" >&2
exit "$STATUS"
"""

RAN = "program output oskavel.exe /batch\n"  # the stand-in echoes its arguments

# (name, failed starts, program's status, expected status, launches, stdout)
CASES = [
    ("starts at once", 0, 0, 0, 1, RAN),
    ("program fails on its own: not run again", 0, 7, 7, 1, RAN),
    ("one start fails", 1, 0, 0, 2, RAN),
    ("two starts fail", 2, 3, 3, 3, RAN),
    ("every start fails: gives up after three", 5, 0, 1, 3, ""),
]


def main():
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        stand_in = pathlib.Path(folder) / "wine64"
        stand_in.write_text(STAND_IN)
        stand_in.chmod(0o755)
        counter = pathlib.Path(folder) / "launches"
        for name, failed_starts, status, expected_status, launches, stdout in CASES:
            counter.unlink(missing_ok=True)
            env = dict(os.environ, OSKAVEL_WINE64=str(stand_in), COUNTER=str(counter),
                       FAILED_STARTS=str(failed_starts), STATUS=str(status))
            done = subprocess.run([str(WINE_SH), "oskavel.exe", "/batch"], env=env,
                                  capture_output=True, text=True, timeout=30)
            got = (done.returncode, int(counter.read_text()), done.stdout)
            want = (expected_status, launches, stdout)
            if got != want:
                failures.append(f"{name}: (status, launches, stdout) {got}, expected {want}")
            notes = done.stderr.count("starting it again")
            if notes != min(failed_starts, launches - 1):
                failures.append(f"{name}: {notes} notes of a new start on stderr:\n{done.stderr}")
            if launches > failed_starts and "program says something on stderr" not in done.stderr:
                failures.append(f"{name}: the program's own stderr was lost:\n{done.stderr}")
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
