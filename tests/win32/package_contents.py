#!/usr/bin/python3
"""The download holds what was tested: cpack's zip carries exactly the exe the
other tests ran, the README, and checksums that sha256sum -c accepts once the
zip is unpacked.

usage: package_contents.py CPACK BUILD_DIR ZIP_NAME TESTED_EXE README"""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import zipfile

EXPECTED = {"oskavel.exe", "README.md", "SHA256SUMS"}
SUMMED = {"oskavel.exe", "README.md"}


def check(cpack, build_dir, zip_name, tested_exe, readme, work):
    done = subprocess.run([cpack, "--config", str(build_dir / "CPackConfig.cmake"),
                           "-B", str(work)], cwd=work, capture_output=True, text=True)
    if done.returncode != 0:
        sys.stdout.write(done.stdout + done.stderr)
        return [f"cpack exited with {done.returncode}"]
    package = work / zip_name
    if not package.is_file():
        made = sorted(p.name for p in work.glob("*.zip"))
        return [f"no {zip_name}; cpack made {made}"]

    problems = []
    unpacked = work / "unpacked"
    with zipfile.ZipFile(package) as archive:
        names = set(archive.namelist())
        if names != EXPECTED:
            problems.append(f"zip holds {sorted(names)}, expected {sorted(EXPECTED)}")
        archive.extractall(unpacked)
    if "oskavel.exe" in names:
        if (unpacked / "oskavel.exe").read_bytes() != tested_exe.read_bytes():
            problems.append(f"the zip's oskavel.exe is not the tested {tested_exe}")
    if "README.md" in names:
        if (unpacked / "README.md").read_bytes() != readme.read_bytes():
            problems.append("the zip's README.md is not the project's")
    if "SHA256SUMS" in names:
        lines = (unpacked / "SHA256SUMS").read_text().splitlines()
        listed = {line.split("  ", 1)[-1] for line in lines}
        if listed != SUMMED or len(lines) != len(SUMMED):
            problems.append(f"SHA256SUMS lists {lines}, expected one line for each of {sorted(SUMMED)}")
        verify = subprocess.run(["sha256sum", "--strict", "-c", "SHA256SUMS"], cwd=unpacked,
                                capture_output=True, text=True)
        print(verify.stdout.rstrip())
        if verify.returncode != 0:
            problems.append(f"sha256sum -c failed: {verify.stderr.strip()}")
    print(f"{zip_name}: {sorted(names)}")
    return problems


def main():
    cpack = sys.argv[1]
    build_dir, tested_exe, readme = (pathlib.Path(p).resolve() for p in
                                     (sys.argv[2], sys.argv[4], sys.argv[5]))
    zip_name = sys.argv[3]
    work = pathlib.Path(tempfile.mkdtemp(prefix="oskavel-package-"))
    try:
        problems = check(cpack, build_dir, zip_name, tested_exe, readme, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for problem in problems:
        print("FAIL " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
