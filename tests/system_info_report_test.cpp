// The ten lines for one SYSTEM_INFO: names, counts, the revision detail and
// the address width, each checked on the line that shows it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "report/system_info_report.h"
#include "support/capture.h"

namespace {

SYSTEM_INFO Machine() {
  SYSTEM_INFO info{};
  info.wProcessorArchitecture = 0;
  info.dwPageSize = 4096;
  info.lpMinimumApplicationAddress = 0x00010000;
  info.lpMaximumApplicationAddress = 0x7FFEFFFF;
  info.dwActiveProcessorMask = 0x3;
  info.dwNumberOfProcessors = 2;
  info.dwProcessorType = 586;
  info.dwAllocationGranularity = 0x10000;
  info.wProcessorLevel = 6;
  info.wProcessorRevision = 0x9E0A;
  return info;
}

std::vector<std::string> Lines(const SYSTEM_INFO& info) {
  const std::string block = CapturedOutput([&] { PrintSystemInfo(info); });
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = block.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(block.substr(start, end - start));
  }
  EXPECT_EQ(start, block.size()) << "text after the last line end";
  return lines;
}

// The value part of line `index` (from column 37 on).
std::string Value(const SYSTEM_INFO& info, std::size_t index) {
  const auto lines = Lines(info);
  if (lines.size() != 10) return "block has " + std::to_string(lines.size()) + " lines";
  return lines[index].substr(36);
}

enum Line { kArchitecture, kMask, kCount, kType, kLevel, kRevision, kPage,
            kGranularity, kMinimum, kMaximum };

TEST(PrintSystemInfo, WholeBlock) {
  EXPECT_EQ(CapturedOutput([] { PrintSystemInfo(Machine()); }),
            Crlf("  Processor Architecture (OS):      0 (0x0000, x86).\n"
                 "  Processor Mask:                   0x00000003 (2 active).\n"
                 "  Processor Count:                  2 (0x00000002).\n"
                 "  Processor Type (obs):             Pentium (586, 0x0000024A).\n"
                 "  Processor Level:                  6 (0x0006).\n"
                 "  Processor Revision:               40458 (0x9E0A, Model 9E, stepping 0A).\n"
                 "  Page size:                        4096 (0x00001000) bytes.\n"
                 "  Allocation Granularity:           65536 (0x00010000) bytes.\n"
                 "  Mininum App Address (Hex):        00010000.\n"
                 "  Maximum App Address (Hex):        7FFEFFFF.\n"));
}

TEST(PrintSystemInfo, EveryValueStartsInColumn37AndEveryLineEndsWithAStop) {
  for (const auto& line : Lines(Machine())) {
    ASSERT_GT(line.size(), 37u) << line;
    EXPECT_EQ(line.substr(0, 2), "  ") << line;
    const auto colon = line.find(':');
    ASSERT_NE(colon, std::string::npos) << line;
    EXPECT_LT(colon, 36u) << line;
    EXPECT_EQ(line.find_first_not_of(' ', colon + 1), 36u) << line;
    EXPECT_EQ(line.back(), '.') << line;
  }
}

TEST(PrintSystemInfo, ArchitectureNumberHexAndWord) {
  const struct {
    WORD architecture;
    const char* value;
  } cases[] = {
      {0, "0 (0x0000, x86)."},
      {6, "6 (0x0006, ia64)."},
      {9, "9 (0x0009, AMD64)."},
      {5, "5 (0x0005, Not recognized)."},
      {0xFFFF, "65535 (0xFFFF, Unknown)."},
  };
  for (const auto& c : cases) {
    SYSTEM_INFO info = Machine();
    info.wProcessorArchitecture = c.architecture;
    EXPECT_EQ(Value(info, kArchitecture), c.value);
  }
}

TEST(PrintSystemInfo, ActiveCountComesFromTheMaskAlone) {
  const struct {
    DWORD_PTR mask;
    const char* value;
  } cases[] = {
      {0, "0x00000000 (0 active)."},
      {15, "0x0000000F (4 active)."},
      {0x80000001u, "0x80000001 (2 active)."},
      {0xFFFFFFFFu, "0xFFFFFFFF (32 active)."},
  };
  for (const auto& c : cases) {
    SYSTEM_INFO info = Machine();
    info.dwActiveProcessorMask = c.mask;
    info.dwNumberOfProcessors = 2;
    EXPECT_EQ(Value(info, kMask), c.value);
    EXPECT_EQ(Value(info, kCount), "2 (0x00000002).");
  }
}

// In table order a case without detail follows one with detail, so a detail
// that outlived its call would show.
TEST(PrintSystemInfo, TypeNameAndRevisionDetail) {
  const struct {
    DWORD type;
    WORD revision;
    const char* typeValue;
    const char* revisionValue;
  } cases[] = {
      {586, 0x0201, "Pentium (586, 0x0000024A)", "513 (0x0201, Model 02, stepping 01)."},
      {0, 0x0201, "other (0, 0x00000000)", "513 (0x0201)."},
      {486, 0xFF2A, "i486 (486, 0x000001E6)",
       "65322 (0xFF2A, Model 2 (0x02), stepping id 10 (0x0A))."},
      {2200, 0x0201, "Itanium (2200, 0x00000898)", "513 (0x0201)."},
      {386, 0xFFFF, "i386 (386, 0x00000182)",
       "65535 (0xFFFF, Model 15 (0x0F), stepping id 15 (0x0F))."},
      {8664, 0x0201, "AMDx64 (8664, 0x000021D8)", "513 (0x0201)."},
      {386, 0x0005, "i386 (386, 0x00000182)", "5 (0x0005, Stepping A, minor stepping 05)."},
      {386, 0x0305, "i386 (386, 0x00000182)", "773 (0x0305, Stepping D, minor stepping 05)."},
      {486, 0x19F0, "i486 (486, 0x000001E6)", "6640 (0x19F0, Stepping Z, minor stepping F0)."},
      {386, 0x1A05, "i386 (386, 0x00000182)", "6661 (0x1A05, Stepping [, minor stepping 05)."},
      // 0x41 + 0xBE is U+00FF, still one byte; from 0xBF on the sink shows '?'.
      {386, 0xBE05, "i386 (386, 0x00000182)",
       "48645 (0xBE05, Stepping \xFF, minor stepping 05)."},
      {386, 0xBF05, "i386 (386, 0x00000182)", "48901 (0xBF05, Stepping ?, minor stepping 05)."},
      {486, 0xFE00, "i486 (486, 0x000001E6)", "65024 (0xFE00, Stepping ?, minor stepping 00)."},
      {587, 0x0201, "other (587, 0x0000024B)", "513 (0x0201)."},
  };
  for (const auto& c : cases) {
    SYSTEM_INFO info = Machine();
    info.dwProcessorType = c.type;
    info.wProcessorRevision = c.revision;
    SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.revision));
    EXPECT_EQ(Value(info, kType), std::string(c.typeValue) + ".");
    EXPECT_EQ(Value(info, kRevision), c.revisionValue);
  }
}

TEST(PrintSystemInfo, SixteenBitFieldsAndSizesAtTheirLimits) {
  SYSTEM_INFO info = Machine();
  info.wProcessorLevel = 0xFFFF;
  info.dwPageSize = 0xFFFFFFFF;
  info.dwAllocationGranularity = 0;
  info.dwNumberOfProcessors = 0x80000000u;
  EXPECT_EQ(Value(info, kLevel), "65535 (0xFFFF).");
  EXPECT_EQ(Value(info, kPage), "4294967295 (0xFFFFFFFF) bytes.");
  EXPECT_EQ(Value(info, kGranularity), "0 (0x00000000) bytes.");
  EXPECT_EQ(Value(info, kCount), "2147483648 (0x80000000).");
}

TEST(PrintSystemInfo, AddressesAreEightZeroFilledDigits) {
  SYSTEM_INFO info = Machine();
  info.lpMinimumApplicationAddress = 255;
  info.lpMaximumApplicationAddress = 0xFFFEFFFF;
  EXPECT_EQ(Value(info, kMinimum), "000000FF.");
  EXPECT_EQ(Value(info, kMaximum), "FFFEFFFF.");
  info.lpMinimumApplicationAddress = 0;
  EXPECT_EQ(Value(info, kMinimum), "00000000.");
}

}  // namespace
