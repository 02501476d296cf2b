#!/usr/bin/env python3
"""The README's batch recipes, each run exactly as the README shows it by
Wine's cmd.exe against the real exe, on platforms where the answers differ.
What each must print is worked out here from the kernel's version record and
the machine's architecture as version_probe.exe learns them, not from the
program's line.

usage: recipes.py --bin DIR --prefix PREFIX --bits 32|64 --readme README PLATFORM..."""
import concurrent.futures
import pathlib
import re
import sys

import platforms
import wine_env
from e2e import last_record, number, parse_probe

PURPOSE = {1: "WKS", 2: "SDC", 3: "SVR"}
SIXTY_FOUR_BIT = {6, 9}  # ia64, AMD64
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
    purpose = PURPOSE.get(number(a, record + ".wProductType"), "UNK")
    major = number(a, record + ".dwMajorVersion")
    build = number(a, record + ".dwBuildNumber")
    view = "GetNativeSystemInfo" if number(a, "IsWow64Process.flag") else "GetSystemInfo"
    architecture = number(a, view + ".wProcessorArchitecture")
    yes = lambda condition: "yes" if condition else "no"
    return {
        "windows-11": f"Windows 11 or later: {yes(purpose == 'WKS' and (major > 10 or (major == 10 and build >= 22000)))}",
        "role": "Role: " + {"WKS": "workstation", "SVR": "server", "SDC": "domain controller"}.get(purpose, "unknown"),
        "64-bit": f"64-bit Windows: {yes(architecture in SIXTY_FOUR_BIT)}",
        "vista": f"Vista or later: {yes(major >= 6)}",
    }


def main():
    parser = wine_env.argument_parser()
    parser.add_argument("--readme", required=True)
    parser.add_argument("platforms", nargs="+")
    options = parser.parse_args()
    wine_env.require_bits(options.bits)
    bindir = pathlib.Path(options.bin)
    found = recipes(options.readme)
    failures = []
    if sorted(found) != RECIPES:
        failures.append(f"the README's recipes are {sorted(found)}, not {RECIPES}")
    files = {}
    for name, text in found.items():
        bat = bindir / f"recipe_{name}.bat"
        bat.write_bytes(text.replace("\n", "\r\n").encode("ascii"))
        files[name] = wine_env.windows_path(bat)
    for platform in options.platforms:
        platforms.apply(options.prefix, options.bits, platform)
        # In the exe's own folder, where cmd.exe finds `oskavel.exe`; all at
        # once, as a 32-bit run spends seconds in emulation.
        with concurrent.futures.ThreadPoolExecutor(max_workers=len(files) + 1) as pool:
            probe = pool.submit(wine_env.run, options.prefix, [str(bindir / "version_probe.exe")])
            runs = {name: pool.submit(wine_env.run, options.prefix, ["cmd", "/c", bat], str(bindir))
                    for name, bat in files.items()}
            expected = expected_answers(parse_probe(probe.result()[1].decode("ascii")))
            runs = {name: run.result() for name, run in runs.items()}
        for name, answer in KNOWN.get(platform, {}).items():
            if not expected[name].endswith(": " + answer):
                failures.append(f"{platform} {name}: the probe's answers say {expected[name]!r}, the platform is {answer!r}")
        answers = []
        for name, (status, output) in runs.items():
            got = output.decode("latin-1").strip()
            answers.append(got)
            if status != 0 or got != expected[name]:
                failures.append(f"{platform} {name}: status {status}, printed {got!r}, expected {expected[name]!r}")
        print(f"{platform}: {'; '.join(answers)}")
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
