"""How the tests start Wine: one prefix per test run, silenced, and for 32-bit
programs the emulation setting that lets Wine's 32-bit loader run here."""
import argparse
import concurrent.futures
import os
import pathlib
import subprocess
import tempfile

WINESERVER = "/usr/lib/wine/wineserver"
# Starts a program under Wine again when Wine could not start it at all.
WINE_SH = str(pathlib.Path(__file__).resolve().parents[2] / "scripts" / "wine.sh")
# Large enough for Wine's shared user data, small enough that qemu finds
# room quickly (larger values make every 32-bit run far slower).
QEMU_RESERVED_VA = "0x81000000"


def environment(prefix):
    env = dict(os.environ)
    env["WINEPREFIX"] = str(pathlib.Path(prefix).resolve())
    env["WINEDEBUG"] = "-all"
    env["QEMU_RESERVED_VA"] = QEMU_RESERVED_VA
    # No .NET or HTML engine: nothing here needs them, and a new prefix
    # would otherwise try to install them (a third of its boot time).
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env.pop("DISPLAY", None)
    return env


def run(prefix, args, cwd=None, timeout=120):
    """Runs a Windows command line under Wine; returns (status, stdout bytes).
    What Wine says on stderr goes to the test's own stderr."""
    # Output goes to a file, not a pipe: Wine's helper processes (services,
    # explorer) outlive the call and would hold a pipe open until they end.
    # wine.sh gives Wine a file for stderr too.
    with tempfile.TemporaryFile() as out:
        done = subprocess.run([WINE_SH, *args], env=environment(prefix), cwd=cwd,
                              stdin=subprocess.DEVNULL, stdout=out, timeout=timeout)
        out.seek(0)
        return done.returncode, out.read()


def run_at_once(prefix, commands, cwd=None):
    """Runs the command lines side by side; returns their (status, stdout)
    in the same order. A 32-bit run spends seconds in emulation, and runs on
    one platform share nothing but the prefix's settings."""
    with concurrent.futures.ThreadPoolExecutor(max_workers=len(commands)) as pool:
        return list(pool.map(lambda args: run(prefix, args, cwd), commands))


def parse_answers(text):
    """{key: value} of the `key = value` lines that a test program prints
    (the probe's scenario, the version-resource reader's answers)."""
    answers = {}
    for line in text.splitlines():
        key, separator, value = line.partition(" = ")
        if separator and not line.startswith("#"):
            answers[key.strip()] = value.strip()
    return answers


class Failures:
    """What a test found wrong, printed as FAIL lines at the end."""

    def __init__(self):
        self.items = []

    def check(self, condition, what):
        if not condition:
            self.items.append(what)
        return condition

    def report(self):
        """Prints the failures; the test's exit status."""
        for item in self.items:
            print("FAIL " + item)
        return 1 if self.items else 0


def windows_path(path):
    """The name under which Wine's Z: drive shows a Unix path."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


SKIPPED = 77  # CTest's skip status for these tests


def require_bits(bits):
    """Exits with the skip status, saying why, when this machine cannot run
    a Windows program of that width."""
    if bits != 32:
        return
    try:
        ok = subprocess.run(["/usr/lib/wine/wine", "--version"], env=environment("/nonexistent"),
                            capture_output=True, timeout=60).returncode == 0
    except OSError:
        ok = False
    if not ok:
        print("SKIPPED: this machine runs no 32-bit programs; scripts/setup-emulation.sh sets that up")
        raise SystemExit(SKIPPED)


def argument_parser():
    """The options every Wine test takes: where the build's exes are, the
    prefix of this test run, and the width of the build's programs."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--bits", type=int, choices=(32, 64), required=True)
    return parser
