#pragma once
// The seven version functions, looked up by name at run time because each may
// be missing on an older Windows.

#include "platform/windows_api.h"

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using GetVersionExWFn = BOOL(WINAPI*)(OSVERSIONINFOEXW*);
using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
using GetVersionFn = DWORD(WINAPI*)();
using GetSystemInfoFn = void(WINAPI*)(SYSTEM_INFO*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

struct EntryPoints {
  RtlGetVersionFn RtlGetVersion;
  GetVersionExWFn GetVersionExW;
  GetProductInfoFn GetProductInfo;
  GetVersionFn GetVersion;
  GetSystemInfoFn GetSystemInfo;
  GetSystemInfoFn GetNativeSystemInfo;
  IsWow64ProcessFn IsWow64Process;
};

// Looks the seven names up in their order; a name not found gives null.
EntryPoints LookUpEntryPoints(HMODULE ntdll, HMODULE kernel32);
