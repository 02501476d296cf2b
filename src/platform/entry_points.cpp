#include "platform/entry_points.h"

namespace {

template <typename Function>
Function Resolve(HMODULE module, const char* name) {
  // Through void(*)(): the one function-pointer type that converts to any
  // other without a cast-function-type warning.
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

EntryPoints LookUpEntryPoints(HMODULE ntdll, HMODULE kernel32) {
  EntryPoints entry{};
  entry.RtlGetVersion = Resolve<RtlGetVersionFn>(ntdll, "RtlGetVersion");
  entry.GetVersionExW = Resolve<GetVersionExWFn>(kernel32, "GetVersionExW");
  entry.GetProductInfo = Resolve<GetProductInfoFn>(kernel32, "GetProductInfo");
  entry.GetVersion = Resolve<GetVersionFn>(kernel32, "GetVersion");
  entry.GetSystemInfo = Resolve<GetSystemInfoFn>(kernel32, "GetSystemInfo");
  entry.GetNativeSystemInfo =
      Resolve<GetSystemInfoFn>(kernel32, "GetNativeSystemInfo");
  entry.IsWow64Process = Resolve<IsWow64ProcessFn>(kernel32, "IsWow64Process");
  return entry;
}
