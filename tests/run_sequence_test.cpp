// The run sequence: every course with its exact bytes and exit status, the
// six stopping conditions, and the conditions that do not stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "report/system_info_report.h"
#include "report/version_record_report.h"
#include "summary/edition_catalogue.h"
#include "support/capture.h"

namespace {

const std::string kVersionLine = Crlf(
    "\n\nGetVersion() ...\n\n   Windows Version:                 6.2.9200\n\n");

// The report pieces that the printers own, so that these tests follow the
// sequence and not the printers' wording.
std::string VersionBlock(const OSVERSIONINFOEXW& record) {
  return CapturedOutput([&] { PrintVersionRecord(record); });
}
std::string ProductBlock(DWORD type) {
  return CapturedOutput([&] { PrintProductType(type); });
}
std::string SystemBlock(const SYSTEM_INFO& info) {
  return CapturedOutput([&] { PrintSystemInfo(info); });
}

std::string ExtendedSection(const StandInScenario& s) {
  return Crlf("\n\nGetVersionEx() ...\n\n") + VersionBlock(s.versionEx);
}
std::string KernelSection(const StandInScenario& s) {
  return Crlf("\nRtlGetVersion() ...\n\n") + VersionBlock(s.rtlVersion);
}
std::string ProductSection(const StandInScenario& s) {
  return Crlf("\n\nGetProductType() ...\n\n") + ProductBlock(s.productType);
}
std::string SystemSection(const StandInScenario& s) {
  return Crlf("\n\nGetSystemInfo() ...\n\n") + SystemBlock(s.systemInfo);
}
std::string NativeSection(const StandInScenario& s) {
  return Crlf("\n\nGetNativeSystemInfo() ...\n\n") + SystemBlock(s.nativeSystemInfo);
}

StandInScenario Emulated() {
  StandInScenario s = TypicalScenario();
  s.wow64Flag = TRUE;
  s.nativeSystemInfo.wProcessorArchitecture = 9;
  s.nativeSystemInfo.dwProcessorType = 8664;
  s.nativeSystemInfo.lpMaximumApplicationAddress = 0xFFFEFFFF;
  return s;
}

// A pre-Vista system: no product-type query, no edition words.
StandInScenario WindowsXp() {
  StandInScenario s = TypicalScenario();
  s.packedVersion = 0x0A280105;  // 5.1.2600
  for (OSVERSIONINFOEXW* r : {&s.versionEx, &s.rtlVersion}) {
    r->dwMajorVersion = 5;
    r->dwMinorVersion = 1;
    r->dwBuildNumber = 2600;
    r->wServicePackMajor = 3;
  }
  return s;
}

ProgramRun Report(const StandInScenario& s) { return RunProgramWith(s, {u"oskavel"}); }
ProgramRun Summary(const StandInScenario& s) {
  return RunProgramWith(s, {u"oskavel", u"/batch"});
}

TEST(RunSequence, ReportWithoutEmulationEndsWithTheProcessView) {
  const StandInScenario s = TypicalScenario();
  const ProgramRun run = Report(s);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kVersionLine + ExtendedSection(s) + KernelSection(s) +
                            ProductSection(s) + SystemSection(s));
}

TEST(RunSequence, ReportUnderEmulationEndsWithTheNativeView) {
  const StandInScenario s = Emulated();
  const ProgramRun run = Report(s);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kVersionLine + ExtendedSection(s) + KernelSection(s) +
                            ProductSection(s) + SystemSection(s) + NativeSection(s));
}

TEST(RunSequence, QueriesRunInTheirFixedOrder) {
  const ProgramRun run = Report(Emulated());
  const std::vector<std::string> expected = {
      "GetVersion",     "GetVersionExW", "RtlGetVersion",       "GetProductInfo",
      "GetSystemInfo",  "IsWow64Process", "GetNativeSystemInfo"};
  EXPECT_EQ(QueryCalls(run.calls), expected);
  EXPECT_EQ(run.calls[0], "GetModuleHandleW(ntdll.dll)");
  EXPECT_EQ(run.calls[1], "GetModuleHandleW(kernel32.dll)");
  const std::vector<std::string> lookups(run.calls.begin() + 2, run.calls.begin() + 9);
  const std::vector<std::string> expectedLookups = {
      "GetProcAddress(RtlGetVersion)",  "GetProcAddress(GetVersionExW)",
      "GetProcAddress(GetProductInfo)", "GetProcAddress(GetVersion)",
      "GetProcAddress(GetSystemInfo)",  "GetProcAddress(GetNativeSystemInfo)",
      "GetProcAddress(IsWow64Process)"};
  EXPECT_EQ(lookups, expectedLookups);
}

TEST(RunSequence, PreVistaSummaryAndReport) {
  StandInScenario s = WindowsXp();
  s.versionEx.dwMinorVersion = s.rtlVersion.dwMinorVersion = 2;
  s.versionEx.dwBuildNumber = s.rtlVersion.dwBuildNumber = 100;
  s.versionEx.wServicePackMajor = s.rtlVersion.wServicePackMajor = 2;
  s.versionEx.wProductType = s.rtlVersion.wProductType = 3;
  const ProgramRun summary = Summary(s);
  EXPECT_EQ(summary.status, 0);
  EXPECT_EQ(summary.output, Crlf("SVR x86 NT 5 2 100 SP 2 0 SVR _ F\n"));

  const ProgramRun report = Report(s);
  EXPECT_EQ(report.output,
            Crlf("\n\nGetVersion() ...\n\n   Windows Version:                 5.1.2600\n\n") +
                ExtendedSection(s) + KernelSection(s) +
                Crlf("\n\nGetProductType() ...\n\n  Not defined on Windows earlier than Vista.\n") +
                SystemSection(s));
  for (const ProgramRun* run : {&summary, &report}) {
    const auto& calls = run->calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetProductInfo"), 0);
  }
}

// ---- The six stopping conditions ----

struct Stop {
  const char* name;
  std::function<void(StandInScenario&)> arrange;
  std::string message;
  // What report mode prints before the message.
  std::function<std::string(const StandInScenario&)> reportPrefix;
  const char* failingCall;  // GetLastError must come right after it
};

const Stop kStops[] = {
    {"ntdll missing", [](StandInScenario& s) { s.ntdllPresent = false; },
     "Windows NTDLL library is not present - error 126, 0x0000007E.\n",
     [](const StandInScenario&) { return std::string(); }, "GetModuleHandleW(ntdll.dll)"},
    {"GetVersion missing", [](StandInScenario& s) { s.present[kGetVersion] = false; },
     "\n\nGetVersion() ...\n\n  ... Unavailable.\n",
     [](const StandInScenario&) { return std::string(); }, nullptr},
    {"GetVersionExW fails",
     [](StandInScenario& s) {
       s.versionExResult = FALSE;
       s.versionExError = 87;
     },
     "  Windows GetVersionEx() failed - Error 87, 0x00000057.\n",
     [](const StandInScenario&) { return kVersionLine + Crlf("\n\nGetVersionEx() ...\n\n"); },
     "GetVersionExW"},
    {"RtlGetVersion fails", [](StandInScenario& s) { s.rtlStatus = static_cast<LONG>(0xC0000001); },
     "  Failed to get the internal version with RtlGetVersion.  Error 3221225473 "
     "(0xC0000001) returned.\n",
     [](const StandInScenario& s) {
       return kVersionLine + ExtendedSection(s) + Crlf("\nRtlGetVersion() ...\n\n");
     },
     nullptr},
    // Any status but 0 fails, not only the error statuses with the top bit set.
    {"RtlGetVersion answers a status that is no error",
     [](StandInScenario& s) { s.rtlStatus = 0x40000000; },
     "  Failed to get the internal version with RtlGetVersion.  Error 1073741824 "
     "(0x40000000) returned.\n",
     [](const StandInScenario& s) {
       return kVersionLine + ExtendedSection(s) + Crlf("\nRtlGetVersion() ...\n\n");
     },
     nullptr},
    {"GetProductInfo missing on 10.0",
     [](StandInScenario& s) { s.present[kGetProductInfo] = false; },
     "\n\nGetProductType() ...\n\n   ... expected, but not found in kernel32.dll.\n",
     [](const StandInScenario& s) {
       return kVersionLine + ExtendedSection(s) + KernelSection(s);
     },
     nullptr},
    {"GetProductInfo fails",
     [](StandInScenario& s) {
       s.productInfoResult = FALSE;
       s.productInfoError = 0xFFFFFFFF;
     },
     "\n  Failed to obtain the product type - GetProductInfo error 4294967295 (0xFFFFFFFF).\n",
     [](const StandInScenario& s) {
       return kVersionLine + ExtendedSection(s) + KernelSection(s) +
              Crlf("\n\nGetProductType() ...\n\n");
     },
     "GetProductInfo"},
};

TEST(RunSequence, EachStopPrintsOnlyItsMessageAndEndsWithStatusOne) {
  for (const Stop& stop : kStops) {
    StandInScenario s = Emulated();
    stop.arrange(s);
    const ProgramRun summary = Summary(s);
    EXPECT_EQ(summary.status, 1) << stop.name;
    EXPECT_EQ(summary.output, Crlf(stop.message)) << stop.name;

    const ProgramRun report = Report(s);
    EXPECT_EQ(report.status, 1) << stop.name;
    EXPECT_EQ(report.output, stop.reportPrefix(s) + Crlf(stop.message)) << stop.name;

    if (stop.failingCall != nullptr) {
      for (const ProgramRun* run : {&summary, &report}) {
        const auto& calls = run->calls;
        const auto failed = std::find(calls.begin(), calls.end(), stop.failingCall);
        ASSERT_NE(failed, calls.end()) << stop.name;
        ASSERT_NE(failed + 1, calls.end()) << stop.name;
        EXPECT_EQ(*(failed + 1), "GetLastError") << stop.name;
        EXPECT_EQ(failed + 2, calls.end()) << stop.name << ": nothing after the message";
      }
    }
  }
}

// ---- Conditions that do not stop ----

TEST(RunSequence, MissingExtendedQueryIsSkippedAndTheKernelRecordStands) {
  StandInScenario s = TypicalScenario();
  s.present[kGetVersionExW] = false;
  const ProgramRun report = Report(s);
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(report.output, kVersionLine +
                               Crlf("\n\nGetVersionEx() ...\n\n  ... Unavailable.\n") +
                               KernelSection(s) + ProductSection(s) + SystemSection(s));
  const ProgramRun summary = Summary(s);
  EXPECT_EQ(summary.status, 0);
  EXPECT_EQ(summary.output.substr(0, 24), "WKS x86 NT 10 0 19045 SP");
}

TEST(RunSequence, MissingKernelQueryHasNoHeaderAndProductTypeFollowsExtendedRecord) {
  StandInScenario s = TypicalScenario();
  s.present[kRtlGetVersion] = false;
  s.versionEx.wServicePackMajor = 1;
  const ProgramRun report = Report(s);
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(report.output, kVersionLine + ExtendedSection(s) +
                               Crlf("  Native call RtlGetVersion() unavailable.\n") +
                               ProductSection(s) + SystemSection(s));
  const ProductInfoQuery& asked = LastProductInfoQuery();
  EXPECT_EQ(asked.major, 6u);
  EXPECT_EQ(asked.minor, 2u);
  EXPECT_EQ(asked.servicePackMajor, 1u);
}

TEST(RunSequence, ProductTypeFollowsTheKernelRecordWhenItIsHigher) {
  StandInScenario s = TypicalScenario();
  s.rtlVersion.wServicePackMajor = 3;
  s.rtlVersion.wServicePackMinor = 4;
  Summary(s);
  const ProductInfoQuery& asked = LastProductInfoQuery();
  EXPECT_EQ(asked.major, 10u);
  EXPECT_EQ(asked.minor, 0u);
  EXPECT_EQ(asked.servicePackMajor, 3u);
  EXPECT_EQ(asked.servicePackMinor, 4u);
}

TEST(RunSequence, WithNeitherVersionQueryTheRecordReadsAsZeroNotGarbage) {
  StandInScenario s = TypicalScenario();
  s.present[kGetVersionExW] = false;
  s.present[kRtlGetVersion] = false;
  const ProgramRun summary = Summary(s);
  EXPECT_EQ(summary.status, 0);
  EXPECT_EQ(summary.output, Crlf("WKS x86 NT 6 2 9200 SP 0 0 WKS _ F\n"));
  const ProgramRun report = Report(s);
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(report.output,
            kVersionLine + Crlf("\n\nGetVersionEx() ...\n\n  ... Unavailable.\n"
                                "  Native call RtlGetVersion() unavailable.\n"
                                "\n\nGetProductType() ...\n\n  Not defined on Windows earlier than Vista.\n") +
                SystemSection(s));
  for (const ProgramRun* run : {&summary, &report}) {
    EXPECT_EQ(std::count(run->calls.begin(), run->calls.end(), "GetProductInfo"), 0);
  }
}

TEST(RunSequence, MissingSystemInfoKeepsTheDefaultArchitectureUnlessEmulationSetsIt) {
  StandInScenario s = TypicalScenario();
  s.present[kGetSystemInfo] = false;
  s.systemInfo.wProcessorArchitecture = 9;  // never read
  const ProgramRun report = Report(s);
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(report.output, kVersionLine + ExtendedSection(s) + KernelSection(s) +
                               ProductSection(s) +
                               Crlf("\n\nGetSystemInfo() ...\n\n  ... call not found.\n"));
  EXPECT_EQ(Summary(s).output.substr(0, 8), "WKS x86 ");

  StandInScenario emulated = Emulated();
  emulated.present[kGetSystemInfo] = false;
  EXPECT_EQ(Summary(emulated).output.substr(0, 10), "WKS AMD64 ");
}

TEST(RunSequence, NativeViewOnlyWhenEmulationIsReported) {
  struct Case {
    const char* name;
    std::function<void(StandInScenario&)> arrange;
  };
  const Case cases[] = {
      {"IsWow64Process missing", [](StandInScenario& s) { s.present[kIsWow64Process] = false; }},
      {"GetNativeSystemInfo missing",
       [](StandInScenario& s) { s.present[kGetNativeSystemInfo] = false; }},
      {"IsWow64Process fails",
       [](StandInScenario& s) {
         s.wow64Result = FALSE;
         s.wow64Error = 5;
       }},
      {"not emulated", [](StandInScenario& s) { s.wow64Flag = FALSE; }},
  };
  for (const Case& c : cases) {
    StandInScenario s = Emulated();
    c.arrange(s);
    const ProgramRun report = Report(s);
    EXPECT_EQ(report.status, 0) << c.name;
    EXPECT_EQ(report.output, kVersionLine + ExtendedSection(s) + KernelSection(s) +
                                 ProductSection(s) + SystemSection(s))
        << c.name;
    const ProgramRun summary = Summary(s);
    EXPECT_EQ(summary.output.substr(0, 8), "WKS x86 ") << c.name;
    EXPECT_EQ(std::count(summary.calls.begin(), summary.calls.end(), "GetNativeSystemInfo"), 0)
        << c.name;
  }
  const ProgramRun emulated = Summary(Emulated());
  EXPECT_EQ(emulated.output.substr(0, 10), "WKS AMD64 ");
}

// ---- The summary line, word by word ----

// Windows NT 4.0 SP6 server, which has the extended record but neither the
// kernel query nor any of the later functions.
StandInScenario WindowsNt4Server() {
  StandInScenario s = TypicalScenario();
  s.packedVersion = 0x05650004;  // 4.0.1381
  s.versionEx.dwMajorVersion = 4;
  s.versionEx.dwMinorVersion = 0;
  s.versionEx.dwBuildNumber = 1381;
  s.versionEx.wServicePackMajor = 6;
  s.versionEx.wProductType = 3;
  for (EntryPointIndex later : {kRtlGetVersion, kGetProductInfo, kGetNativeSystemInfo,
                                kIsWow64Process}) {
    s.present[later] = false;
  }
  return s;
}

// A 64-bit process on 64-bit Windows: its own view is the machine's.
StandInScenario SixtyFourBitProcess() {
  StandInScenario s = TypicalScenario();
  s.systemInfo.wProcessorArchitecture = 9;
  s.systemInfo.dwProcessorType = 8664;
  s.nativeSystemInfo = s.systemInfo;
  return s;
}

TEST(RunSequence, SummaryLineTakesEachWordFromTheLastQueryThatAnswers) {
  const struct {
    const char* name;
    StandInScenario scenario;
    const char* line;
  } cases[] = {
      {"kernel record's numbers, edition from the product type", TypicalScenario(),
       "WKS x86 NT 10 0 19045 SP 0 0 PRO _ F\n"},
      {"no kernel query: the extended record's purpose, numbers and service pack",
       WindowsNt4Server(), "SVR x86 NT 4 0 1381 SP 6 0 SVR _ F\n"},
      {"a 64-bit process: its own view's architecture", SixtyFourBitProcess(),
       "WKS AMD64 NT 10 0 19045 SP 0 0 PRO _ F\n"},
      {"a 32-bit process under emulation: the native view's architecture", Emulated(),
       "WKS AMD64 NT 10 0 19045 SP 0 0 PRO _ F\n"},
      {"kernel record left at another size: its numbers only",
       [] {
         StandInScenario s = TypicalScenario();
         s.versionEx.wServicePackMajor = 2;
         s.rtlVersion.dwOSVersionInfoSize = 276;
         s.rtlVersion.wServicePackMajor = 5;
         s.rtlVersion.wProductType = 3;
         return s;
       }(),
       "WKS x86 NT 10 0 19045 SP 2 0 PRO _ F\n"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = Summary(c.scenario);
    EXPECT_EQ(run.status, 0) << c.name;
    EXPECT_EQ(run.output, Crlf(c.line)) << c.name;
  }
}

// ---- What each query is handed ----

std::string FirstDifference(const OSVERSIONINFOEXW& got, const OSVERSIONINFOEXW& expected) {
  const auto* a = reinterpret_cast<const unsigned char*>(&got);
  const auto* b = reinterpret_cast<const unsigned char*>(&expected);
  for (std::size_t i = 0; i < sizeof got; ++i) {
    if (a[i] != b[i]) {
      return "byte " + std::to_string(i) + " is " + std::to_string(a[i]) + ", not " +
             std::to_string(b[i]);
    }
  }
  return "";
}

TEST(RunSequence, EachQueryIsHandedAFreshlyPreparedArgument) {
  OSVERSIONINFOEXW cleared;
  std::memset(&cleared, 0, sizeof cleared);
  cleared.dwOSVersionInfoSize = 284;
  for (const auto& [mode, run] : {std::pair<const char*, ProgramRun (*)(const StandInScenario&)>{
                                      "report", Report},
                                  {"summary", Summary}}) {
    const ProgramRun done = run(Emulated());
    ASSERT_EQ(done.status, 0) << mode;
    // The version record is cleared and given its full size before each
    // query: nothing of the first answer may reach the second query.
    const std::vector<VersionQuery>& records = VersionQueries();
    ASSERT_EQ(records.size(), 2u) << mode;
    EXPECT_EQ(records[0].function, kGetVersionExW) << mode;
    EXPECT_EQ(records[1].function, kRtlGetVersion) << mode;
    for (const VersionQuery& query : records) {
      EXPECT_EQ(query.record.dwOSVersionInfoSize, 284u) << mode;
      EXPECT_EQ(FirstDifference(query.record, cleared), "")
          << mode << ", " << kEntryPointNames[query.function];
    }
    const ProductInfoQuery& product = LastProductInfoQuery();
    EXPECT_TRUE(product.typeGiven) << mode;
    EXPECT_EQ(product.typeHanded, 0u) << mode;
    const Wow64Query& wow64 = LastWow64Query();
    EXPECT_TRUE(wow64.currentProcess) << mode;
    EXPECT_TRUE(wow64.flagGiven) << mode;
    EXPECT_EQ(wow64.flagHanded, 0) << mode;
  }
}

TEST(RunSequence, PackedVersionWithTopBitSetShowsBuildZero) {
  StandInScenario s = WindowsXp();
  s.packedVersion = 0xC0000A04;  // Windows 98: 4.10, bit 31 set
  s.present[kGetVersionExW] = false;
  s.present[kRtlGetVersion] = false;
  const ProgramRun report = Report(s);
  EXPECT_EQ(report.output.substr(0, kVersionLine.size() - 6),
            Crlf("\n\nGetVersion() ...\n\n   Windows Version:                 4.10.0"));
  EXPECT_EQ(Summary(s).output, Crlf("WKS x86 NT 4 10 0 SP 0 0 WKS _ F\n"));
}

TEST(RunSequence, SummaryWritesExactlyOneLine) {
  for (const StandInScenario& s : {TypicalScenario(), Emulated(), WindowsXp()}) {
    const ProgramRun run = Summary(s);
    EXPECT_EQ(run.status, 0);
    ASSERT_GE(run.output.size(), 2u);
    EXPECT_EQ(run.output.find("\r\n"), run.output.size() - 2) << run.output;
  }
}

}  // namespace
