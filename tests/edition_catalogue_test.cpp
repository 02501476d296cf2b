// The edition catalogue: the report's product-type line, the edition words of
// the summary, and whole runs that end in them.
#include <gtest/gtest.h>

#include "summary/batch_fill.h"
#include "summary/batch_line.h"
#include "summary/edition_catalogue.h"
#include "support/capture.h"

namespace {

std::string Named(const std::string& number, const std::string& hex, const std::string& name) {
  return "  Product type:                     " + number + " (0x" + hex + ", \"" + name +
         "\").\r\n";
}

std::string Unknown(const std::string& number, const std::string& hex) {
  return "  Unknown product type:             " + number + " (0x" + hex + ").\r\n";
}

TEST(PrintProductType, NamedBelowTheLastRowUnknownFromItOn) {
  const struct {
    DWORD productType;
    std::string line;
  } cases[] = {
      {0, Named("0", "00000000", "Unknown (0)")},
      {0x30, Named("48", "00000030", "Professional")},
      {103, Named("103", "00000067", "Professional with Media Center")},
      // The last row exists for the summary, but the report calls it unknown.
      {104, Unknown("104", "00000068")},
      {105, Unknown("105", "00000069")},
      {0x7FFFFFFF, Unknown("2147483647", "7FFFFFFF")},
      {0xFFFFFFFF, Unknown("4294967295", "FFFFFFFF")},
      // Names that differ from what their neighbours suggest.
      {0x0E, Named("14", "0000000E", "Enterprise Server")},
      {0x1C, Named("28", "0000001C", "Ultimeate N")},
      {0x3D, Named("61", "0000003D", "Essential Business Server Mgmt Svc")},
      {0x3E, Named("62", "0000003E", "Essential Business Server Mgmt Svc")},
      {0x53, Named("83", "00000053", "Undefined (0x54)")},
      {0x63, Named("99", "00000063", "Windows 8 (Core, country specfic)")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CapturedOutput([&] { PrintProductType(c.productType); }), c.line)
        << c.productType;
  }
}

// A server's summary before the product type arrives: every field set, so
// that a write to the wrong one shows in the line.
void FillServerRecord(BatchData& data) {
  OSVERSIONINFOEXW record{};
  record.dwOSVersionInfoSize = 284;
  record.dwMajorVersion = 6;
  record.dwMinorVersion = 1;
  record.dwBuildNumber = 7601;
  record.wServicePackMajor = 1;
  record.wServicePackMinor = 2;
  record.wProductType = 3;
  ApplyVersionRecord(data, record);
  SYSTEM_INFO info{};
  info.wProcessorArchitecture = 9;
  ApplyArchitecture(data, info);
}

TEST(ApplyProductType, SetsTheRowsWordsAndPurposeOnlyForHomeServers) {
  const struct {
    DWORD productType;
    const char* purpose;
    const char* editionWords;
  } cases[] = {
      {0, "SVR", "UNK UNK UNK"},
      {0x07, "SVR", "SVR_STD _ F"},
      {103, "SVR", "PMC _ F"},
      {104, "SVR", "UNDEF UNK UNK"},
      {105, "SVR", "UNDEF UNK UNK"},
      {0xFFFFFFFF, "SVR", "UNDEF UNK UNK"},
      {0x12, "SVR", "SVR_CLS _ F"},
      {0x13, "WHS", "WHS _ F"},
      {0x14, "SVR", "SVR_STG_X _ F"},
      {0x21, "SVR", "SVR_FND _ F"},
      {0x22, "WHS", "WHS _ F"},
      {0x23, "SVR", "SVR_WESS _ F"},
      // Words that break the pattern of their neighbours.
      {0x0D, "SVR", "UNK _ C"},
      {0x11, "SVR", "SRV_WS _ F"},
      {0x29, "SVR", "SVR_STD _ C"},
      {0x3B, "SVR", "SVR_EBS_MGMT N F"},
      {0x3D, "SVR", "SVR_EBS_MGMT_SVC N F"},
      {0x3E, "SVR", "SVR_EBS_MGMT_SVC N F"},
      {0x40, "SVR", "SVR_HCV N F"},
      {0x41, "SVR", "UNDEF UNK UNK"},
  };
  for (const auto& c : cases) {
    BatchData data;
    FillServerRecord(data);
    ApplyProductType(data, c.productType);
    EXPECT_EQ(CapturedOutput([&] { PrintBatchLine(data); }),
              std::string(c.purpose) + " AMD64 NT 6 1 7601 SP 1 2 " + c.editionWords + "\r\n")
        << std::hex << c.productType;
  }
}

TEST(EditionCatalogue, EveryRowHasFourNonEmptyWords) {
  for (DWORD row = 0; row < kEditionRows; ++row) {
    const EditionEntry& e = EditionCatalogue[row];
    for (const Char* word : {e.name, e.detp, e.nat, e.ins}) {
      ASSERT_NE(word, nullptr) << row;
      EXPECT_NE(word[0], 0) << row;
    }
  }
}

// ---- Whole runs ----

// Version 6.1 build 200 with service pack 1.0 in both records.
StandInScenario Windows7(BYTE productType, DWORD editionNumber) {
  StandInScenario s = TypicalScenario();
  s.packedVersion = 0x00C80106;
  for (OSVERSIONINFOEXW* r : {&s.versionEx, &s.rtlVersion}) {
    r->dwMajorVersion = 6;
    r->dwMinorVersion = 1;
    r->dwBuildNumber = 200;
    r->wServicePackMajor = 1;
    r->wServicePackMinor = 0;
    r->wProductType = productType;
  }
  s.productType = editionNumber;
  return s;
}

StandInScenario Emulated(StandInScenario s) {
  s.wow64Flag = TRUE;
  s.nativeSystemInfo.wProcessorArchitecture = 9;
  return s;
}

TEST(ProductTypeRuns, SummaryLinesCarryTheEditionWords) {
  const struct {
    const char* name;
    StandInScenario scenario;
    std::string line;
  } cases[] = {
      {"professional under emulation", Emulated(Windows7(1, 0x30)),
       "WKS AMD64 NT 6 1 200 SP 1 0 PRO _ F\r\n"},
      {"standard server keeps the record's purpose", Windows7(3, 0x07),
       "SVR x86 NT 6 1 200 SP 1 0 SVR_STD _ F\r\n"},
      {"home server over a workstation record", Windows7(1, 0x22),
       "WHS x86 NT 6 1 200 SP 1 0 WHS _ F\r\n"},
      {"home server over a server record", Windows7(3, 0x13),
       "WHS x86 NT 6 1 200 SP 1 0 WHS _ F\r\n"},
      {"number beyond the catalogue", Windows7(1, 0xFFFFFFFF),
       "WKS x86 NT 6 1 200 SP 1 0 UNDEF UNK UNK\r\n"},
      {"number zero", Windows7(2, 0), "SDC x86 NT 6 1 200 SP 1 0 UNK UNK UNK\r\n"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunProgramWith(c.scenario, {u"oskavel", u"/BATCH"});
    EXPECT_EQ(run.status, 0) << c.name;
    EXPECT_EQ(run.output, c.line) << c.name;
  }
}

TEST(ProductTypeRuns, ReportShowsTheLineUnderItsHeader) {
  const struct {
    DWORD editionNumber;
    std::string line;
  } cases[] = {
      {0x30, Named("48", "00000030", "Professional")},
      {104, Unknown("104", "00000068")},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunProgramWith(Windows7(1, c.editionNumber), {u"oskavel"});
    EXPECT_EQ(run.status, 0);
    const std::string section = Crlf("\n\nGetProductType() ...\n\n") + c.line +
                                Crlf("\n\nGetSystemInfo() ...\n\n");
    EXPECT_NE(run.output.find(section), std::string::npos) << run.output;
  }
}

}  // namespace
