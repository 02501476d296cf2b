#!/usr/bin/env python3
"""Runs oskavel-sim over every case file in a folder and compares its exit
status and output bytes with the case's expectation.

A case file has three parts:

    # what the case shows
    args: /batch                  (the program's arguments, split like a shell)
    status: 1
    scenario:
    GetVersion = 0x0A280105       (scenario lines, as oskavel-sim reads them)
    output:
    the expected output, every line end written as CR LF by the program

Everything after "output:" is the expected output, byte for byte, with each
line end standing for CR LF.
"""
import pathlib
import shlex
import sys

from simulator import simulate


def parse(path):
    text = path.read_text(encoding="utf-8")
    head, sep, output = text.partition("\noutput:\n")
    if not sep:
        raise ValueError("no 'output:' line")
    head, sep, scenario = head.partition("\nscenario:\n")
    if not sep:
        head, scenario = head, ""
    args, status = [], 0
    for line in head.splitlines():
        if line.startswith("args:"):
            args = shlex.split(line[5:])
        elif line.startswith("status:"):
            status = int(line[7:])
    expected = output.replace("\n", "\r\n").encode("latin-1")
    return args, status, scenario, expected


def main():
    sim, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    cases = sorted(folder.glob("*.case"))
    passed = failed = 0
    for case in cases:
        try:
            args, status, scenario, expected = parse(case)
        except ValueError as error:
            print(f"FAIL {case.name}: {error}")
            failed += 1
            continue
        run = simulate(sim, scenario, args)
        problems = []
        if run.returncode != status:
            problems.append(f"status {run.returncode}, expected {status}")
        if run.stdout != expected:
            problems.append(f"output differs\n  got:      {run.stdout!r}\n  expected: {expected!r}")
        if run.stderr:
            problems.append(f"stderr: {run.stderr!r}")
        if problems:
            failed += 1
            print(f"FAIL {case.name}: " + "; ".join(problems))
        else:
            passed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not cases else 0


if __name__ == "__main__":
    sys.exit(main())
