#!/usr/bin/env python3
"""The README's table of today's Windows editions, made by the program itself:
for each edition, its product-type number from the mingw-w64 winnt.h, and what
oskavel-sim prints for that number (the report's product-type line and the
three edition words of the summary line).

usage: editions.py SIM README [--write]
  checks that README's table is the one the program makes (status 1 if not);
  with --write, puts the table into README instead.
"""
import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "sim"))
from simulator import simulate  # noqa: E402

WINNT_H = pathlib.Path("/usr/share/mingw-w64/include/winnt.h")
BEGIN = "<!-- editions: made by tests/docs/editions.py from oskavel-sim; do not edit by hand -->"
END = "<!-- end of editions -->"

# (edition, PRODUCT_ constant). Windows 10 and 11 share their numbers.
EDITIONS = [
    ("Home", "PRODUCT_CORE"),
    ("Home N", "PRODUCT_CORE_N"),
    ("Home Single Language", "PRODUCT_CORE_SINGLELANGUAGE"),
    ("Home China", "PRODUCT_CORE_COUNTRYSPECIFIC"),
    ("Pro", "PRODUCT_PROFESSIONAL"),
    ("Pro N", "PRODUCT_PROFESSIONAL_N"),
    ("Pro Education", "PRODUCT_PRO_FOR_EDUCATION"),
    ("Pro for Workstations", "PRODUCT_PRO_WORKSTATION"),
    ("Education", "PRODUCT_EDUCATION"),
    ("Education N", "PRODUCT_EDUCATION_N"),
    ("Enterprise", "PRODUCT_ENTERPRISE"),
    ("Enterprise N", "PRODUCT_ENTERPRISE_N"),
    ("Enterprise Evaluation", "PRODUCT_ENTERPRISE_EVALUATION"),
    ("Enterprise LTSC", "PRODUCT_ENTERPRISE_S"),
    ("Enterprise LTSC N", "PRODUCT_ENTERPRISE_S_N"),
    ("Enterprise multi-session", "PRODUCT_SERVERRDSH"),
    ("IoT Enterprise", "PRODUCT_IOTENTERPRISE"),
    ("IoT Enterprise LTSC", "PRODUCT_IOTENTERPRISES"),
    ("Server Standard", "PRODUCT_STANDARD_SERVER"),
    ("Server Standard (Server Core)", "PRODUCT_STANDARD_SERVER_CORE"),
    ("Server Datacenter", "PRODUCT_DATACENTER_SERVER"),
    ("Server Datacenter (Server Core)", "PRODUCT_DATACENTER_SERVER_CORE"),
    ("Server Standard Evaluation", "PRODUCT_STANDARD_EVALUATION_SERVER"),
    ("Server Datacenter Evaluation", "PRODUCT_DATACENTER_EVALUATION_SERVER"),
    ("Hyper-V Server", "PRODUCT_HYPERV"),
]

# Editions newer than Debian 12's mingw-w64 (10.0) header: the numbers that
# Windows documents for GetProductInfo. A header that has them must agree.
NEWER_THAN_HEADER = {
    "PRODUCT_PRO_WORKSTATION": 0xA1,
    "PRODUCT_PRO_FOR_EDUCATION": 0xA4,
    "PRODUCT_SERVERRDSH": 0xAF,
    "PRODUCT_IOTENTERPRISE": 0xBC,
    "PRODUCT_IOTENTERPRISES": 0xBF,
}


def header_constants():
    if not WINNT_H.exists():
        sys.exit(f"editions.py: {WINNT_H} is missing (package mingw-w64-common; scripts/install-deps.sh installs it)")
    found = {}
    for name, value in re.findall(r"^#define\s+(PRODUCT_\w+)\s+(0x[0-9A-Fa-f]+|\d+)\b", WINNT_H.read_text(),
                                  re.MULTILINE):
        found[name] = int(value, 0)
    return found


def product_number(constant, header):
    if constant in header:
        documented = NEWER_THAN_HEADER.get(constant)
        if documented is not None and documented != header[constant]:
            sys.exit(f"editions.py: winnt.h gives {constant} = {header[constant]:#x}, this table {documented:#x}")
        return header[constant], True
    if constant in NEWER_THAN_HEADER:
        return NEWER_THAN_HEADER[constant], False
    sys.exit(f"editions.py: {constant} is in neither {WINNT_H} nor this table")


def run_sim(sim, number, args):
    done = simulate(sim, f"GetProductInfo.type = {number}\n", args)
    if done.returncode != 0:
        sys.exit(f"editions.py: oskavel-sim {' '.join(args)} for product type {number} ended with {done.returncode}")
    return done.stdout.decode("latin-1").split("\r\n")


def table(sim):
    header = header_constants()
    rows = ["| Edition | `PRODUCT_` constant | Number | Report: product-type line | `detp nat ins` |",
            "|---|---|---:|---|---|"]
    for edition, constant in EDITIONS:
        number, in_header = product_number(constant, header)
        report = next(l.strip() for l in run_sim(sim, number, [])
                      if l.startswith(("  Product type:", "  Unknown product type:")))
        words = run_sim(sim, number, ["/batch"])[0].split()
        mark = "" if in_header else " \\*"
        rows.append(f"| {edition} | `{constant}`{mark} | {number} (0x{number:X}) | `{report.strip()}` "
                    f"| `{' '.join(words[-3:])}` |")
    return "\n".join(rows)


def main():
    if len(sys.argv) not in (3, 4) or (len(sys.argv) == 4 and sys.argv[3] != "--write"):
        sys.exit(__doc__)
    sim, readme = sys.argv[1], pathlib.Path(sys.argv[2])
    text = readme.read_text()
    start, end = text.find(BEGIN), text.find(END)
    if start < 0 or end < start:
        sys.exit(f"editions.py: {readme} has no place for the table ({BEGIN} ... {END})")
    made = f"{BEGIN}\n{table(sim)}\n{END}"
    shown = text[start:end + len(END)]
    if len(sys.argv) == 4:
        readme.write_text(text[:start] + made + text[end + len(END):])
        return 0
    if shown != made:
        print("The README's editions table is not what the program prints. Expected:\n" + made)
        return 1
    print(f"README editions table matches the program ({len(EDITIONS)} editions)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
