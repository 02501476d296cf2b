"""What the exe's version resource must say: checked in the file itself by
check_pe.py and, as Windows tools read it, by tests/wine/version_info.py."""

# The project's own words; the two version strings come from the CMake
# project version instead, see expected_strings().
FIXED_STRINGS = {
    "FileDescription": "Oskavel utility - makes Windows version info visible",
    "ProductName": "Oskavel utility",
    "InternalName": "oskavel",
    "OriginalFilename": "oskavel.exe",
    "LegalCopyright": "Copyright (C) 2026 the Oskavel developers",
}
LANGUAGE = 0x0409       # US English
CODE_PAGE = 1200        # UTF-16
SIGNATURE = 0xFEEF04BD  # VS_FIXEDFILEINFO's magic number
FILE_OS = 0x00040004    # VOS_NT_WINDOWS32
FILE_TYPE = 0x00000001  # VFT_APP


def four_parts(project_version):
    """CMake's 1.0.0 as the resource's four numbers: missing parts are 0."""
    parts = [int(part) for part in project_version.split(".")]
    if not 1 <= len(parts) <= 4:
        raise ValueError(f"not a project version: {project_version!r}")
    return tuple(parts + [0] * (4 - len(parts)))


def version_text(project_version):
    return ".".join(str(part) for part in four_parts(project_version))


def expected_strings(project_version):
    text = version_text(project_version)
    return dict(FIXED_STRINGS, FileVersion=text, ProductVersion=text)
