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
  // Copied whole over a caller's extended record (dwOSVersionInfoSize
  // included, so a scenario can script the size the platform leaves there);
  // a 276-byte record gets the fields up to szCSDVersion only.
  OSVERSIONINFOEXW versionEx{};

  LONG rtlStatus = 0;
  OSVERSIONINFOEXW rtlVersion{};  // handed over as versionEx is

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

// The stand-in refuses what the platform refuses:
// - GetVersionExW fails with ERROR_INSUFFICIENT_BUFFER (122), touching
//   nothing, unless dwOSVersionInfoSize is 276 (OSVERSIONINFOW) or 284;
// - RtlGetVersion fills the fields up to szCSDVersion whatever the size, and
//   the service pack, suite mask and product type only when it is 284;
// - GetProductInfo without somewhere to put the number fails with
//   ERROR_INVALID_PARAMETER (87);
// - IsWow64Process with any handle but GetCurrentProcess()'s fails with
//   ERROR_INVALID_HANDLE (6);
// - a null record or flag pointer that the platform would write through
//   ends the process with a message, as the access violation would.
// And it keeps what the program handed each call, taken as the call began,
// before it checks or writes anything:

// A version record as GetVersionExW or RtlGetVersion received it.
struct VersionQuery {
  EntryPointIndex function;
  OSVERSIONINFOEXW record;
};
// Every version query of the run, in call order.
const std::vector<VersionQuery>& VersionQueries();

// What GetProductInfo was last asked with.
struct ProductInfoQuery {
  DWORD major, minor, servicePackMajor, servicePackMinor;
  bool typeGiven;    // the output pointer was not null
  DWORD typeHanded;  // the number it pointed at
};
const ProductInfoQuery& LastProductInfoQuery();

// What IsWow64Process was last asked with.
struct Wow64Query {
  bool currentProcess;  // the handle was GetCurrentProcess()'s
  bool flagGiven;       // the flag pointer was not null
  BOOL flagHanded;      // the flag it pointed at
};
const Wow64Query& LastWow64Query();

// Sends standard output into a string instead of file descriptor 1
// (nullptr restores descriptor 1).
void CaptureStandardOutput(std::string* into);
