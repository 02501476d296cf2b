#!/usr/bin/env python3
"""The exe's version resource as Windows tools see it: version_info_reader.exe
asks version.dll under Wine (GetFileVersionInfoW, VerQueryValueW) and the
answers must be the CMake project version and the project's own strings.

usage: version_info.py --bin DIR --prefix PREFIX --bits 32|64 --version X.Y.Z EXE..."""
import pathlib
import sys

import wine_env

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "win32"))
import expected_version_info as expected  # noqa: E402


def quoted(text):
    """The reader's quoting: printable ASCII as is, anything else escaped."""
    return '"' + "".join(ch if 0x20 <= ord(ch) < 0x7F and ch not in '"\\' else f"\\u{ord(ch):04X}"
                         for ch in text) + '"'


def expected_answers(project_version):
    text = expected.version_text(project_version)
    answers = {
        "fixed.signature": f"0x{expected.SIGNATURE:08X}",
        "fixed.file_version": text,
        "fixed.product_version": text,
        "fixed.file_flags": "0x00000000",
        "fixed.file_os": f"0x{expected.FILE_OS:08X}",
        "fixed.file_type": f"0x{expected.FILE_TYPE:08X}",
        "fixed.file_date": "0x0000000000000000",
        "translation": f"{expected.LANGUAGE:04X}{expected.CODE_PAGE:04X}",
    }
    for name, value in expected.expected_strings(project_version).items():
        answers["string." + name] = quoted(value)
    # A name the resource does not hold must read as absent, or the reader
    # would show anything it is asked for.
    answers["string.CompanyName"] = "(absent)"
    return answers


def main():
    parser = wine_env.argument_parser()
    parser.add_argument("--version", required=True)
    parser.add_argument("exes", nargs="+")
    opts = parser.parse_args()
    wine_env.require_bits(opts.bits)

    reader = pathlib.Path(opts.bin) / "version_info_reader.exe"
    wanted = expected_answers(opts.version)
    names = [key[len("string."):] for key in wanted if key.startswith("string.")]
    fail = wine_env.Failures()
    for exe in opts.exes:
        status, out = wine_env.run(opts.prefix, [str(reader), wine_env.windows_path(exe), *names])
        text = out.decode(errors="replace")
        answers = wine_env.parse_answers(text)
        print(f"{exe} as version.dll reads it (status {status}):")
        print(text.rstrip())
        if not fail.check(status == 0, f"{exe}: reader exited with {status}"):
            continue
        for key, value in wanted.items():
            fail.check(answers.get(key) == value, f"{exe}: {key} = {answers.get(key)}, expected {value}")
    return fail.report()


if __name__ == "__main__":
    sys.exit(main())
