// The host's stand-in for kernel32 and ntdll: each function checks its
// arguments as the platform does, answers from the scripted scenario, and
// logs that it was called and what it was handed.
#include "platform/host/standin.h"

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/output_sink.h"

const char* const kEntryPointNames[kEntryPointCount] = {
    "RtlGetVersion", "GetVersionExW", "GetProductInfo", "GetVersion",
    "GetSystemInfo", "GetNativeSystemInfo", "IsWow64Process"};

namespace {

StandInScenario scenario;
std::vector<std::string> calls;
DWORD lastError = 0;
std::vector<VersionQuery> versionQueries;
ProductInfoQuery productInfoQuery{};
Wow64Query wow64Query{};
std::string* capture = nullptr;

// Distinct addresses that only mean "this module" to GetProcAddress.
char ntdllModule;
char kernel32Module;
char currentProcess;

constexpr DWORD kErrorInvalidHandle = 6;
constexpr DWORD kErrorInvalidParameter = 87;
constexpr DWORD kErrorInsufficientBuffer = 122;

// OSVERSIONINFOW ends with szCSDVersion; the extended record adds the rest.
constexpr DWORD kBaseRecordSize = offsetof(OSVERSIONINFOEXW, wServicePackMajor);
constexpr DWORD kExtendedRecordSize = sizeof(OSVERSIONINFOEXW);
static_assert(kBaseRecordSize == 276, "OSVERSIONINFOW is 276 bytes");

void Log(std::string call) { calls.push_back(std::move(call)); }

// Where the platform would write through a null pointer, the process dies.
void RequireWritable(const void* pointer, const char* call) {
  if (pointer != nullptr) return;
  std::fprintf(stderr, "stand-in: %s was handed a null pointer to write through\n", call);
  std::abort();
}

// The platform writes what the caller's record has room for, by the size it
// was handed: the whole answer into an extended record, else the base part
// and nothing of the size field.
void FillVersionRecord(OSVERSIONINFOEXW& record, const OSVERSIONINFOEXW& answer) {
  if (record.dwOSVersionInfoSize == kExtendedRecordSize) {
    record = answer;
    return;
  }
  record.dwMajorVersion = answer.dwMajorVersion;
  record.dwMinorVersion = answer.dwMinorVersion;
  record.dwBuildNumber = answer.dwBuildNumber;
  record.dwPlatformId = answer.dwPlatformId;
  std::memcpy(record.szCSDVersion, answer.szCSDVersion, sizeof record.szCSDVersion);
}

LONG WINAPI StandInRtlGetVersion(OSVERSIONINFOEXW* record) {
  Log("RtlGetVersion");
  RequireWritable(record, "RtlGetVersion");
  versionQueries.push_back({kRtlGetVersion, *record});
  if (scenario.rtlStatus != 0) return scenario.rtlStatus;
  FillVersionRecord(*record, scenario.rtlVersion);
  return 0;
}

BOOL WINAPI StandInGetVersionExW(OSVERSIONINFOEXW* record) {
  Log("GetVersionExW");
  RequireWritable(record, "GetVersionExW");
  versionQueries.push_back({kGetVersionExW, *record});
  const DWORD size = record->dwOSVersionInfoSize;
  if (size != kBaseRecordSize && size != kExtendedRecordSize) {
    lastError = kErrorInsufficientBuffer;
    return FALSE;
  }
  if (!scenario.versionExResult) {
    lastError = scenario.versionExError;
    return FALSE;
  }
  FillVersionRecord(*record, scenario.versionEx);
  return scenario.versionExResult;
}

BOOL WINAPI StandInGetProductInfo(DWORD major, DWORD minor, DWORD spMajor,
                                  DWORD spMinor, DWORD* productType) {
  Log("GetProductInfo");
  productInfoQuery = {major, minor, spMajor, spMinor, productType != nullptr,
                      productType != nullptr ? *productType : 0};
  if (productType == nullptr) {
    lastError = kErrorInvalidParameter;
    return FALSE;
  }
  if (!scenario.productInfoResult) {
    lastError = scenario.productInfoError;
    return FALSE;
  }
  *productType = scenario.productType;
  return scenario.productInfoResult;
}

DWORD WINAPI StandInGetVersion() {
  Log("GetVersion");
  return scenario.packedVersion;
}

void WINAPI StandInGetSystemInfo(SYSTEM_INFO* info) {
  Log("GetSystemInfo");
  RequireWritable(info, "GetSystemInfo");
  *info = scenario.systemInfo;
}

void WINAPI StandInGetNativeSystemInfo(SYSTEM_INFO* info) {
  Log("GetNativeSystemInfo");
  RequireWritable(info, "GetNativeSystemInfo");
  *info = scenario.nativeSystemInfo;
}

BOOL WINAPI StandInIsWow64Process(HANDLE process, BOOL* flag) {
  const bool ours = process == &currentProcess;
  Log(ours ? "IsWow64Process" : "IsWow64Process(foreign handle)");
  wow64Query = {ours, flag != nullptr, flag != nullptr ? *flag : 0};
  // The only process this stand-in knows is the caller's own.
  if (!ours) {
    lastError = kErrorInvalidHandle;
    return FALSE;
  }
  if (!scenario.wow64Result) {
    lastError = scenario.wow64Error;
    return FALSE;
  }
  RequireWritable(flag, "IsWow64Process");
  *flag = scenario.wow64Flag;
  return scenario.wow64Result;
}

FARPROC AsFarProc(void (*function)()) { return function; }

template <typename Function>
FARPROC Erase(Function function) {
  return AsFarProc(reinterpret_cast<void (*)()>(function));
}

bool SameText(LPCWSTR a, const char16_t* b) {
  while (*a != 0 && *a == *b) ++a, ++b;
  return *a == *b;
}

std::string Narrow(LPCWSTR text) {
  std::string out;
  for (; *text != 0; ++text) out += static_cast<char>(*text);
  return out;
}

}  // namespace

StandInScenario TypicalScenario() {
  StandInScenario s;
  s.packedVersion = 0x23F00206;  // 6.2.9200
  s.versionEx.dwOSVersionInfoSize = 284;
  s.versionEx.dwMajorVersion = 6;
  s.versionEx.dwMinorVersion = 2;
  s.versionEx.dwBuildNumber = 9200;
  s.versionEx.dwPlatformId = 2;
  s.versionEx.wSuiteMask = 0x0100;
  s.versionEx.wProductType = 1;
  s.rtlVersion = s.versionEx;
  s.rtlVersion.dwMajorVersion = 10;
  s.rtlVersion.dwMinorVersion = 0;
  s.rtlVersion.dwBuildNumber = 19045;
  s.productType = 0x30;
  s.systemInfo.wProcessorArchitecture = 0;
  s.systemInfo.dwPageSize = 4096;
  s.systemInfo.lpMinimumApplicationAddress = 0x00010000;
  s.systemInfo.lpMaximumApplicationAddress = 0x7FFEFFFF;
  s.systemInfo.dwActiveProcessorMask = 0x3;
  s.systemInfo.dwNumberOfProcessors = 2;
  s.systemInfo.dwProcessorType = 586;
  s.systemInfo.dwAllocationGranularity = 0x10000;
  s.systemInfo.wProcessorLevel = 6;
  s.systemInfo.wProcessorRevision = 0x9E0A;
  s.nativeSystemInfo = s.systemInfo;
  return s;
}

void SetStandIn(const StandInScenario& next) {
  scenario = next;
  calls.clear();
  lastError = 0;
  versionQueries.clear();
  productInfoQuery = {};
  wow64Query = {};
}

StandInScenario& StandIn() { return scenario; }

const std::vector<std::string>& StandInCalls() { return calls; }

const std::vector<VersionQuery>& VersionQueries() { return versionQueries; }

const ProductInfoQuery& LastProductInfoQuery() { return productInfoQuery; }

const Wow64Query& LastWow64Query() { return wow64Query; }

void CaptureStandardOutput(std::string* into) { capture = into; }

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  Log("GetModuleHandleW(" + Narrow(moduleName) + ")");
  if (SameText(moduleName, u"ntdll.dll")) {
    if (scenario.ntdllPresent) return &ntdllModule;
    lastError = scenario.ntdllError;
    return nullptr;
  }
  if (SameText(moduleName, u"kernel32.dll")) return &kernel32Module;
  lastError = 126;
  return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  Log(std::string("GetProcAddress(") + procName + ")");
  const bool inNtdll = module == &ntdllModule;
  const bool inKernel32 = module == &kernel32Module;
  for (int i = 0; i < kEntryPointCount; ++i) {
    if (std::strcmp(procName, kEntryPointNames[i]) != 0) continue;
    const bool rightModule = i == kRtlGetVersion ? inNtdll : inKernel32;
    if (!rightModule || !scenario.present[i]) break;
    switch (i) {
      case kRtlGetVersion: return Erase(StandInRtlGetVersion);
      case kGetVersionExW: return Erase(StandInGetVersionExW);
      case kGetProductInfo: return Erase(StandInGetProductInfo);
      case kGetVersion: return Erase(StandInGetVersion);
      case kGetSystemInfo: return Erase(StandInGetSystemInfo);
      case kGetNativeSystemInfo: return Erase(StandInGetNativeSystemInfo);
      case kIsWow64Process: return Erase(StandInIsWow64Process);
      default: break;
    }
  }
  lastError = 127;  // ERROR_PROC_NOT_FOUND
  return nullptr;
}

DWORD GetLastError() {
  Log("GetLastError");
  return lastError;
}

HANDLE GetCurrentProcess() {
  Log("GetCurrentProcess");
  return &currentProcess;
}

void WriteStandardOutput(const char* bytes, std::size_t count) {
  if (capture != nullptr) {
    capture->append(bytes, count);
    return;
  }
  while (count > 0) {
    const ssize_t written = ::write(1, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // closed pipe, full disk: dropped
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
}
