#pragma once
// Stand-in for the few Windows types, records and functions that the program
// uses, so that the host build can run the very same code over answers that a
// test scripts. Records have the published field names and the widths that a
// 32-bit process sees.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WCHAR = char16_t;
using DWORD_PTR = std::uint32_t;  // address-sized in a 32-bit process
using HANDLE = void*;
using HMODULE = void*;
using LPCWSTR = const WCHAR*;
using LPCSTR = const char*;
using FARPROC = void (*)();

#define WINAPI
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};

struct SYSTEM_INFO {
  WORD wProcessorArchitecture;
  WORD wReserved;
  DWORD dwPageSize;
  DWORD_PTR lpMinimumApplicationAddress;  // an LPVOID of a 32-bit process
  DWORD_PTR lpMaximumApplicationAddress;
  DWORD_PTR dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
};
static_assert(sizeof(SYSTEM_INFO) == 36, "a 32-bit process's SYSTEM_INFO");

HMODULE GetModuleHandleW(LPCWSTR moduleName);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
DWORD GetLastError();
HANDLE GetCurrentProcess();
