// Asks Windows each version query directly, the way the program does, and
// prints the raw answers as a simulator scenario. The end-to-end tests
// compare the program's output against these answers, learned afresh on
// every run, and replay them through oskavel-sim.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using GetVersionExWFn = BOOL(WINAPI*)(OSVERSIONINFOEXW*);
using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
using GetVersionFn = DWORD(WINAPI*)();
using GetSystemInfoFn = void(WINAPI*)(SYSTEM_INFO*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

template <typename Function>
Function Find(HMODULE module, const char* name, const char* absent[], int& absentCount) {
  FARPROC proc = GetProcAddress(module, name);
  if (proc == nullptr) absent[absentCount++] = name;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

void PrintText(const char* key, const WCHAR* text, int capacity) {
  std::printf("%s = \"", key);
  for (int i = 0; i < capacity && text[i] != 0; ++i) {
    const unsigned unit = text[i];
    if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\') {
      std::putchar(static_cast<int>(unit));
    } else {
      std::printf("\\u%04X", unit);
    }
  }
  std::printf("\"\n");
}

void PrintVersion(const char* prefix, const OSVERSIONINFOEXW& r) {
  std::printf("%s.dwOSVersionInfoSize = %lu\n", prefix, r.dwOSVersionInfoSize);
  std::printf("%s.dwMajorVersion = %lu\n", prefix, r.dwMajorVersion);
  std::printf("%s.dwMinorVersion = %lu\n", prefix, r.dwMinorVersion);
  std::printf("%s.dwBuildNumber = %lu\n", prefix, r.dwBuildNumber);
  std::printf("%s.dwPlatformId = %lu\n", prefix, r.dwPlatformId);
  char key[64];
  std::snprintf(key, sizeof key, "%s.szCSDVersion", prefix);
  PrintText(key, r.szCSDVersion, 128);
  std::printf("%s.wServicePackMajor = %u\n", prefix, r.wServicePackMajor);
  std::printf("%s.wServicePackMinor = %u\n", prefix, r.wServicePackMinor);
  std::printf("%s.wSuiteMask = 0x%04X\n", prefix, r.wSuiteMask);
  std::printf("%s.wProductType = %u\n", prefix, r.wProductType);
  std::printf("%s.wReserved = %u\n", prefix, r.wReserved);
}

void PrintSystem(const char* prefix, const SYSTEM_INFO& s) {
  std::printf("%s.wProcessorArchitecture = %u\n", prefix, s.wProcessorArchitecture);
  std::printf("%s.dwPageSize = %lu\n", prefix, s.dwPageSize);
  std::printf("%s.lpMinimumApplicationAddress = 0x%llX\n", prefix,
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(s.lpMinimumApplicationAddress)));
  std::printf("%s.lpMaximumApplicationAddress = 0x%llX\n", prefix,
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(s.lpMaximumApplicationAddress)));
  std::printf("%s.dwActiveProcessorMask = 0x%llX\n", prefix,
              static_cast<unsigned long long>(s.dwActiveProcessorMask));
  std::printf("%s.dwNumberOfProcessors = %lu\n", prefix, s.dwNumberOfProcessors);
  std::printf("%s.dwProcessorType = %lu\n", prefix, s.dwProcessorType);
  std::printf("%s.dwAllocationGranularity = %lu\n", prefix, s.dwAllocationGranularity);
  std::printf("%s.wProcessorLevel = %u\n", prefix, s.wProcessorLevel);
  std::printf("%s.wProcessorRevision = 0x%04X\n", prefix, s.wProcessorRevision);
}

}  // namespace

int wmain() {
  const char* absent[8];
  int absentCount = 0;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  auto rtlGetVersion = Find<RtlGetVersionFn>(ntdll, "RtlGetVersion", absent, absentCount);
  auto getVersionExW = Find<GetVersionExWFn>(kernel32, "GetVersionExW", absent, absentCount);
  auto getProductInfo = Find<GetProductInfoFn>(kernel32, "GetProductInfo", absent, absentCount);
  auto getVersion = Find<GetVersionFn>(kernel32, "GetVersion", absent, absentCount);
  auto getSystemInfo = Find<GetSystemInfoFn>(kernel32, "GetSystemInfo", absent, absentCount);
  auto getNativeSystemInfo = Find<GetSystemInfoFn>(kernel32, "GetNativeSystemInfo", absent, absentCount);
  auto isWow64Process = Find<IsWow64ProcessFn>(kernel32, "IsWow64Process", absent, absentCount);

  std::printf("# answers learned by version_probe (%d-bit)\n", static_cast<int>(8 * sizeof(void*)));
  std::printf("present = RtlGetVersion GetVersionExW GetProductInfo GetVersion GetSystemInfo "
              "GetNativeSystemInfo IsWow64Process\n");
  if (absentCount > 0) {
    std::printf("absent =");
    for (int i = 0; i < absentCount; ++i) std::printf(" %s", absent[i]);
    std::printf("\n");
  }
  if (getVersion) std::printf("GetVersion = 0x%08lX\n", getVersion());

  OSVERSIONINFOEXW last;
  std::memset(&last, 0, sizeof last);
  if (getVersionExW) {
    OSVERSIONINFOEXW r;
    std::memset(&r, 0, sizeof r);
    r.dwOSVersionInfoSize = sizeof r;
    const BOOL ok = getVersionExW(&r);
    std::printf("GetVersionExW.result = %d\n", ok ? 1 : 0);
    if (!ok) std::printf("GetVersionExW.error = %lu\n", GetLastError());
    PrintVersion("GetVersionExW", r);
    last = r;
  }
  if (rtlGetVersion) {
    OSVERSIONINFOEXW r;
    std::memset(&r, 0, sizeof r);
    r.dwOSVersionInfoSize = sizeof r;
    const LONG status = rtlGetVersion(&r);
    std::printf("RtlGetVersion.status = 0x%08lX\n", static_cast<unsigned long>(status));
    PrintVersion("RtlGetVersion", r);
    if (status == 0) last = r;
  }
  if (getProductInfo && last.dwMajorVersion >= 6) {
    DWORD type = 0;
    const BOOL ok = getProductInfo(last.dwMajorVersion, last.dwMinorVersion,
                                   last.wServicePackMajor, last.wServicePackMinor, &type);
    std::printf("GetProductInfo.result = %d\n", ok ? 1 : 0);
    if (!ok) std::printf("GetProductInfo.error = %lu\n", GetLastError());
    std::printf("GetProductInfo.type = %lu\n", type);
  }
  if (getSystemInfo) {
    SYSTEM_INFO s;
    std::memset(&s, 0, sizeof s);
    getSystemInfo(&s);
    PrintSystem("GetSystemInfo", s);
  }
  if (isWow64Process) {
    BOOL flag = 0;
    const BOOL ok = isWow64Process(GetCurrentProcess(), &flag);
    std::printf("IsWow64Process.result = %d\n", ok ? 1 : 0);
    if (!ok) std::printf("IsWow64Process.error = %lu\n", GetLastError());
    std::printf("IsWow64Process.flag = %d\n", flag ? 1 : 0);
  }
  if (getNativeSystemInfo) {
    SYSTEM_INFO s;
    std::memset(&s, 0, sizeof s);
    getNativeSystemInfo(&s);
    PrintSystem("GetNativeSystemInfo", s);
  }
  return 0;
}
