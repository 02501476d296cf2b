// Reads an exe's version resource back through version.dll, as Explorer's
// file properties and PowerShell's VersionInfo do, and prints what it finds
// as `key = value` lines for the test to check:
//
//   version_info_reader.exe EXE NAME...
//
// prints the fixed file info, the first translation, and each named string
// of that translation's table (`(absent)` when the table lacks it). Exit
// status 1 when the exe has no version resource that Windows can read.
#include <windows.h>

#include <cstdio>

namespace {

// Far more than a version resource of a few strings needs; anything larger
// is a fault worth seeing rather than a reason to allocate.
constexpr DWORD kBufferBytes = 16 * 1024;
constexpr int kQueryUnits = 256;

void PrintText(const WCHAR* text) {
  for (; *text != 0; ++text) {
    const unsigned unit = *text;
    if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\') {
      std::putchar(static_cast<int>(unit));
    } else {
      std::printf("\\u%04X", unit);
    }
  }
}

void PrintVersion(const char* key, DWORD high, DWORD low) {
  std::printf("%s = %lu.%lu.%lu.%lu\n", key, high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF);
}

// Appends text to the query path; false when it would not fit.
bool Append(WCHAR (&query)[kQueryUnits], int& used, const WCHAR* text) {
  for (; *text != 0; ++text) {
    if (used + 1 >= kQueryUnits) return false;
    query[used++] = *text;
  }
  query[used] = 0;
  return true;
}

void AppendHex4(WCHAR (&query)[kQueryUnits], int& used, unsigned value) {
  static const WCHAR kDigits[] = L"0123456789ABCDEF";
  WCHAR text[5] = {kDigits[(value >> 12) & 0xF], kDigits[(value >> 8) & 0xF],
                   kDigits[(value >> 4) & 0xF], kDigits[value & 0xF], 0};
  Append(query, used, text);
}

void PrintString(const void* info, WORD language, WORD codePage, const WCHAR* name) {
  WCHAR query[kQueryUnits];
  int used = 0;
  query[0] = 0;
  Append(query, used, L"\\StringFileInfo\\");
  AppendHex4(query, used, language);
  AppendHex4(query, used, codePage);
  Append(query, used, L"\\");
  const bool fits = Append(query, used, name);

  std::printf("string.");
  PrintText(name);
  void* value = nullptr;
  UINT units = 0;
  if (fits && VerQueryValueW(info, query, &value, &units) && value != nullptr) {
    std::printf(" = \"");
    PrintText(static_cast<const WCHAR*>(value));
    std::printf("\"\n");
  } else {
    std::printf(" = (absent)\n");
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: version_info_reader EXE NAME...\n");
    return 2;
  }
  const WCHAR* exe = argv[1];
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe, &ignored);
  if (size == 0) {
    std::printf("error = GetFileVersionInfoSizeW failed, error %lu\n", GetLastError());
    return 1;
  }
  if (size > kBufferBytes) {
    std::printf("error = version resource of %lu bytes, more than %lu\n", size, kBufferBytes);
    return 1;
  }
  static unsigned char info[kBufferBytes];
  if (!GetFileVersionInfoW(exe, 0, size, info)) {
    std::printf("error = GetFileVersionInfoW failed, error %lu\n", GetLastError());
    return 1;
  }

  void* fixedData = nullptr;
  UINT fixedBytes = 0;
  if (VerQueryValueW(info, L"\\", &fixedData, &fixedBytes) && fixedBytes >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(fixedData);
    std::printf("fixed.signature = 0x%08lX\n", fixed->dwSignature);
    PrintVersion("fixed.file_version", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    PrintVersion("fixed.product_version", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    std::printf("fixed.file_flags = 0x%08lX\n", fixed->dwFileFlags & fixed->dwFileFlagsMask);
    std::printf("fixed.file_os = 0x%08lX\n", fixed->dwFileOS);
    std::printf("fixed.file_type = 0x%08lX\n", fixed->dwFileType);
    std::printf("fixed.file_date = 0x%08lX%08lX\n", fixed->dwFileDateMS, fixed->dwFileDateLS);
  } else {
    std::printf("fixed = (absent)\n");
  }

  void* translations = nullptr;
  UINT translationBytes = 0;
  if (!VerQueryValueW(info, L"\\VarFileInfo\\Translation", &translations, &translationBytes) ||
      translationBytes < 2 * sizeof(WORD)) {
    // Without a translation, tools find no string table either.
    std::printf("translation = (absent)\n");
    return 0;
  }
  const auto* pair = static_cast<const WORD*>(translations);
  std::printf("translation = %04X%04X\n", pair[0], pair[1]);
  for (int i = 2; i < argc; ++i) PrintString(info, pair[0], pair[1], argv[i]);
  return 0;
}
