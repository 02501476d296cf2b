#!/usr/bin/python3
"""Two clean builds of the shipped exe, in two fresh folders under different
paths, must give the same bytes, and neither the source path nor a build path
may show inside the file: what users download can then be rebuilt and checked,
and it tells nothing about the machine that built it.

usage: reproducible.py CMAKE SOURCE_DIR TOOLCHAIN_FILE [BUILD_TYPE]"""
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile


def build(cmake, source, toolchain, build_type, folder):
    configure = [cmake, "-S", source, "-B", str(folder),
                 f"-DCMAKE_TOOLCHAIN_FILE={toolchain}"]
    if build_type:
        configure.append(f"-DCMAKE_BUILD_TYPE={build_type}")
    for step in (configure,
                 [cmake, "--build", str(folder), "--target", "oskavel",
                  "-j", str(os.cpu_count() or 2)]):
        done = subprocess.run(step, capture_output=True, text=True)
        if done.returncode != 0:
            sys.stdout.write(done.stdout + done.stderr)
            raise SystemExit(f"FAIL {' '.join(step)} exited with {done.returncode}")
    return (folder / "oskavel.exe").read_bytes()


def path_forms(path):
    """The ways a path could be stored: as the compiler saw it, with Windows
    separators, and in UTF-16 as a wide literal would hold it."""
    forms = set()
    for text in (str(path), str(path).replace("/", "\\")):
        forms.add(text.encode())
        forms.add(text.encode("utf-16-le"))
    return forms


def first_difference(a, b):
    for offset, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return offset
    return min(len(a), len(b))


def main():
    cmake, source, toolchain = sys.argv[1:4]
    build_type = sys.argv[4] if len(sys.argv) > 4 else ""
    source = pathlib.Path(source).resolve()
    root = pathlib.Path(tempfile.mkdtemp(prefix="oskavel-repro-"))
    try:
        # Different names and depths, so an embedded path changes the bytes
        # and even the length of the file.
        folders = [root / "a", root / "second-build" / "deeper"]
        images = [build(cmake, str(source), toolchain, build_type, f) for f in folders]
        problems = []
        if images[0] != images[1]:
            problems.append(
                f"builds differ: {len(images[0])} and {len(images[1])} bytes, "
                f"first difference at offset {first_difference(*images):#x}")
        for folder, image in zip(folders, images):
            for path in (source, folder, root):
                if any(form in image for form in path_forms(path)):
                    problems.append(f"{folder / 'oskavel.exe'} holds the path {path}")
        print(f"two builds: {len(images[0])} bytes each, sha256 "
              f"{hashlib.sha256(images[0]).hexdigest()} / {hashlib.sha256(images[1]).hexdigest()}")
        for problem in problems:
            print("FAIL " + problem)
        return 1 if problems else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
