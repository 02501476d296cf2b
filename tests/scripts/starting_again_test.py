#!/usr/bin/env python3
"""The scripts that start Wine, over a stand-in Wine loader whose first
launches fail: wine.sh makes a launch again only when Wine could not start
the program at all, at most three in all; set-platform.sh makes a failed
settings call once more and keeps no record of a platform it did not set.

usage: starting_again_test.py"""
import os
import pathlib
import subprocess
import sys
import tempfile

SCRIPTS = pathlib.Path(__file__).resolve().parents[2] / "scripts"
START_FAILURE = "wine: failed to map the shared user data: c0000018"
OTHER_FAILURE = "err:winecfg:initialize RegOpenKey failed on wine config key (5)"

# Counts its launches; the first FAILING ones print FAILURE on stderr and
# end with status 1; later ones are the program, ending with STATUS.
STAND_IN = """#!/usr/bin/env bash
count=$(( $(cat "$COUNTER" 2>/dev/null || echo 0) + 1 ))
echo "$count" >"$COUNTER"
if [ "$count" -le "$FAILING" ]; then
  echo "$FAILURE" >&2
  exit 1
fi
echo "program output $*"
echo "program says something on stderr" >&2
exit "$STATUS"
"""

RAN = "program output oskavel.exe /batch\n"  # the stand-in echoes its arguments

# wine.sh oskavel.exe /batch:
# (name, failing launches, their words, program's status, expected status, launches, stdout)
WINE_SH_CASES = [
    ("starts at once", 0, START_FAILURE, 0, 0, 1, RAN),
    ("program fails on its own: not run again", 0, START_FAILURE, 7, 7, 1, RAN),
    ("Wine fails otherwise: not run again", 1, OTHER_FAILURE, 0, 1, 1, ""),
    ("one start fails", 1, START_FAILURE, 0, 0, 2, RAN),
    ("two starts fail", 2, START_FAILURE, 3, 3, 3, RAN),
    ("every start fails: gives up after three", 5, START_FAILURE, 0, 1, 3, ""),
]

# set-platform.sh apply PREFIX win64 win10, whose calls are winecfg, then regedit:
# (name, failing launches, their words, expected status, launches, platform recorded)
APPLY_CASES = [
    ("every call works", 0, OTHER_FAILURE, 0, 2, True),
    ("winecfg fails once", 1, OTHER_FAILURE, 0, 3, True),
    ("winecfg fails twice: gives up", 2, OTHER_FAILURE, 1, 2, False),
    ("winecfg not started twice: wine.sh starts it a third time", 2, START_FAILURE, 0, 4, True),
]


class Launcher:
    """Runs a script over the stand-in loader, counting its launches."""

    def __init__(self, folder):
        self.stand_in = folder / "wine64"
        self.stand_in.write_text(STAND_IN)
        self.stand_in.chmod(0o755)
        self.counter = folder / "launches"

    def run(self, command, failing, failure, status=0):
        self.counter.unlink(missing_ok=True)
        env = dict(os.environ, OSKAVEL_WINE64=str(self.stand_in), COUNTER=str(self.counter),
                   FAILING=str(failing), FAILURE=failure, STATUS=str(status))
        done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=30)
        return done, int(self.counter.read_text())


def check_wine_sh(launcher, fail):
    for name, failing, failure, status, expected_status, launches, stdout in WINE_SH_CASES:
        done, launched = launcher.run([str(SCRIPTS / "wine.sh"), "oskavel.exe", "/batch"],
                                      failing, failure, status)
        got = (done.returncode, launched, done.stdout)
        want = (expected_status, launches, stdout)
        if got != want:
            fail(f"wine.sh, {name}: (status, launches, stdout) {got}, expected {want}")
        notes = done.stderr.count("starting it again")
        if notes != launches - 1:
            fail(f"wine.sh, {name}: {notes} notes of a new start on stderr:\n{done.stderr}")
        said = "program says something on stderr" if stdout else failure
        if said not in done.stderr:
            fail(f"wine.sh, {name}: stderr lost '{said}':\n{done.stderr}")


def check_apply(launcher, folder, fail):
    prefix = folder / "prefix"
    for name, failing, failure, expected_status, launches, recorded in APPLY_CASES:
        prefix.mkdir(exist_ok=True)
        (prefix / "oskavel-platform").write_text("win7\n")  # a platform applied before
        done, launched = launcher.run([str(SCRIPTS / "set-platform.sh"), "apply", str(prefix),
                                       "win64", "win10"], failing, failure)
        got = (done.returncode, launched)
        if got != (expected_status, launches):
            fail(f"apply, {name}: (status, launches) {got}, expected {(expected_status, launches)}"
                 f"\n{done.stderr}")
        state = prefix / "oskavel-platform"
        got_record = state.read_text() if state.exists() else None
        want_record = "win10\n" if recorded else None
        if got_record != want_record:
            fail(f"apply, {name}: the prefix records {got_record!r}, expected {want_record!r}")
        if failing and failure == OTHER_FAILURE and failure not in done.stderr:
            fail(f"apply, {name}: Wine's words are not on stderr:\n{done.stderr}")


def main():
    failures = []
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        launcher = Launcher(folder)
        check_wine_sh(launcher, failures.append)
        check_apply(launcher, folder, failures.append)
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
