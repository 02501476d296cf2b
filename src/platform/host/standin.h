#pragma once
// Control of the host stand-in: what the scripted Windows answers, and what
// the program asked of it. Only tests, the simulator and the fuzzer use this.

#include <string>
#include <vector>

#include "platform/windows_api.h"

// The seven looked-up functions, in lookup order.
enum EntryPointIndex {
  kRtlGetVersion,
  kGetVersionExW,
  kGetProductInfo,
  kGetVersion,
  kGetSystemInfo,
  kGetNativeSystemInfo,
  kIsWow64Process,
  kEntryPointCount
};

extern const char* const kEntryPointNames[kEntryPointCount];

struct StandInScenario {
  bool ntdllPresent = true;
  DWORD ntdllError = 126;  // ERROR_MOD_NOT_FOUND
  bool present[kEntryPointCount] = {true, true, true, true, true, true, true};

  DWORD packedVersion = 0;

  BOOL versionExResult = TRUE;
  DWORD versionExError = 0;
  OSVERSIONINFOEXW versionEx{};  // copied whole over the caller's record

  LONG rtlStatus = 0;
  OSVERSIONINFOEXW rtlVersion{};

  BOOL productInfoResult = TRUE;
  DWORD productInfoError = 0;
  DWORD productType = 0;

  SYSTEM_INFO systemInfo{};
  SYSTEM_INFO nativeSystemInfo{};

  BOOL wow64Result = TRUE;
  DWORD wow64Error = 0;
  BOOL wow64Flag = FALSE;
};

// A plausible machine to start from: 32-bit Windows 10 Pro on x86, seen by a
// program without a compatibility manifest (GetVersionEx answers 6.2).
StandInScenario TypicalScenario();

// Replaces the scripted answers, clears the call log and the last error.
void SetStandIn(const StandInScenario& scenario);
StandInScenario& StandIn();

// Every platform call in order: "GetModuleHandleW(ntdll.dll)",
// "GetProcAddress(GetVersion)", "GetVersion", "GetLastError", ...
const std::vector<std::string>& StandInCalls();

// What GetProductInfo was last asked with (major, minor, sp major, sp minor).
struct ProductInfoQuery {
  DWORD major, minor, servicePackMajor, servicePackMinor;
};
const ProductInfoQuery& LastProductInfoQuery();

// Sends standard output into a string instead of file descriptor 1
// (nullptr restores descriptor 1).
void CaptureStandardOutput(std::string* into);
