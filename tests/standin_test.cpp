// The stand-in refuses and writes what the platform does, judged by what the
// caller hands it, so that a host test sees a record handed over without its
// size, or a handle or pointer the platform would turn away.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>

#include "platform/entry_points.h"
#include "platform/host/standin.h"

namespace {

EntryPoints Functions() {
  return LookUpEntryPoints(GetModuleHandleW(u"ntdll.dll"),
                           GetModuleHandleW(u"kernel32.dll"));
}

// A caller's record: every byte marked, so that any byte the platform
// writes shows, then the size the caller claims.
OSVERSIONINFOEXW Handed(DWORD size) {
  OSVERSIONINFOEXW record;
  std::memset(&record, 0xAB, sizeof record);
  record.dwOSVersionInfoSize = size;
  return record;
}

// An answer whose every field differs from the marked bytes.
OSVERSIONINFOEXW Answer() {
  OSVERSIONINFOEXW answer = TypicalScenario().versionEx;
  const char16_t csd[] = u"Service Pack 2";
  std::memcpy(answer.szCSDVersion, csd, sizeof csd);
  answer.wServicePackMajor = 2;
  answer.wServicePackMinor = 1;
  answer.wReserved = 0;
  return answer;
}

enum class Fill { Nothing, Base, Whole };

// The handed record after a platform that wrote `fill` of the answer.
OSVERSIONINFOEXW AfterFill(const OSVERSIONINFOEXW& handed, const OSVERSIONINFOEXW& answer,
                           Fill fill) {
  if (fill == Fill::Whole) return answer;
  OSVERSIONINFOEXW record = handed;
  if (fill == Fill::Base) {
    // Everything from the major version to the end of szCSDVersion.
    const std::size_t begin = offsetof(OSVERSIONINFOEXW, dwMajorVersion);
    const std::size_t end = offsetof(OSVERSIONINFOEXW, wServicePackMajor);
    std::memcpy(reinterpret_cast<char*>(&record) + begin,
                reinterpret_cast<const char*>(&answer) + begin, end - begin);
  }
  return record;
}

bool SameBytes(const OSVERSIONINFOEXW& a, const OSVERSIONINFOEXW& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(StandIn, VersionQueriesGoByTheSizeTheyAreHanded) {
  const struct {
    DWORD size;
    Fill versionEx;  // Nothing: refused with ERROR_INSUFFICIENT_BUFFER
    Fill kernel;
  } cases[] = {
      {0, Fill::Nothing, Fill::Base},     {275, Fill::Nothing, Fill::Base},
      {276, Fill::Base, Fill::Base},      {277, Fill::Nothing, Fill::Base},
      {283, Fill::Nothing, Fill::Base},   {284, Fill::Whole, Fill::Whole},
      {285, Fill::Nothing, Fill::Base},   {0xFFFFFFFF, Fill::Nothing, Fill::Base},
  };
  StandInScenario s = TypicalScenario();
  s.versionEx = s.rtlVersion = Answer();
  for (const auto& c : cases) {
    SetStandIn(s);
    const EntryPoints entry = Functions();

    OSVERSIONINFOEXW record = Handed(c.size);
    const BOOL accepted = entry.GetVersionExW(&record);
    EXPECT_EQ(accepted != FALSE, c.versionEx != Fill::Nothing) << c.size;
    if (!accepted) {
      EXPECT_EQ(GetLastError(), 122u) << c.size;
    }
    EXPECT_TRUE(SameBytes(record, AfterFill(Handed(c.size), s.versionEx, c.versionEx)))
        << "GetVersionExW, size " << c.size;

    record = Handed(c.size);
    EXPECT_EQ(entry.RtlGetVersion(&record), 0) << c.size;
    EXPECT_TRUE(SameBytes(record, AfterFill(Handed(c.size), s.rtlVersion, c.kernel)))
        << "RtlGetVersion, size " << c.size;

    const std::vector<VersionQuery>& handed = VersionQueries();
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_EQ(handed[0].function, kGetVersionExW);
    EXPECT_EQ(handed[1].function, kRtlGetVersion);
    for (const VersionQuery& query : handed) {
      EXPECT_TRUE(SameBytes(query.record, Handed(c.size))) << "as handed, size " << c.size;
    }
  }
}

TEST(StandIn, ScriptedFailureOfTheExtendedQueryComesAfterTheSizeCheck) {
  StandInScenario s = TypicalScenario();
  s.versionExResult = FALSE;
  s.versionExError = 5;
  for (const auto& [size, error] : {std::pair<DWORD, DWORD>{284, 5}, {276, 5}, {0, 122}}) {
    SetStandIn(s);
    OSVERSIONINFOEXW record = Handed(size);
    EXPECT_FALSE(Functions().GetVersionExW(&record)) << size;
    EXPECT_EQ(GetLastError(), error) << size;
    EXPECT_TRUE(SameBytes(record, Handed(size))) << size;
  }
}

TEST(StandIn, ProductInfoAndEmulationQueriesRefuseWhatThePlatformRefuses) {
  const struct {
    const char* name;
    std::function<BOOL(const EntryPoints&, DWORD&)> call;  // DWORD: a flag or number
    BOOL result;
    DWORD error;  // GetLastError afterwards when the call fails
    DWORD written;
  } cases[] = {
      {"GetProductInfo with somewhere to write",
       [](const EntryPoints& e, DWORD& out) { return e.GetProductInfo(10, 0, 0, 0, &out); },
       TRUE, 0, 0x30},
      {"GetProductInfo without",
       [](const EntryPoints& e, DWORD&) { return e.GetProductInfo(10, 0, 0, 0, nullptr); },
       FALSE, 87, 0xCCCC},
      {"IsWow64Process on the current process",
       [](const EntryPoints& e, DWORD& out) {
         BOOL flag = static_cast<BOOL>(out);
         const BOOL result = e.IsWow64Process(GetCurrentProcess(), &flag);
         out = static_cast<DWORD>(flag);
         return result;
       },
       TRUE, 0, 1},
      {"IsWow64Process on another handle",
       [](const EntryPoints& e, DWORD& out) {
         BOOL flag = static_cast<BOOL>(out);
         char other;
         const BOOL result = e.IsWow64Process(&other, &flag);
         out = static_cast<DWORD>(flag);
         return result;
       },
       FALSE, 6, 0xCCCC},
  };
  StandInScenario s = TypicalScenario();
  s.wow64Flag = TRUE;
  for (const auto& c : cases) {
    SetStandIn(s);
    DWORD out = 0xCCCC;
    EXPECT_EQ(c.call(Functions(), out), c.result) << c.name;
    if (!c.result) {
      EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
    EXPECT_EQ(out, c.written) << c.name;
  }
}

TEST(StandIn, ProductInfoAndEmulationQueriesRecordWhatTheyWereHanded) {
  SetStandIn(TypicalScenario());
  const EntryPoints entry = Functions();
  DWORD type = 0x1234;
  entry.GetProductInfo(6, 1, 2, 3, &type);
  const ProductInfoQuery& asked = LastProductInfoQuery();
  EXPECT_EQ(asked.major, 6u);
  EXPECT_EQ(asked.minor, 1u);
  EXPECT_EQ(asked.servicePackMajor, 2u);
  EXPECT_EQ(asked.servicePackMinor, 3u);
  EXPECT_TRUE(asked.typeGiven);
  EXPECT_EQ(asked.typeHanded, 0x1234u);
  entry.GetProductInfo(6, 1, 2, 3, nullptr);
  EXPECT_FALSE(LastProductInfoQuery().typeGiven);

  BOOL flag = 7;
  char other;
  entry.IsWow64Process(&other, &flag);
  EXPECT_FALSE(LastWow64Query().currentProcess);
  EXPECT_TRUE(LastWow64Query().flagGiven);
  EXPECT_EQ(LastWow64Query().flagHanded, 7);
  StandIn().wow64Result = FALSE;  // fails before it would write the flag
  entry.IsWow64Process(GetCurrentProcess(), nullptr);
  EXPECT_TRUE(LastWow64Query().currentProcess);
  EXPECT_FALSE(LastWow64Query().flagGiven);
}

TEST(StandInDeathTest, ANullPointerThePlatformWritesThroughEndsTheProcess) {
  const struct {
    const char* name;
    std::function<void(const EntryPoints&)> call;
  } cases[] = {
      {"GetVersionExW", [](const EntryPoints& e) { e.GetVersionExW(nullptr); }},
      {"RtlGetVersion", [](const EntryPoints& e) { e.RtlGetVersion(nullptr); }},
      {"GetSystemInfo", [](const EntryPoints& e) { e.GetSystemInfo(nullptr); }},
      {"GetNativeSystemInfo", [](const EntryPoints& e) { e.GetNativeSystemInfo(nullptr); }},
      {"IsWow64Process",
       [](const EntryPoints& e) { e.IsWow64Process(GetCurrentProcess(), nullptr); }},
  };
  for (const auto& c : cases) {
    SetStandIn(TypicalScenario());
    const EntryPoints entry = Functions();
    EXPECT_DEATH(c.call(entry), std::string(c.name) + " was handed a null pointer") << c.name;
  }
}

}  // namespace
