// The block of lines for one version record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/version_record_report.h"
#include "support/capture.h"

namespace {

std::string Block(const OSVERSIONINFOEXW& record) {
  return CapturedOutput([&] { PrintVersionRecord(record); });
}

void SetCsd(OSVERSIONINFOEXW& record, const std::u16string& text) {
  std::memset(record.szCSDVersion, 0, sizeof record.szCSDVersion);
  std::memcpy(record.szCSDVersion, text.data(), text.size() * sizeof(char16_t));
}

// dwOSVersionInfoSize stays 0 in these records: the block prints every field
// whatever the size says.
OSVERSIONINFOEXW WindowsXpSp3() {
  OSVERSIONINFOEXW record{};
  record.dwMajorVersion = 5;
  record.dwMinorVersion = 1;
  record.dwBuildNumber = 2600;
  record.dwPlatformId = 2;
  SetCsd(record, u"Service Pack 3");
  record.wServicePackMajor = 3;
  record.wSuiteMask = 0x0100;
  record.wProductType = 1;
  return record;
}

TEST(PrintVersionRecord, WorkstationWithServicePack) {
  EXPECT_EQ(Block(WindowsXpSp3()),
            Crlf("  Windows version:                  5.1.2600\n"
                 "  CSD Version:                      \"Service Pack 3\"\n"
                 "  Service Pack:                     3.0\n"
                 "  Product Type:                     0x0001 (Workstation)\n"
                 "  Platform ID:                      0x00000002 (Windows NT)\n"
                 "  Suite Mask:                       0x00000100\n"
                 "                      Terminal Services (RDP) Single User.\n"));
}

TEST(PrintVersionRecord, EmptyRecordPrintsSixLines) {
  EXPECT_EQ(Block(OSVERSIONINFOEXW{}),
            Crlf("  Windows version:                  0.0.0\n"
                 "  CSD Version:                      \"\"\n"
                 "  Service Pack:                     (none)\n"
                 "  Product Type:                     0x0000 (Unknown (0))\n"
                 "  Platform ID:                      0x00000000 (Unknown (0))\n"
                 "  Suite Mask:                       0x00000000\n"));
}

TEST(PrintVersionRecord, FullSuiteMaskPrintsEveryFeatureInOrder) {
  const std::string head =
      "  Windows version:                  10.0.19045\n"
      "  CSD Version:                      \"\"\n"
      "  Service Pack:                     (none)\n";
  const std::string features =
      "  Platform ID:                      0x00000002 (Windows NT)\n"
      "  Suite Mask:                       0x0000FFFF\n"
      "                      BackOffice Components Installed.\n"
      "                      Web Edition.\n"
      "                      Computer Cluster installed / HPC.\n"
      "                      Datacenter Edition.\n"
      "                      Enterprise Edition.\n"
      "                      Embedded.\n"
      "                      Home (XP, Basic or Premium).\n";
  const std::string tail =
      "                      Small Business Server.\n"
      "                      Storage Server.\n"
      "                      Windows Home Server.\n";

  OSVERSIONINFOEXW record{};
  record.dwMajorVersion = 10;
  record.dwBuildNumber = 19045;
  record.dwPlatformId = 2;
  record.wSuiteMask = 0xFFFF;

  record.wProductType = 1;
  EXPECT_EQ(Block(record),
            Crlf(head + "  Product Type:                     0x0001 (Workstation)\n" +
                 features + "                      Terminal Services (RDP) Single User.\n" +
                 tail));

  record.wProductType = 3;
  const std::string server = Block(record);
  EXPECT_EQ(server,
            Crlf(head + "  Product Type:                     0x0003 (Server)\n" + features +
                 "                      Terminal Server (RDP) App server mode.\n" + tail));
  std::size_t lines = 0;
  for (std::size_t at = server.find("\r\n"); at != std::string::npos;
       at = server.find("\r\n", at + 2)) {
    ++lines;
  }
  EXPECT_EQ(lines, 17u);
}

// What follows the Suite Mask line.
std::string FeatureLines(WORD mask, BYTE productType) {
  OSVERSIONINFOEXW record{};
  record.wSuiteMask = mask;
  record.wProductType = productType;
  const std::string block = Block(record);
  const std::string maskLine = "  Suite Mask:";
  const auto at = block.find("\r\n", block.find(maskLine));
  return at == std::string::npos ? "(no suite mask line)" : block.substr(at + 2);
}

TEST(PrintVersionRecord, FeatureLinesFollowTheMaskAndTheWordingRules) {
  const struct {
    WORD mask;
    BYTE productType;
    std::vector<const char*> lines;
  } cases[] = {
      {0x0004, 3, {"BackOffice Components Installed."}},
      {0x0400, 3, {"Web Edition."}},
      {0x4000, 3, {"Computer Cluster installed / HPC."}},
      {0x0080, 3, {"Datacenter Edition."}},
      {0x0002, 3, {"Enterprise Edition."}},
      {0x0040, 3, {"Embedded."}},
      {0x0242, 1, {"Enterprise Edition.", "Embedded.", "Home (XP, Basic or Premium)."}},
      {0x2000, 3, {"Storage Server."}},
      {0x8000, 3, {"Windows Home Server."}},
      // Terminal Services: a workstation is single-user whatever the
      // Terminal bit says; otherwise that bit picks the wording.
      {0x0100, 1, {"Terminal Services (RDP) Single User."}},
      {0x0110, 1, {"Terminal Services (RDP) Single User."}},
      {0x0100, 3, {"Terminal Services (RDP) Admin Only."}},
      {0x0100, 0, {"Terminal Services (RDP) Admin Only."}},
      {0x0110, 2, {"Terminal Server (RDP) App server mode."}},
      {0x0110, 3, {"Terminal Server (RDP) App server mode."}},
      // Small Business Server: prefixed unless the restricted bit is set.
      {0x0001, 3, {"Upgraded from Small Business Server."}},
      {0x0021, 3, {"Small Business Server."}},
      {0x0111, 3,
       {"Terminal Server (RDP) App server mode.", "Upgraded from Small Business Server."}},
      // Bits that only choose wording, and bits with no line of their own.
      {0x0010, 3, {}},
      {0x0020, 3, {}},
      {0x0030, 1, {}},
      {0x0008, 3, {}},
      {0x0800, 3, {}},
      {0x1000, 3, {}},
      {0x1838, 3, {}},
  };
  for (const auto& c : cases) {
    std::string expected;
    for (const char* line : c.lines) expected += std::string(22, ' ') + line + "\r\n";
    EXPECT_EQ(FeatureLines(c.mask, c.productType), expected)
        << std::hex << "mask 0x" << c.mask << ", product type " << +c.productType;
  }
}

// The one line of the block that starts with this label.
std::string LineOf(const std::string& block, const std::string& label) {
  const auto start = block.find("  " + label + ":");
  if (start == std::string::npos) return "(no " + label + " line)";
  return block.substr(start, block.find("\r\n", start) - start);
}

TEST(PrintVersionRecord, NumbersAndNames) {
  const struct {
    const char* what;
    void (*change)(OSVERSIONINFOEXW&);
    const char* line;
  } cases[] = {
      {"service pack 0.0 ignores the CSD text", [](OSVERSIONINFOEXW& r) {
         SetCsd(r, u"Service Pack 3");
         r.wServicePackMajor = 0;
       },
       "  Service Pack:                     (none)"},
      {"service pack 0.1", [](OSVERSIONINFOEXW& r) {
         r.wServicePackMajor = 0;
         r.wServicePackMinor = 1;
       },
       "  Service Pack:                     0.1"},
      {"largest service pack", [](OSVERSIONINFOEXW& r) {
         r.wServicePackMajor = 65535;
         r.wServicePackMinor = 65535;
       },
       "  Service Pack:                     65535.65535"},
      {"platform 4", [](OSVERSIONINFOEXW& r) { r.dwPlatformId = 4; },
       "  Platform ID:                      0x00000004 (Unknown)"},
      {"largest platform", [](OSVERSIONINFOEXW& r) { r.dwPlatformId = 0xFFFFFFFF; },
       "  Platform ID:                      0xFFFFFFFF (Unknown)"},
      {"platform 1", [](OSVERSIONINFOEXW& r) { r.dwPlatformId = 1; },
       "  Platform ID:                      0x00000001 (Unknown (1))"},
      {"platform 3", [](OSVERSIONINFOEXW& r) { r.dwPlatformId = 3; },
       "  Platform ID:                      0x00000003 (Unknown (3))"},
      {"product type 2", [](OSVERSIONINFOEXW& r) { r.wProductType = 2; },
       "  Product Type:                     0x0002 (Domain Controller)"},
      {"product type 3", [](OSVERSIONINFOEXW& r) { r.wProductType = 3; },
       "  Product Type:                     0x0003 (Server)"},
      {"product type 0", [](OSVERSIONINFOEXW& r) { r.wProductType = 0; },
       "  Product Type:                     0x0000 (Unknown (0))"},
      {"product type 4", [](OSVERSIONINFOEXW& r) { r.wProductType = 4; },
       "  Product Type:                     0x0004 (Unknown)"},
      {"product type 255", [](OSVERSIONINFOEXW& r) { r.wProductType = 255; },
       "  Product Type:                     0x00FF (Unknown)"},
      // The version numbers are printed signed, as "%d" reads them.
      {"top bit of the build", [](OSVERSIONINFOEXW& r) { r.dwBuildNumber = 0xFFFFFFFF; },
       "  Windows version:                  5.1.-1"},
      {"mask beyond the feature bits", [](OSVERSIONINFOEXW& r) { r.wSuiteMask = 0x1808; },
       "  Suite Mask:                       0x00001808"},
  };
  for (const auto& c : cases) {
    OSVERSIONINFOEXW record = WindowsXpSp3();
    c.change(record);
    const std::string line = c.line;
    EXPECT_EQ(LineOf(Block(record), line.substr(2, line.find(':') - 2)), line) << c.what;
  }
}

TEST(PrintVersionRecord, CsdTextIsPrintedAsItStandsWithinItsField) {
  OSVERSIONINFOEXW latin = WindowsXpSp3();
  SetCsd(latin, u"Service Pack 3 \u00E9\u0080\u00FF");
  EXPECT_EQ(LineOf(Block(latin), "CSD Version"),
            "  CSD Version:                      \"Service Pack 3 \xE9\x80\xFF\"");

  OSVERSIONINFOEXW wide = WindowsXpSp3();
  SetCsd(wide, u"SP\u0100\u4E2D\U0001F600.");
  EXPECT_EQ(LineOf(Block(wide), "CSD Version"),
            "  CSD Version:                      \"SP????.\"");

  // All 128 units used, no terminator, and the fields after the text are not
  // zero: the text ends with the field.
  OSVERSIONINFOEXW full = WindowsXpSp3();
  SetCsd(full, std::u16string(127, u'A') + u'Z');
  full.wServicePackMajor = 'B';
  full.wServicePackMinor = 'C';
  full.wSuiteMask = 0x0044;
  full.wProductType = 'E';
  full.wReserved = 'F';
  const std::string block = Block(full);
  EXPECT_EQ(LineOf(block, "CSD Version"),
            "  CSD Version:                      \"" + std::string(127, 'A') + "Z\"");
  EXPECT_EQ(LineOf(block, "Service Pack"), "  Service Pack:                     66.67");
}

}  // namespace
