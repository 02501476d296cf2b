#!/usr/bin/python3
"""The shipped exe's shape: a 32-bit console program that loads on a stock
Windows with nothing beside it, carrying exactly our manifest and a version
resource that says what it is.

usage: check_pe.py EXE MANIFEST PROJECT_VERSION"""
import sys

import pefile

import expected_version_info as expected

# Only these may be imported: they are on every Windows. The C runtime comes
# from msvcrt, which mingw-w64 links against and Windows ships.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "ntdll.dll"}
RT_MANIFEST = 24
RT_VERSION = 16


def resources_of_kind(pe, kind_id):
    """(name id, bytes) of every resource of one type, in every language."""
    found = []
    kinds = pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []
    for kind in kinds:
        if kind.id != kind_id:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                found.append((name.id, pe.get_data(data.OffsetToData, data.Size)))
    return found


def version_problems(pe, project_version):
    """The version resource, read as pefile parses it: one resource, the
    fixed numbers from the project version, and the string table that the
    translation names holding exactly the expected strings."""
    resources = resources_of_kind(pe, RT_VERSION)
    if len(resources) != 1 or resources[0][0] != 1:
        return [f"version resources {[name for name, _ in resources]}, expected one with id 1"]
    problems = []
    fixed_list = getattr(pe, "VS_FIXEDFILEINFO", [])
    if not fixed_list:
        return ["version resource has no fixed file info"]
    fixed = fixed_list[0]
    major, minor, patch, tweak = expected.four_parts(project_version)
    wanted = {
        "Signature": expected.SIGNATURE,
        "FileVersionMS": major << 16 | minor, "FileVersionLS": patch << 16 | tweak,
        "ProductVersionMS": major << 16 | minor, "ProductVersionLS": patch << 16 | tweak,
        "FileFlags": 0, "FileOS": expected.FILE_OS, "FileType": expected.FILE_TYPE,
        # A file date would be the build's time: two builds would differ.
        "FileDateMS": 0, "FileDateLS": 0,
    }
    for field, value in wanted.items():
        if getattr(fixed, field) != value:
            problems.append(f"fixed file info {field} = {getattr(fixed, field):#x}, expected {value:#x}")

    translations, tables = [], {}
    for info in (entry for group in getattr(pe, "FileInfo", []) for entry in group):
        for var in getattr(info, "Var", []):
            translations.append(var.entry.get(b"Translation"))
        for table in getattr(info, "StringTable", []):
            tables[table.LangID.decode().upper()] = {
                key.decode(): value.decode() for key, value in table.entries.items()}
    wanted_translation = f"{expected.LANGUAGE:#06x} {expected.CODE_PAGE:#06x}"
    if translations != [wanted_translation]:
        problems.append(f"translations {translations}, expected [{wanted_translation!r}]")
    key = f"{expected.LANGUAGE:04X}{expected.CODE_PAGE:04X}"
    if list(tables) != [key]:
        problems.append(f"string tables {list(tables)}, expected [{key!r}]")
    strings = tables.get(key, {})
    wanted_strings = expected.expected_strings(project_version)
    for name in sorted(set(strings) | set(wanted_strings)):
        if strings.get(name) != wanted_strings.get(name):
            problems.append(f"string {name} = {strings.get(name)!r}, expected {wanted_strings.get(name)!r}")
    return problems


def main():
    exe, manifest_path, project_version = sys.argv[1:4]
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

    manifests = resources_of_kind(pe, RT_MANIFEST)
    manifest = open(manifest_path, "rb").read()
    if len(manifests) != 1:
        problems.append(f"{len(manifests)} manifest resources, expected one")
    elif manifests[0][0] != 1:
        problems.append(f"manifest has id {manifests[0][0]}, expected 1")
    elif manifests[0][1] != manifest:
        problems.append(f"manifest differs: {manifests[0][1]!r}")

    problems += version_problems(pe, project_version)

    print(f"{exe}: imports {imports}, {len(manifests)} manifest, "
          f"version {expected.version_text(project_version)}")
    for problem in problems:
        print("FAIL " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
