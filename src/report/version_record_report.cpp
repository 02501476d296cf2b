#include "report/version_record_report.h"

#include <cstddef>

#include "platform/format.h"

namespace {

const Char* const PlatformIdNames[4] = {WIDE("Unknown (0)"), WIDE("Unknown (1)"),
                                        WIDE("Windows NT"), WIDE("Unknown (3)")};

const Char* const ProductTypeNames[4] = {WIDE("Unknown (0)"), WIDE("Workstation"),
                                         WIDE("Domain Controller"), WIDE("Server")};

const Char* NameOrUnknown(const Char* const (&names)[4], DWORD value) {
  return value < 4 ? names[value] : WIDE("Unknown");
}

// Suite-mask bits, under names of our own: the Windows headers define the
// published VER_SUITE_* names as macros.
constexpr WORD kSmallBusiness = 0x0001;
constexpr WORD kEnterprise = 0x0002;
constexpr WORD kBackOffice = 0x0004;
constexpr WORD kTerminal = 0x0010;
constexpr WORD kSmallBusinessRestricted = 0x0020;
constexpr WORD kEmbeddedNt = 0x0040;
constexpr WORD kDatacenter = 0x0080;
constexpr WORD kSingleUserTs = 0x0100;
constexpr WORD kPersonal = 0x0200;
constexpr WORD kBlade = 0x0400;
constexpr WORD kStorageServer = 0x2000;
constexpr WORD kComputeServer = 0x4000;
constexpr WORD kHomeServer = 0x8000;

constexpr BYTE kWorkstation = 1;

constexpr std::size_t kCsdUnits = sizeof(OSVERSIONINFOEXW::szCSDVersion) / sizeof(Char);

void PrintFeature(WORD mask, WORD bit, FormatString<> line) {
  if ((mask & bit) != 0) Print(line);
}

void PrintTerminalServices(WORD mask, BYTE productType) {
  if ((mask & kSingleUserTs) == 0) return;
  // A workstation allows one remote session whatever the Terminal bit says.
  if (productType == kWorkstation) {
    Print(WIDE("                      Terminal Services (RDP) Single User.\n"));
  } else if ((mask & kTerminal) == 0) {
    Print(WIDE("                      Terminal Services (RDP) Admin Only.\n"));
  } else {
    Print(WIDE("                      Terminal Server (RDP) App server mode.\n"));
  }
}

}  // namespace

void PrintVersionRecord(const OSVERSIONINFOEXW& record) {
  Char servicePack[32];
  const Char* servicePackText = WIDE("(none)");
  if (record.wServicePackMajor != 0 || record.wServicePackMinor != 0) {
    FormatInto(servicePack, WIDE("%d.%d"), record.wServicePackMajor,
               record.wServicePackMinor);
    servicePackText = servicePack;
  }

  // The CSD text comes from the platform, and nothing makes it end inside
  // its field: print at most the field's own units.
  Char csd[kCsdUnits + 1];
  std::size_t length = 0;
  while (length < kCsdUnits && record.szCSDVersion[length] != 0) {
    csd[length] = record.szCSDVersion[length];
    ++length;
  }
  csd[length] = 0;

  const WORD mask = record.wSuiteMask;
  Print(WIDE("  Windows version:                  %d.%d.%d\n"), record.dwMajorVersion,
        record.dwMinorVersion, record.dwBuildNumber);
  Print(WIDE("  CSD Version:                      \"%s\"\n"), csd);
  Print(WIDE("  Service Pack:                     %s\n"), servicePackText);
  Print(WIDE("  Product Type:                     0x%04lX (%s)\n"), record.wProductType,
        NameOrUnknown(ProductTypeNames, record.wProductType));
  Print(WIDE("  Platform ID:                      0x%08lX (%s)\n"), record.dwPlatformId,
        NameOrUnknown(PlatformIdNames, record.dwPlatformId));
  Print(WIDE("  Suite Mask:                       0x%08lX\n"), mask);

  PrintFeature(mask, kBackOffice, WIDE("                      BackOffice Components Installed.\n"));
  PrintFeature(mask, kBlade, WIDE("                      Web Edition.\n"));
  PrintFeature(mask, kComputeServer,
               WIDE("                      Computer Cluster installed / HPC.\n"));
  PrintFeature(mask, kDatacenter, WIDE("                      Datacenter Edition.\n"));
  PrintFeature(mask, kEnterprise, WIDE("                      Enterprise Edition.\n"));
  PrintFeature(mask, kEmbeddedNt, WIDE("                      Embedded.\n"));
  PrintFeature(mask, kPersonal, WIDE("                      Home (XP, Basic or Premium).\n"));
  PrintTerminalServices(mask, record.wProductType);
  if ((mask & kSmallBusiness) != 0) {
    // The Small Business bit outlives an upgrade to another edition; only the
    // restricted-licence bit says that Small Business Server is still in force.
    const Char* prefix =
        (mask & kSmallBusinessRestricted) != 0 ? WIDE("") : WIDE("Upgraded from ");
    Print(WIDE("                      %sSmall Business Server.\n"), prefix);
  }
  PrintFeature(mask, kStorageServer, WIDE("                      Storage Server.\n"));
  PrintFeature(mask, kHomeServer, WIDE("                      Windows Home Server.\n"));
}
