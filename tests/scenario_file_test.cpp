// The simulator's scenario format: keys reach the right answers, bad lines
// are refused, texts decode.
#include <gtest/gtest.h>

#include "platform/host/scenario_file.h"

namespace {

TEST(ScenarioFile, KeysSetTheirAnswers) {
  ScenarioFile file;
  std::string error;
  ASSERT_TRUE(ParseScenario(
      "# a Windows XP machine\n"
      "program = \"C:\\\\x y\\\\osk.exe\"\n"
      "absent = GetProductInfo IsWow64Process\n"
      "ntdll.error = 0x7E\n"
      "GetVersion = 0x0A280105\n"
      "GetVersionExW.dwMajorVersion = 5\n"
      "GetVersionExW.szCSDVersion = \"Service Pack 3\\u263A\"\n"
      "RtlGetVersion.status = 0xC0000001\n"
      "GetProductInfo.type = 4294967295\n"
      "GetNativeSystemInfo.lpMaximumApplicationAddress = 0xFFFEFFFF\n"
      "IsWow64Process.flag = 1\n",
      file, error))
      << error;
  const StandInScenario& s = file.answers;
  EXPECT_EQ(file.programName, u"C:\\x y\\osk.exe");
  EXPECT_FALSE(s.present[kGetProductInfo]);
  EXPECT_FALSE(s.present[kIsWow64Process]);
  EXPECT_TRUE(s.present[kGetVersion]);
  EXPECT_EQ(s.ntdllError, 126u);
  EXPECT_EQ(s.packedVersion, 0x0A280105u);
  EXPECT_EQ(s.versionEx.dwMajorVersion, 5u);
  EXPECT_EQ(std::u16string(s.versionEx.szCSDVersion), u"Service Pack 3\u263A");
  EXPECT_EQ(s.rtlStatus, static_cast<LONG>(0xC0000001));
  EXPECT_EQ(s.productType, 0xFFFFFFFFu);
  EXPECT_EQ(s.nativeSystemInfo.lpMaximumApplicationAddress, 0xFFFEFFFFu);
  EXPECT_EQ(s.wow64Flag, 1);
}

TEST(ScenarioFile, ALongTextFillsTheFieldWithoutTerminator) {
  ScenarioFile file;
  std::string error;
  ASSERT_TRUE(ParseScenario("GetVersionExW.szCSDVersion = " + std::string(200, 'x'), file, error));
  for (char16_t unit : file.answers.versionEx.szCSDVersion) EXPECT_EQ(unit, u'x');
}

TEST(ScenarioFile, BadLinesAreRefusedWithTheirNumber) {
  const char* bad[] = {
      "GetVersion",                        // no value
      "GetVersion = 0x100000000",          // too wide
      "GetVersionExW.wProductType = 256",  // too wide for a byte
      "GetVersionExW.dwNoSuchField = 1",
      "absent = GetVersionA",
      "ntdll = maybe",
      "GetVersion = -1",
      "GetVersionExW.szCSDVersion = \"\\u12\"",
  };
  for (const char* line : bad) {
    ScenarioFile file;
    std::string error;
    EXPECT_FALSE(ParseScenario(std::string("# first\n") + line, file, error)) << line;
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  }
}

TEST(ScenarioFile, Utf8DecodesToUtf16) {
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x98\xBA\xF0\x9F\x98\x80"), u"a\u00E9\u263A\U0001F600");
  EXPECT_EQ(DecodeUtf8("\xFF" "b\xC3"), u"\uFFFD" "b\uFFFD");
}

}  // namespace
