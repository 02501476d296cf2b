#!/usr/bin/python3
"""The shipped exe's shape: a 32-bit console program that loads on a stock
Windows with nothing beside it, carrying exactly our manifest.

usage: check_pe.py EXE MANIFEST"""
import sys

import pefile

# Only these may be imported: they are on every Windows. The C runtime comes
# from msvcrt, which mingw-w64 links against and Windows ships.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "ntdll.dll"}
RT_MANIFEST = 24


def main():
    exe, manifest_path = sys.argv[1], sys.argv[2]
    pe = pefile.PE(exe)
    problems = []
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        problems.append(f"machine {pe.FILE_HEADER.Machine:#x}, expected i386")
    if pe.OPTIONAL_HEADER.Magic != 0x10B:
        problems.append("not PE32")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_CUI"]:
        problems.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, expected console")
    if pe.FILE_HEADER.TimeDateStamp != 0:
        problems.append(f"timestamp {pe.FILE_HEADER.TimeDateStamp} in the header: builds differ")

    imports = sorted(entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []))
    foreign = [dll for dll in imports if dll not in SYSTEM_DLLS]
    if foreign:
        problems.append(f"imports beyond the system DLLs: {foreign}")
    if "user32.dll" in imports:
        problems.append("imports user32")

    manifests = []
    resources = pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []
    for kind in resources:
        if kind.id != RT_MANIFEST:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                manifests.append((name.id, pe.get_data(data.OffsetToData, data.Size)))
    expected = open(manifest_path, "rb").read()
    if len(manifests) != 1:
        problems.append(f"{len(manifests)} manifest resources, expected one")
    elif manifests[0][0] != 1:
        problems.append(f"manifest has id {manifests[0][0]}, expected 1")
    elif manifests[0][1] != expected:
        problems.append(f"manifest differs: {manifests[0][1]!r}")

    print(f"{exe}: imports {imports}, {len(manifests)} manifest")
    for problem in problems:
        print("FAIL " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
