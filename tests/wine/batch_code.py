#!/usr/bin/env python3
"""The help text's promise, kept: the FOR /F batch code exactly as the program
prints it, run by Wine's cmd.exe, sets the eleven variables to the eleven
words of the program's own summary line.

usage: batch_code.py --bin DIR --prefix PREFIX --bits 32|64 PLATFORM..."""
import pathlib
import sys

import platforms
import wine_env

VARIABLES = ["__PURPOSE", "__ARCH", "__PLATFORM", "__VER.MAJOR", "__VER.MINOR", "__VER.BUILD",
             "__VSP.MAJOR", "__VSP.MINOR", "__PURPOSE.DETAIL", "__NAT_ED", "__UITYPE"]


def batch_code(help_text):
    lines = help_text.split("\r\n")
    start = next((i for i, l in enumerate(lines) if l.lstrip().startswith('FOR /F "tokens=1-12 usebackq"')), None)
    if start is None:
        return None
    end = lines.index("   )", start)
    return lines[start:end + 1]


def main():
    parser = wine_env.argument_parser()
    parser.add_argument("platform_names", nargs="+")
    options = parser.parse_args()
    wine_env.require_bits(options.bits)
    exe = wine_env.windows_path(pathlib.Path(options.bin) / "oskavel.exe")
    fail = wine_env.Failures()
    for platform in options.platform_names:
        platforms.apply(options.prefix, options.bits, platform)
        _, help_text = wine_env.run(options.prefix, [exe, "/?"])
        code = batch_code(help_text.decode("latin-1"))
        if not fail.check(code is not None, f"{platform}: the help text shows no FOR /F batch code"):
            continue
        script = ["@echo off", "SETLOCAL ENABLEEXTENSIONS", *code]
        script += [f"echo {name}=[%{name}%]" for name in VARIABLES]
        bat = pathlib.Path(options.bin) / f"batch_code_{platform}.bat"
        bat.write_bytes(("\r\n".join(script) + "\r\n").encode("latin-1"))
        status, output = wine_env.run(options.prefix, ["cmd", "/c", wine_env.windows_path(bat)])
        _, line = wine_env.run(options.prefix, [exe, "/batch"])
        words = line.decode("latin-1").split()
        expected = [f"{name}=[{word}]" for name, word in zip(VARIABLES, words[:6] + words[7:])]
        got = [l for l in output.decode("latin-1").split("\r\n") if l.startswith("__")]
        if fail.check(status == 0 and got == expected,
                      f"{platform}: cmd status {status}\n    got      {got}\n    expected {expected}"):
            print(f"{platform}: {' '.join(got)}")
    return fail.report()


if __name__ == "__main__":
    sys.exit(main())
