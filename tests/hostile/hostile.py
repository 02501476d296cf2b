#!/usr/bin/env python3
"""Standard output that cannot take the text: closed, a pipe whose reader is
gone or goes away after one byte, a full device. The program must neither
crash nor hang, and its exit status must be the one its run earns (0 for a
report, a summary line, the help or the usage line; 1 for a run that stops),
never one caused by the failed writes.

usage: hostile.py host SIM
           the simulator, over scenarios that run normally and that stop
       hostile.py wine PREFIX EXE [--bits 32|64]
           the Windows program under Wine, in an existing prefix, with the
           answers Wine gives (every course ends with 0 there)
"""
import os
import pathlib
import subprocess
import sys
import tempfile

HOST_TIMEOUT = 30
WINE_TIMEOUT = 180

# A program name far longer than the output buffer, so that the usage line
# leaves in many writes and the later ones meet an already broken output.
LONG_NAME = "x" * 300_000

# (name, scenario text, arguments, expected status)
HOST_CASES = [
    ("report", "", [], 0),
    ("summary", "", ["/batch"], 0),
    ("help", "", ["/help"], 0),
    ("usage, long name", f"program = {LONG_NAME}\n", ["-x"], 0),
    ("report stopping after its sections", "GetProductInfo.result = 0\n", [], 1),
    ("summary stopping", "RtlGetVersion.status = 0xC0000001\n", ["/batch"], 1),
]

# (name, arguments, expected status, outputs); each Wine run takes seconds,
# so only the help, whose text needs two writes, meets the reader that quits.
WINE_CASES = [
    ("report", [], 0, ("closed", "reader gone")),
    ("summary", ["/batch"], 0, ("closed", "reader gone")),
    ("help", ["/help"], 0, ("closed", "reader gone", "reader quits after one byte")),
    ("usage", ["-x"], 0, ("closed", "reader gone")),
]


def run_closed(command, env, timeout):
    """Standard output closed (the shell's >&-)."""
    done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                          preexec_fn=lambda: os.close(1), timeout=timeout)
    return done.returncode, done.stderr


def run_reader_gone(command, env, timeout):
    """A pipe whose reading end is closed before the program starts."""
    read_end, write_end = os.pipe()
    os.close(read_end)
    try:
        done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                              stdout=write_end, stderr=subprocess.PIPE, timeout=timeout)
    finally:
        os.close(write_end)
    return done.returncode, done.stderr


def run_reader_quits(command, env, timeout):
    """A pipe whose reader takes one byte and then closes it."""
    read_end, write_end = os.pipe()
    process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                               stdout=write_end, stderr=subprocess.PIPE)
    os.close(write_end)
    try:
        os.read(read_end, 1)
    finally:
        os.close(read_end)
    try:
        _, errors = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.communicate()
        raise
    return process.returncode, errors


def run_full(command, env, timeout):
    """A device that is always full (/dev/full)."""
    with open("/dev/full", "wb") as full:
        done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=full,
                              stderr=subprocess.PIPE, timeout=timeout)
    return done.returncode, done.stderr


OUTPUTS = {
    "closed": run_closed,
    "reader gone": run_reader_gone,
    "reader quits after one byte": run_reader_quits,
    "/dev/full": run_full,
}


def check(label, runner, command, env, timeout, expected, clean_stderr):
    try:
        status, errors = runner(command, env, timeout)
    except subprocess.TimeoutExpired:
        return f"{label}: hung (no end within {timeout} s)"
    if status < 0:
        return f"{label}: killed by signal {-status}"
    if status != expected:
        return f"{label}: status {status}, expected {expected}"
    if clean_stderr and errors:
        return f"{label}: wrote to standard error: {errors[:300]!r}"
    if b"Unhandled" in errors:  # Wine's word for a crash it caught
        return f"{label}: crashed: {errors[:300]!r}"
    return None


def report(problems, count):
    for problem in problems:
        print("FAIL", problem)
    print(f"{count - len(problems)} passed, {len(problems)} failed")
    return 1 if problems else 0


def host(sim):
    problems = []
    count = 0
    with tempfile.TemporaryDirectory() as folder:
        for name, scenario, args, expected in HOST_CASES:
            path = pathlib.Path(folder) / "case.scenario"
            path.write_text(scenario)
            for output, runner in OUTPUTS.items():
                count += 1
                problem = check(f"{name}, stdout {output}", runner, [sim, str(path), *args],
                                None, HOST_TIMEOUT, expected, clean_stderr=True)
                if problem:
                    problems.append(problem)
    return report(problems, count)


def wine(prefix, exe, bits):
    sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "wine"))
    import wine_env  # noqa: E402  (only this mode needs Wine)

    wine_env.require_bits(bits)
    env = wine_env.environment(prefix)
    problems = []
    count = 0
    for name, args, expected, outputs in WINE_CASES:
        for output in outputs:
            runner = OUTPUTS[output]
            count += 1
            problem = check(f"{name}, stdout {output}", runner, [wine_env.WINE_SH, exe, *args],
                            env, WINE_TIMEOUT, expected, clean_stderr=False)
            if problem:
                problems.append(problem)
    return report(problems, count)


def main(argv):
    if len(argv) == 3 and argv[1] == "host":
        return host(argv[2])
    if len(argv) in (4, 6) and argv[1] == "wine":
        bits = 64
        if len(argv) == 6:
            if argv[4] != "--bits":
                print(__doc__, file=sys.stderr)
                return 2
            bits = int(argv[5])
        return wine(argv[2], argv[3], bits)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
