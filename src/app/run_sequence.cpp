#include "app/run_sequence.h"

#include <cstring>

#include "platform/entry_points.h"
#include "platform/format.h"
#include "report/system_info_report.h"
#include "report/version_record_report.h"
#include "summary/batch_fill.h"
#include "summary/batch_line.h"
#include "summary/edition_catalogue.h"

namespace {

constexpr int kStopped = 1;

void PrepareVersionRecord(OSVERSIONINFOEXW& record) {
  std::memset(&record, 0, sizeof record);
  record.dwOSVersionInfoSize = sizeof record;
}

}  // namespace

int RunSequence(Mode mode, BatchData& summary) {
  const bool report = mode == Mode::Report;

  // 1. Module handles.
  const HMODULE ntdll = GetModuleHandleW(WIDE("ntdll.dll"));
  if (ntdll == nullptr) {
    const DWORD error = GetLastError();
    Print(WIDE("Windows NTDLL library is not present - error %u, 0x%08lX.\n"),
          error, error);
    return kStopped;
  }
  const HMODULE kernel32 = GetModuleHandleW(WIDE("kernel32.dll"));

  // 2. Entry points.
  const EntryPoints entry = LookUpEntryPoints(ntdll, kernel32);

  // 3. Packed version.
  if (entry.GetVersion == nullptr) {
    Print(WIDE("\n\nGetVersion() ...\n\n  ... Unavailable.\n"));
    return kStopped;
  }
  const DWORD packed = entry.GetVersion();
  if (report) {
    Print(WIDE("\n\nGetVersion() ...\n\n   Windows Version:                 %u.%u.%u\n\n"),
          PackedMajorVersion(packed), PackedMinorVersion(packed), PackedBuildNumber(packed));
  } else {
    ApplyPackedVersion(summary, packed);
  }

  // 4. Extended version record. The record is cleared here even when the
  // query is missing: with neither version function present it then reads
  // as version 0 and takes the pre-Vista course below, instead of handing
  // stack garbage to GetProductInfo.
  OSVERSIONINFOEXW version;
  PrepareVersionRecord(version);
  if (entry.GetVersionExW == nullptr) {
    if (report) Print(WIDE("\n\nGetVersionEx() ...\n\n  ... Unavailable.\n"));
  } else {
    if (report) Print(WIDE("\n\nGetVersionEx() ...\n\n"));
    if (!entry.GetVersionExW(&version)) {
      const DWORD error = GetLastError();
      Print(WIDE("  Windows GetVersionEx() failed - Error %u, 0x%08lX.\n"), error,
            error);
      return kStopped;
    }
    if (report) {
      PrintVersionRecord(version);
    } else {
      ApplyVersionRecord(summary, version);
    }
  }

  // 5. Kernel version record.
  if (entry.RtlGetVersion == nullptr) {
    if (report) Print(WIDE("  Native call RtlGetVersion() unavailable.\n"));
  } else {
    PrepareVersionRecord(version);
    const LONG status = entry.RtlGetVersion(&version);
    if (report) Print(WIDE("\nRtlGetVersion() ...\n\n"));
    if (status != 0) {
      const DWORD code = static_cast<DWORD>(status);
      Print(WIDE("  Failed to get the internal version with RtlGetVersion.  "
                 "Error %u (0x%08lX) returned.\n"),
            code, code);
      return kStopped;
    }
    if (report) {
      PrintVersionRecord(version);
    } else {
      ApplyVersionRecord(summary, version);
    }
  }

  // 6. Product type, which exists from Vista (6.0) on.
  if (version.dwMajorVersion < 6) {
    if (report) {
      Print(WIDE("\n\nGetProductType() ...\n\n  Not defined on Windows earlier than Vista.\n"));
    }
  } else {
    if (entry.GetProductInfo == nullptr) {
      Print(WIDE("\n\nGetProductType() ...\n\n   ... expected, but not found in kernel32.dll.\n"));
      return kStopped;
    }
    DWORD productType = 0;
    if (report) Print(WIDE("\n\nGetProductType() ...\n\n"));
    if (!entry.GetProductInfo(version.dwMajorVersion, version.dwMinorVersion,
                              version.wServicePackMajor,
                              version.wServicePackMinor, &productType)) {
      const DWORD error = GetLastError();
      Print(WIDE("\n  Failed to obtain the product type - GetProductInfo error %u (0x%08lX).\n"),
            error, error);
      return kStopped;
    }
    if (report) {
      PrintProductType(productType);
    } else {
      ApplyProductType(summary, productType);
    }
  }

  // 7. System information as this process sees it.
  SYSTEM_INFO info;
  if (entry.GetSystemInfo != nullptr) {
    entry.GetSystemInfo(&info);
    if (report) {
      Print(WIDE("\n\nGetSystemInfo() ...\n\n"));
      PrintSystemInfo(info);
    } else {
      ApplyArchitecture(summary, info);
    }
  } else if (report) {
    Print(WIDE("\n\nGetSystemInfo() ...\n\n  ... call not found.\n"));
  }

  // 8. The machine's own view, for a 32-bit process under 64-bit emulation.
  BOOL emulated = 0;
  if (entry.IsWow64Process != nullptr && entry.GetNativeSystemInfo != nullptr &&
      entry.IsWow64Process(GetCurrentProcess(), &emulated) && emulated) {
    entry.GetNativeSystemInfo(&info);
    if (report) {
      Print(WIDE("\n\nGetNativeSystemInfo() ...\n\n"));
      PrintSystemInfo(info);
    } else {
      ApplyArchitecture(summary, info);
    }
  }

  // 9. End.
  if (!report) PrintBatchLine(summary);
  return 0;
}
