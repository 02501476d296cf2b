#!/usr/bin/env python3
"""The README's batch recipes, each run exactly as the README shows it by
Wine's cmd.exe against the real exe, on platforms where the answers differ.
What each must print is worked out here from the kernel's version record and
the machine's architecture as version_probe.exe learns them, not from the
program's line.

usage: recipes.py --bin DIR --prefix PREFIX --bits 32|64 --readme README PLATFORM..."""
import pathlib
import re
import sys

import platforms
import wine_env
from e2e import ARCHITECTURE, last_record, machine_architecture, number, purpose_word

RECIPES = ["64-bit", "role", "vista", "windows-11"]
# What the platforms are known to be, so that a wrong reading of the probe
# cannot make a wrong answer look right.
KNOWN = {
    "win11": {"windows-11": "yes", "role": "workstation", "vista": "yes"},
    "win11-24h2": {"windows-11": "yes"},
    "win10-22h2": {"windows-11": "no", "role": "workstation"},
    "win10": {"windows-11": "no"},
    "win7": {"windows-11": "no", "vista": "yes"},
    "server2025": {"windows-11": "no", "role": "server"},
    "server2022-dc": {"windows-11": "no", "role": "domain controller"},
    "winxp64": {"vista": "no", "64-bit": "yes"},
    "winxp": {"vista": "no", "64-bit": "yes"},
}


def recipes(readme):
    """{name: batch file text} for every `<!-- recipe: NAME -->` block."""
    text = pathlib.Path(readme).read_text()
    found = re.findall(r"<!-- recipe: ([\w-]+) -->\n```bat\n(.*?)```", text, re.DOTALL)
    return dict(found)


def expected_answers(a):
    record = last_record(a)
    purpose = purpose_word(a, record)
    major = number(a, record + ".dwMajorVersion")
    build = number(a, record + ".dwBuildNumber")
    architecture = ARCHITECTURE.get(machine_architecture(a))
    yes = lambda condition: "yes" if condition else "no"
    return {
        "windows-11": f"Windows 11 or later: {yes(purpose == 'WKS' and (major > 10 or (major == 10 and build >= 22000)))}",
        "role": "Role: " + {"WKS": "workstation", "SVR": "server", "SDC": "domain controller"}.get(purpose, "unknown"),
        "64-bit": f"64-bit Windows: {yes(architecture in ('AMD64', 'ia64'))}",
        "vista": f"Vista or later: {yes(major >= 6)}",
    }


def main():
    parser = wine_env.argument_parser()
    parser.add_argument("--readme", required=True)
    parser.add_argument("platforms", nargs="+")
    options = parser.parse_args()
    wine_env.require_bits(options.bits)
    bindir = pathlib.Path(options.bin).resolve()  # the runs' working folder too
    found = recipes(options.readme)
    fail = wine_env.Failures()
    fail.check(sorted(found) == RECIPES, f"the README's recipes are {sorted(found)}, not {RECIPES}")
    files = {}
    for name, text in found.items():
        bat = bindir / f"recipe_{name}.bat"
        bat.write_bytes(text.replace("\n", "\r\n").encode("ascii"))
        files[name] = wine_env.windows_path(bat)
    for platform in options.platforms:
        platforms.apply(options.prefix, options.bits, platform)
        # In the exe's own folder, where cmd.exe finds `oskavel.exe`.
        (probe_status, probe_out), *results = wine_env.run_at_once(
            options.prefix, [[str(bindir / "version_probe.exe")]] + [["cmd", "/c", bat] for bat in files.values()],
            cwd=str(bindir))
        answers = wine_env.parse_answers(probe_out.decode("ascii"))
        if not fail.check(probe_status == 0 and last_record(answers) is not None,
                          f"{platform}: the probe failed with {probe_status}: {probe_out!r}"):
            continue
        expected = expected_answers(answers)
        for name, answer in KNOWN.get(platform, {}).items():
            fail.check(expected[name].endswith(": " + answer),
                       f"{platform} {name}: the probe's answers say {expected[name]!r}, the platform is {answer!r}")
        printed = []
        for name, (status, output) in zip(files, results):
            got = output.decode("latin-1").strip()
            printed.append(got)
            fail.check(status == 0 and got == expected[name],
                       f"{platform} {name}: status {status}, printed {got!r}, expected {expected[name]!r}")
        print(f"{platform}: {'; '.join(printed)}")
    return fail.report()


if __name__ == "__main__":
    sys.exit(main())
