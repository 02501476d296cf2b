// The help text: its size, its ends, the program name as typed, and the batch
// code exactly as a user copies it into a batch file.
#include <gtest/gtest.h>

#include <string>

#include "app/help_text.h"
#include "support/capture.h"

namespace {

std::string HelpFor(const std::u16string& name) {
  return CapturedOutput([&] { PrintHelp(name.c_str()); });
}

// 77 lines; without the name, 2,871 characters plus a CR for each line.
constexpr std::size_t kBytesWithoutName = 2948;

struct NameCase {
  const char* what;
  std::u16string name;
  std::string printed;  // the name's bytes as the sink writes them
};

const NameCase kNames[] = {
    {"plain", u"oskavel", "oskavel"},
    {"path with spaces", u"C:\\Program Files\\Oskavel Tools\\oskavel.exe",
     "C:\\Program Files\\Oskavel Tools\\oskavel.exe"},
    {"above U+00FF", u"\u0444\u0430\u0439\u043B.exe", "????.exe"},
    {"U+0080 to U+00FF", u"caf\u00E9\u00A0x", "caf\xE9\xA0x"},
    {"format characters", u"%s%n%%%%", "%s%n%%%%"},
    {"empty", u"", ""},
};

TEST(HelpText, SizeEndsAndProgramNameForEachName) {
  for (const auto& name : kNames) {
    SCOPED_TRACE(name.what);
    const std::string help = HelpFor(name.name);
    EXPECT_EQ(help.size(), kBytesWithoutName + 2 * name.printed.size());
    EXPECT_EQ(help.rfind("\r\nOskavel utility - makes Windows version info visible.\r\n", 0), 0u);
    const std::string ending = "you don't need.\r\n\r\n";
    ASSERT_GE(help.size(), ending.size());
    EXPECT_EQ(help.substr(help.size() - ending.size()), ending);

    const std::string usage = "\r\nUsage:  " + name.printed + " [/batch | /help]\r\n";
    EXPECT_NE(help.find(usage), std::string::npos);
    const std::string loop = "%%J in (`" + name.printed + " /batch`) do (\r\n";
    EXPECT_NE(help.find(loop), std::string::npos);
  }
}

TEST(HelpText, EveryLineEndsInCrLfAndTrailingBlanksSurvive) {
  const std::string help = HelpFor(u"oskavel");
  std::size_t lines = 0;
  for (std::size_t i = 0; i < help.size(); ++i) {
    if (help[i] == '\n') {
      ++lines;
      EXPECT_TRUE(i > 0 && help[i - 1] == '\r') << "bare LF at " << i;
    } else if (help[i] == '\r') {
      EXPECT_TRUE(i + 1 < help.size() && help[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  EXPECT_EQ(lines, 77u);
  EXPECT_NE(help.find("\r\n            dows 95 / 98 / Millenium). \r\n"), std::string::npos);
  EXPECT_NE(help.find("\r\n   detp   - Detail purpose.  \r\n"), std::string::npos);
}

TEST(HelpText, BatchCodeIsReadyToPasteIntoABatchFile) {
  const std::string help = HelpFor(u"C:\\Tools\\oskavel.exe");
  EXPECT_EQ(help.find("%%%%"), std::string::npos);
  // Inside a batch file a FOR variable is written with two percent signs.
  const std::string batchCode = Crlf(
      "follows:\n"
      "\n"
      "   FOR /F \"tokens=1-12 usebackq\" %%J in (`C:\\Tools\\oskavel.exe /batch`) do (\n"
      "      set __PURPOSE=%%J\n"
      "      set __ARCH=%%K\n"
      "      set __PLATFORM=%%L\n"
      "      set __VER.MAJOR=%%M\n"
      "      set __VER.MINOR=%%N\n"
      "      set __VER.BUILD=%%O\n"
      "      set __VSP.MAJOR=%%Q\n"
      "      set __VSP.MINOR=%%R\n"
      "      set __PURPOSE.DETAIL=%%S\n"
      "      set __NAT_ED=%%T\n"
      "      set __UITYPE=%%U\n"
      "   )\n"
      "\n"
      "You should use SETLOCAL");
  EXPECT_NE(help.find(batchCode), std::string::npos) << help;
}

TEST(HelpText, EveryHelpSwitchPrintsTheSameTextAndAsksThePlatformNothing) {
  const std::string expected = HelpFor(u"oskavel");
  // A machine on which every query would stop the run: help must not care.
  StandInScenario broken = TypicalScenario();
  broken.ntdllPresent = false;
  for (const char16_t* help : {u"/?", u"-?", u"/h", u"-h", u"/H", u"-H", u"/help", u"-help",
                               u"/HELP", u"-HELP", u"/HeLp", u"-hElP"}) {
    for (const StandInScenario& scenario : {TypicalScenario(), broken}) {
      const ProgramRun run = RunProgramWith(scenario, {u"oskavel", help});
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.output, expected);
      EXPECT_TRUE(run.calls.empty()) << run.calls.front();
    }
  }
}

}  // namespace
