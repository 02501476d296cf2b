// The summary record, its fill operations and the line.
#include <gtest/gtest.h>

#include "summary/architecture_word.h"
#include "summary/batch_fill.h"
#include "summary/batch_line.h"
#include "support/capture.h"

namespace {

std::string Line(const BatchData& data) {
  return CapturedOutput([&] { PrintBatchLine(data); });
}

TEST(BatchData, DefaultsPrintTheTwelveDefaultWords) {
  const BatchData data;
  EXPECT_EQ(Line(data), "WKS x86 NT 0 0 0 SP 0 0 WKS _ F\r\n");
}

TEST(ArchitectureWord, EachKnownNumberAndEveryOther) {
  const struct {
    WORD architecture;
    std::u16string word;
  } cases[] = {{0, u"x86"},          {6, u"ia64"},           {9, u"AMD64"},
               {0xFFFF, u"Unknown"}, {5, u"Not recognized"}, {12, u"Not recognized"},
               {1, u"Not recognized"}, {0xFFFE, u"Not recognized"}};
  for (const auto& c : cases) {
    EXPECT_EQ(std::u16string(ArchitectureWord(c.architecture)), c.word) << c.architecture;
  }
}

TEST(ApplyPackedVersion, LowBytesAndBuildUnlessBit31IsSet) {
  const struct {
    DWORD packed;
    DWORD vM, vm, bld;
  } cases[] = {
      {0x23F00206, 6, 2, 9200},
      {0x0A280105, 5, 1, 2600},
      {0x7FFFFFFF, 0xFF, 0xFF, 0x7FFF},
      {0x80000A04, 4, 10, 0},
      {0xFFFFFFFF, 0xFF, 0xFF, 0},
      {0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    BatchData data;
    ApplyPackedVersion(data, c.packed);
    EXPECT_EQ(data.vM, c.vM) << std::hex << c.packed;
    EXPECT_EQ(data.vm, c.vm) << std::hex << c.packed;
    EXPECT_EQ(data.bld, c.bld) << std::hex << c.packed;
    EXPECT_EQ(Line(data).substr(Line(data).find(" SP ")), " SP 0 0 WKS _ F\r\n");
  }
}

OSVERSIONINFOEXW Record(DWORD size, BYTE productType) {
  OSVERSIONINFOEXW record{};
  record.dwOSVersionInfoSize = size;
  record.dwMajorVersion = 10;
  record.dwMinorVersion = 0;
  record.dwBuildNumber = 0xFFFFFFFF;
  record.dwPlatformId = 0xFFFFFFFF;  // plays no part in the summary
  record.wServicePackMajor = 65535;
  record.wServicePackMinor = 7;
  record.wProductType = productType;
  return record;
}

TEST(ApplyVersionRecord, PurposeFromProductTypeAndWholeNumbers) {
  const struct {
    BYTE productType;
    const char* purpose;
  } cases[] = {{0, "UNK"}, {1, "WKS"}, {2, "SDC"}, {3, "SVR"}, {4, "UNK"}, {255, "UNK"}};
  for (const auto& c : cases) {
    BatchData data;
    ApplyVersionRecord(data, Record(284, c.productType));
    const std::string p = c.purpose;
    EXPECT_EQ(Line(data), p + " x86 NT 10 0 4294967295 SP 65535 7 " + p + " _ F\r\n");
  }
}

TEST(ApplyVersionRecord, ASmallerRecordSetsOnlyTheVersionNumbers) {
  for (DWORD size : {0u, 276u, 283u, 285u}) {
    BatchData data;
    ApplyVersionRecord(data, Record(284, 3));
    OSVERSIONINFOEXW small = Record(size, 1);
    small.dwMajorVersion = 5;
    small.dwMinorVersion = 1;
    small.dwBuildNumber = 2600;
    small.wServicePackMajor = 2;
    ApplyVersionRecord(data, small);
    EXPECT_EQ(Line(data), "SVR x86 NT 5 1 2600 SP 65535 7 SVR _ F\r\n") << size;
  }
}

TEST(ApplyArchitecture, LaterViewReplacesEarlier) {
  BatchData data;
  SYSTEM_INFO process{};
  SYSTEM_INFO native{};
  native.wProcessorArchitecture = 9;
  ApplyArchitecture(data, process);
  EXPECT_EQ(std::u16string(data.aaa), u"x86");
  ApplyArchitecture(data, native);
  EXPECT_EQ(std::u16string(data.aaa), u"AMD64");
}

TEST(PrintBatchLine, UnrecognisedArchitectureMakesThirteenWords) {
  BatchData data;
  SYSTEM_INFO info{};
  info.wProcessorArchitecture = 5;
  ApplyArchitecture(data, info);
  EXPECT_EQ(Line(data), "WKS Not recognized NT 0 0 0 SP 0 0 WKS _ F\r\n");
}

}  // namespace
