"""The Windows platforms of scripts/platforms.txt, as the Wine tests see
them: what each promises, and how a prefix is made to pretend it (through
the same script that ./run.sh uses)."""
import pathlib
import subprocess
import sys
from dataclasses import dataclass

SCRIPTS = pathlib.Path(__file__).resolve().parents[2] / "scripts"
TABLE = SCRIPTS / "platforms.txt"


@dataclass(frozen=True)
class Platform:
    name: str
    builds: str
    setting: str
    program: str
    build: int | None  # written over Wine's own build number, or None
    product_type: str | None
    purpose: str
    major: int
    minor: int


def load():
    platforms = {}
    for line in TABLE.read_text().splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        name, builds, setting, program, build, product_type, purpose, major, minor = line.split()
        platforms[name] = Platform(name, builds, setting, program, None if build == "-" else int(build),
                                   None if product_type == "-" else product_type, purpose,
                                   int(major), int(minor))
    return platforms


def apply(prefix, bits, name):
    """Makes the prefix pretend the platform; raises when that fails."""
    done = subprocess.run([str(SCRIPTS / "set-platform.sh"), "apply", str(prefix), f"win{bits}", name],
                          capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        raise RuntimeError(f"set-platform.sh apply {name}: {done.stderr.strip()}")
    if done.stderr:  # a call made again, and why
        print(done.stderr, end="", file=sys.stderr)
