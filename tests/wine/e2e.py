#!/usr/bin/env python3
"""End to end under Wine: for each Windows platform of scripts/platforms.txt,
make the prefix pretend it, check that Wine answers as the platform promises,
learn what Wine's own queries answer (version_probe.exe), run the real
program in report and summary mode (and once in help and usage mode), and
check its output

  * against the probe's answers, line by line where a line shows one, and
  * against oskavel-sim replaying the same answers, byte for byte (a 64-bit
    process's addresses are wider than the simulator's, so those lines are
    checked against the probe alone).

usage: e2e.py --bin DIR --sim SIM --prefix PREFIX --bits 32|64 [--help-and-usage]
             [--readme README] [--lines FILE] PLATFORM...
"""
import pathlib
import re
import sys

import platforms
import wine_env

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "sim"))
from simulator import simulate  # noqa: E402

ADDRESS_LABELS = ("  Processor Mask:", "  Mininum App Address (Hex):", "  Maximum App Address (Hex):")
PURPOSE = {0: "UNK", 1: "WKS", 2: "SDC", 3: "SVR"}
ARCHITECTURE = {0: "x86", 6: "ia64", 9: "AMD64", 0xFFFF: "Unknown"}


def number(answers, key, default=0):
    return int(answers.get(key, str(default)), 0)


def last_record(a):
    """Which record the program ends with: the kernel's when it answered."""
    if "RtlGetVersion.status" in a and number(a, "RtlGetVersion.status") == 0:
        return "RtlGetVersion"
    if number(a, "GetVersionExW.result", 0):
        return "GetVersionExW"
    return None


def purpose_word(a, record):
    """The line's purpose word for a record's wProductType."""
    return PURPOSE.get(number(a, record + ".wProductType"), "UNK")


def machine_architecture(a):
    """The architecture the line names: the native view under emulation."""
    view = "GetNativeSystemInfo" if number(a, "IsWow64Process.flag") else "GetSystemInfo"
    return number(a, view + ".wProcessorArchitecture")


def expected_summary_words(a):
    """The words of the line that do not depend on the edition catalogue."""
    packed = number(a, "GetVersion")
    words = {"vM": packed & 0xFF, "vm": (packed >> 8) & 0xFF,
             "bld": 0 if packed & 0x80000000 else packed >> 16, "spvM": 0, "spvm": 0,
             "ppp": "WKS"}
    for source in ("GetVersionExW", "RtlGetVersion"):
        ok = (number(a, "GetVersionExW.result") if source == "GetVersionExW"
              else number(a, "RtlGetVersion.status", 1) == 0)
        if not ok:
            continue
        words["vM"] = number(a, source + ".dwMajorVersion")
        words["vm"] = number(a, source + ".dwMinorVersion")
        words["bld"] = number(a, source + ".dwBuildNumber")
        if number(a, source + ".dwOSVersionInfoSize") == 284:
            words["ppp"] = purpose_word(a, source)
            words["spvM"] = number(a, source + ".wServicePackMajor")
            words["spvm"] = number(a, source + ".wServicePackMinor")
    arch = ARCHITECTURE.get(machine_architecture(a), "Not recognized")
    return [words["ppp"], arch, "NT", str(words["vM"]), str(words["vm"]), str(words["bld"]),
            "SP", str(words["spvM"]), str(words["spvm"])]


def sim_scenario(a, program, bits):
    lines = [f'program = "{program.replace(chr(92), chr(92) * 2)}"']
    for key, value in a.items():
        if bits == 64 and value.startswith("0x") and int(value, 16) > 0xFFFFFFFF:
            value = "0"  # wider than a 32-bit address; checked against the probe
        lines.append(f"{key} = {value}")
    return "\n".join(lines) + "\n"


def is_address_line(line):
    return line.startswith(ADDRESS_LABELS)


def check_report(fail, a, output, bits, name):
    text = output.decode("latin-1")
    lines = text.split("\r\n")
    fail.check("\n" not in text.replace("\r\n", ""), f"{name}: a line end without CR")
    packed = number(a, "GetVersion")
    build = 0 if packed & 0x80000000 else packed >> 16
    fail.check(f"   Windows Version:                 {packed & 0xFF}.{(packed >> 8) & 0xFF}.{build}" in lines,
               f"{name}: packed-version line")
    for source, header in (("GetVersionExW", "GetVersionEx() ..."), ("RtlGetVersion", "RtlGetVersion() ...")):
        fail.check(header in lines, f"{name}: {header} header")
        version = "{}.{}.{}".format(number(a, source + ".dwMajorVersion"), number(a, source + ".dwMinorVersion"),
                                    number(a, source + ".dwBuildNumber"))
        fail.check(f"  Windows version:                  {version}" in lines,
                   f"{name}: {source} version line {version}")
    record = last_record(a)
    if record and number(a, record + ".dwMajorVersion") >= 6:
        product = number(a, "GetProductInfo.type")
        fail.check(any(l.startswith(("  Product type:", "  Unknown product type:")) and
                       f" {product} (0x{product:08X}" in l for l in lines),
                   f"{name}: product-type line for {product}")
    else:
        fail.check("  Not defined on Windows earlier than Vista." in lines, f"{name}: below-Vista line")
    views = ["GetSystemInfo"] + (["GetNativeSystemInfo"] if number(a, "IsWow64Process.flag") else [])
    arch_lines = [l for l in lines if l.startswith("  Processor Architecture (OS):")]
    fail.check(len(arch_lines) == len(views), f"{name}: {len(views)} system-information sections")
    digits = bits // 4
    address_lines = [l for l in lines if is_address_line(l)]
    expected_addresses = []
    for view, line in zip(views, arch_lines):
        arch = number(a, view + ".wProcessorArchitecture")
        fail.check(line.endswith(f"{arch} (0x{arch:04X}, {ARCHITECTURE.get(arch, 'Not recognized')})."),
                   f"{name}: {view} architecture line: {line!r}")
        mask = number(a, view + ".dwActiveProcessorMask")
        expected_addresses += [
            f"  Processor Mask:                   0x{mask:0{digits}X} ({bin(mask).count('1')} active).",
            f"  Mininum App Address (Hex):        {number(a, view + '.lpMinimumApplicationAddress'):0{digits}X}.",
            f"  Maximum App Address (Hex):        {number(a, view + '.lpMaximumApplicationAddress'):0{digits}X}.",
        ]
    fail.check(address_lines == expected_addresses,
               f"{name}: address lines\n    got      {address_lines}\n    expected {expected_addresses}")
    last_header = [l for l in lines if l.endswith("() ...")][-1:]
    fail.check(last_header == [views[-1] + "() ..."], f"{name}: report ends with the {views[-1]} section")


def compare_with_sim(fail, what, exe, sim, bits):
    if bits == 64:
        keep = lambda out: [l for l in out.split(b"\r\n") if not is_address_line(l.decode("latin-1"))]
        same = keep(exe) == keep(sim)
    else:
        same = exe == sim
    fail.check(same, f"{what}: program and simulator differ\n    program:   {exe!r}\n    simulator: {sim!r}")


def check_promise(fail, platform, a):
    """Wine pretends the platform as the table promises, or nothing that
    follows is about that platform."""
    record = last_record(a)
    if not fail.check(record is not None, f"{platform.name}: no version record answered"):
        return
    got = (purpose_word(a, record), number(a, record + ".dwMajorVersion"), number(a, record + ".dwMinorVersion"))
    promised = (platform.purpose, platform.major, platform.minor)
    if platform.build is not None:
        got += (number(a, record + ".dwBuildNumber"),)
        promised += (platform.build,)
    fail.check(got == promised, f"{platform.name}: Wine answers {got}, the platform promises {promised}")


def readme_lines(readme):
    """The summary lines that the README shows: {platform: line}, and under
    the key None the one of its `oskavel /batch` example (Wine's win10)."""
    text = pathlib.Path(readme).read_text()
    shown = {}
    table = re.search(r"<!-- platform lines: checked by the Wine tests -->\n(.*?)<!-- end of platform lines -->",
                      text, re.DOTALL)
    if table:
        shown.update(re.findall(r"^\| `([\w-]+)` \|.*\| `([^`]+)` \|$", table.group(1), re.MULTILINE))
    example = re.search(r"^C:\\> oskavel /batch\n(.*)$", text, re.MULTILINE)
    if example:
        shown[None] = example.group(1)
    return shown


def run_platform(fail, options, platform):
    prefix, bindir = options.prefix, pathlib.Path(options.bin)
    name = platform.name
    platforms.apply(prefix, options.bits, name)
    exe = str(bindir / "oskavel.exe")
    modes = [[], ["/batch"]] + ([["/?"], ["/x"]] if options.help_and_usage else [])
    (status, probe_out), *results = wine_env.run_at_once(
        prefix, [[str(bindir / "version_probe.exe")]] + [[exe, *args] for args in modes])
    runs = [(args, *result) for args, result in zip(modes, results)]
    if not fail.check(status == 0, f"{name}: probe failed with {status}"):
        return
    answers = wine_env.parse_answers(probe_out.decode("ascii"))
    check_promise(fail, platform, answers)
    program = wine_env.windows_path(exe)
    scenario = sim_scenario(answers, program, options.bits)
    summary_line = None
    for args, status, output in runs:
        what = f"{name} {' '.join(args) or '(report)'}"
        fail.check(status == 0, f"{what}: exit status {status}")
        simulated = simulate(options.sim, scenario, args)
        sim_status, sim_output = simulated.returncode, simulated.stdout
        fail.check(sim_status == status, f"{what}: simulator status {sim_status}")
        compare_with_sim(fail, what, output, sim_output, options.bits)
        if not args:
            check_report(fail, answers, output, options.bits, name)
        elif args == ["/batch"]:
            text = output.decode("latin-1")
            summary_line = text.strip()
            fail.check(text.endswith("\r\n") and text.count("\r\n") == 1, f"{what}: exactly one line")
            words = text.split()
            fail.check(words[:9] == expected_summary_words(answers),
                       f"{what}: {words[:9]} != {expected_summary_words(answers)}")
        elif args == ["/x"]:
            fail.check(output == f"\r\nUsage: {program} [/batch | /help]\r\n".encode("latin-1"),
                       f"{what}: usage line {output!r}")
    if options.readme:
        shown = readme_lines(options.readme)
        fail.check(shown.get(name) == summary_line,
                   f"{name}: the README's platform table shows {shown.get(name)!r}, the program prints {summary_line!r}")
        if name == "win10":
            fail.check(shown.get(None) == summary_line,
                       f"{name}: the README's example shows {shown.get(None)!r}, the program prints {summary_line!r}")
    print(f"{name}: {summary_line or '(no line)'}")
    if options.lines:
        with open(options.lines, "a") as lines:
            lines.write(f"{options.bits}-bit exe on {name:14} {summary_line or '(no line)'}\n")


def main():
    parser = wine_env.argument_parser()
    parser.add_argument("--sim", required=True)
    parser.add_argument("--help-and-usage", action="store_true", help="also run the help and usage lines")
    parser.add_argument("--readme", help="check the summary line that this README shows")
    parser.add_argument("--lines", help="append each platform's summary line to this file")
    parser.add_argument("platforms", nargs="+")
    options = parser.parse_args()
    wine_env.require_bits(options.bits)
    table = platforms.load()
    fail = wine_env.Failures()
    for name in options.platforms:
        run_platform(fail, options, table[name])
    return fail.report()


if __name__ == "__main__":
    sys.exit(main())
