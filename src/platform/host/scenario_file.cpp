#include "platform/host/scenario_file.h"

#include <cstdint>
#include <cstring>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
  const auto begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  const auto end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

bool ParseNumber(const std::string& text, std::uint64_t limit,
                 std::uint64_t& value) {
  if (text.empty()) return false;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const int base = hex ? 16 : 10;
  std::uint64_t result = 0;
  for (std::size_t i = hex ? 2 : 0; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    result = result * base + static_cast<std::uint64_t>(digit);
    if (result > limit) return false;
  }
  value = result;
  return true;
}

template <typename Field>
bool SetNumber(const std::string& text, Field& field) {
  std::uint64_t value;
  if (!ParseNumber(text, static_cast<Field>(~Field{0}), value)) return false;
  field = static_cast<Field>(value);
  return true;
}

bool SetFlag(const std::string& text, BOOL& field) {
  std::uint64_t value;
  if (!ParseNumber(text, 0xFFFFFFFFu, value)) return false;
  field = static_cast<BOOL>(static_cast<std::uint32_t>(value));
  return true;
}

// A quoted text may use \" \\ and \uXXXX; an unquoted one is taken as it is.
bool ParseText(const std::string& text, std::u16string& out) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
    out = DecodeUtf8(text);
    return true;
  }
  std::string plain;
  out.clear();
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] != '\\') {
      plain += text[i];
      continue;
    }
    out += DecodeUtf8(plain);
    plain.clear();
    ++i;
    if (i + 1 >= text.size()) return false;
    if (text[i] == 'u') {
      std::uint64_t unit;
      if (i + 4 >= text.size() || !ParseNumber("0x" + text.substr(i + 1, 4), 0xFFFF, unit)) {
        return false;
      }
      out += static_cast<char16_t>(unit);
      i += 4;
    } else {
      plain += text[i];
    }
  }
  out += DecodeUtf8(plain);
  return true;
}

bool SetVersionField(const std::string& field, const std::string& value,
                     OSVERSIONINFOEXW& record) {
  if (field == "dwOSVersionInfoSize") return SetNumber(value, record.dwOSVersionInfoSize);
  if (field == "dwMajorVersion") return SetNumber(value, record.dwMajorVersion);
  if (field == "dwMinorVersion") return SetNumber(value, record.dwMinorVersion);
  if (field == "dwBuildNumber") return SetNumber(value, record.dwBuildNumber);
  if (field == "dwPlatformId") return SetNumber(value, record.dwPlatformId);
  if (field == "wServicePackMajor") return SetNumber(value, record.wServicePackMajor);
  if (field == "wServicePackMinor") return SetNumber(value, record.wServicePackMinor);
  if (field == "wSuiteMask") return SetNumber(value, record.wSuiteMask);
  if (field == "wProductType") return SetNumber(value, record.wProductType);
  if (field == "wReserved") return SetNumber(value, record.wReserved);
  if (field == "szCSDVersion") {
    std::u16string text;
    if (!ParseText(value, text)) return false;
    // 128 units or more fill the field with no terminator, as a careless
    // platform might.
    std::memset(record.szCSDVersion, 0, sizeof record.szCSDVersion);
    const std::size_t units = text.size() < 128 ? text.size() : 128;
    std::memcpy(record.szCSDVersion, text.data(), units * sizeof(char16_t));
    return true;
  }
  return false;
}

bool SetSystemField(const std::string& field, const std::string& value,
                    SYSTEM_INFO& info) {
  if (field == "wProcessorArchitecture") return SetNumber(value, info.wProcessorArchitecture);
  if (field == "wReserved") return SetNumber(value, info.wReserved);
  if (field == "dwPageSize") return SetNumber(value, info.dwPageSize);
  if (field == "lpMinimumApplicationAddress") return SetNumber(value, info.lpMinimumApplicationAddress);
  if (field == "lpMaximumApplicationAddress") return SetNumber(value, info.lpMaximumApplicationAddress);
  if (field == "dwActiveProcessorMask") return SetNumber(value, info.dwActiveProcessorMask);
  if (field == "dwNumberOfProcessors") return SetNumber(value, info.dwNumberOfProcessors);
  if (field == "dwProcessorType") return SetNumber(value, info.dwProcessorType);
  if (field == "dwAllocationGranularity") return SetNumber(value, info.dwAllocationGranularity);
  if (field == "wProcessorLevel") return SetNumber(value, info.wProcessorLevel);
  if (field == "wProcessorRevision") return SetNumber(value, info.wProcessorRevision);
  return false;
}

bool SetPresence(const std::string& names, bool present, StandInScenario& s) {
  std::istringstream words(names);
  std::string name;
  while (words >> name) {
    bool found = false;
    for (int i = 0; i < kEntryPointCount; ++i) {
      if (name == kEntryPointNames[i]) {
        s.present[i] = present;
        found = true;
      }
    }
    if (!found) return false;
  }
  return true;
}

bool Apply(const std::string& key, const std::string& value, ScenarioFile& into) {
  StandInScenario& s = into.answers;
  const auto dot = key.find('.');
  const std::string head = key.substr(0, dot);
  const std::string field = dot == std::string::npos ? "" : key.substr(dot + 1);

  if (key == "program") return ParseText(value, into.programName);
  if (key == "ntdll") {
    if (value != "present" && value != "absent") return false;
    s.ntdllPresent = value == "present";
    return true;
  }
  if (key == "ntdll.error") return SetNumber(value, s.ntdllError);
  if (key == "absent") return SetPresence(value, false, s);
  if (key == "present") return SetPresence(value, true, s);
  if (key == "GetVersion") return SetNumber(value, s.packedVersion);
  if (head == "GetVersionExW") {
    if (field == "result") return SetFlag(value, s.versionExResult);
    if (field == "error") return SetNumber(value, s.versionExError);
    return SetVersionField(field, value, s.versionEx);
  }
  if (head == "RtlGetVersion") {
    if (field == "status") {
      DWORD status;
      if (!SetNumber(value, status)) return false;
      s.rtlStatus = static_cast<LONG>(status);
      return true;
    }
    return SetVersionField(field, value, s.rtlVersion);
  }
  if (head == "GetProductInfo") {
    if (field == "result") return SetFlag(value, s.productInfoResult);
    if (field == "error") return SetNumber(value, s.productInfoError);
    if (field == "type") return SetNumber(value, s.productType);
    return false;
  }
  if (head == "GetSystemInfo") return SetSystemField(field, value, s.systemInfo);
  if (head == "GetNativeSystemInfo") return SetSystemField(field, value, s.nativeSystemInfo);
  if (head == "IsWow64Process") {
    if (field == "result") return SetFlag(value, s.wow64Result);
    if (field == "error") return SetNumber(value, s.wow64Error);
    if (field == "flag") return SetFlag(value, s.wow64Flag);
    return false;
  }
  return false;
}

}  // namespace

bool ParseScenario(const std::string& text, ScenarioFile& into,
                   std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos ||
        !Apply(Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1)), into)) {
      error = "line " + std::to_string(number) + ": cannot use \"" + trimmed + "\"";
      return false;
    }
  }
  return true;
}

std::u16string DecodeUtf8(const std::string& bytes) {
  std::u16string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    std::uint32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < bytes.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || code > 0x10FFFF) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}
