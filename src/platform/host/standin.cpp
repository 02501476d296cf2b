// The host's stand-in for kernel32 and ntdll: each function answers from the
// scripted scenario and logs that it was called.
#include "platform/host/standin.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/output_sink.h"

const char* const kEntryPointNames[kEntryPointCount] = {
    "RtlGetVersion", "GetVersionExW", "GetProductInfo", "GetVersion",
    "GetSystemInfo", "GetNativeSystemInfo", "IsWow64Process"};

namespace {

StandInScenario scenario;
std::vector<std::string> calls;
DWORD lastError = 0;
ProductInfoQuery productInfoQuery{};
std::string* capture = nullptr;

// Distinct addresses that only mean "this module" to GetProcAddress.
char ntdllModule;
char kernel32Module;
char currentProcess;

void Log(std::string call) { calls.push_back(std::move(call)); }

LONG WINAPI StandInRtlGetVersion(OSVERSIONINFOEXW* record) {
  Log("RtlGetVersion");
  if (scenario.rtlStatus == 0) *record = scenario.rtlVersion;
  return scenario.rtlStatus;
}

BOOL WINAPI StandInGetVersionExW(OSVERSIONINFOEXW* record) {
  Log("GetVersionExW");
  if (!scenario.versionExResult) {
    lastError = scenario.versionExError;
    return FALSE;
  }
  *record = scenario.versionEx;
  return scenario.versionExResult;
}

BOOL WINAPI StandInGetProductInfo(DWORD major, DWORD minor, DWORD spMajor,
                                  DWORD spMinor, DWORD* productType) {
  Log("GetProductInfo");
  productInfoQuery = {major, minor, spMajor, spMinor};
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
  *info = scenario.systemInfo;
}

void WINAPI StandInGetNativeSystemInfo(SYSTEM_INFO* info) {
  Log("GetNativeSystemInfo");
  *info = scenario.nativeSystemInfo;
}

BOOL WINAPI StandInIsWow64Process(HANDLE process, BOOL* flag) {
  Log(process == &currentProcess ? "IsWow64Process"
                                 : "IsWow64Process(foreign handle)");
  if (!scenario.wow64Result) {
    lastError = scenario.wow64Error;
    return FALSE;
  }
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
  productInfoQuery = {};
}

StandInScenario& StandIn() { return scenario; }

const std::vector<std::string>& StandInCalls() { return calls; }

const ProductInfoQuery& LastProductInfoQuery() { return productInfoQuery; }

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
