// Which course each command-line shape takes; help and usage ask the
// platform nothing.
#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"
#include "support/capture.h"

namespace {

struct Shape {
  std::vector<std::u16string> arguments;  // after the program name
  Course course;
};

const Shape kShapes[] = {
    {{}, Course::Report},
    {{u"/batch"}, Course::Summary},
    {{u"/BATCH"}, Course::Summary},
    {{u"/BaTcH"}, Course::Summary},
    {{u"/batch", u"x"}, Course::Usage},
    {{u"/batch", u""}, Course::Usage},
    {{u"-batch"}, Course::Usage},
    {{u"/batc"}, Course::Usage},
    {{u"/batchx"}, Course::Usage},
    {{u"batch"}, Course::Usage},
    {{u"/?"}, Course::Help},
    {{u"-?"}, Course::Help},
    {{u"/h"}, Course::Help},
    {{u"-H"}, Course::Help},
    {{u"/help"}, Course::Help},
    {{u"-HeLp"}, Course::Help},
    {{u"/HELP"}, Course::Help},
    {{u"/help", u"x"}, Course::Usage},
    {{u"/?", u"/batch"}, Course::Usage},
    {{u"/"}, Course::Usage},
    {{u"-"}, Course::Usage},
    {{u""}, Course::Usage},
    {{u"help"}, Course::Usage},
    {{u"?"}, Course::Usage},
    {{u"xhelp"}, Course::Usage},  // a help word behind a character that is no switch
    {{u"/hel"}, Course::Usage},
    {{u"/helpp"}, Course::Usage},
    {{u"//help"}, Course::Usage},
    {{u"/ help"}, Course::Usage},
    {{u"x", u"y", u"z"}, Course::Usage},
    // Only ASCII letters fold: U+0130 and U+212A are not 'i' and 'k' here.
    {{u"/h\u0130lp"}, Course::Usage},
};

std::string Describe(const Shape& shape) {
  std::string text;
  for (const auto& argument : shape.arguments) {
    text += '[';
    for (char16_t unit : argument) text += unit < 0x80 ? static_cast<char>(unit) : '#';
    text += ']';
  }
  return text;
}

TEST(CommandLine, EachShapeTakesItsCourse) {
  for (const auto& shape : kShapes) {
    std::vector<const Char*> argv{u"oskavel"};
    for (const auto& argument : shape.arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    EXPECT_EQ(ChooseCourse(static_cast<int>(argv.size() - 1), argv.data()), shape.course)
        << Describe(shape);
  }
}

TEST(CommandLine, NoArgumentsAtAllIsTheReport) {
  const Char* const argv[] = {nullptr};
  EXPECT_EQ(ChooseCourse(0, argv), Course::Report);
}

TEST(CommandLine, UsageNamesTheProgramAsTypedAndAsksNothing) {
  struct NameCase {
    std::u16string name;
    std::string printed;
  };
  const NameCase names[] = {
      {u"oskavel", "oskavel"},
      {u"C:\\Program Files\\Tools\\oskavel.exe", "C:\\Program Files\\Tools\\oskavel.exe"},
      {u"%s%n", "%s%n"},
      {u"caf\u00E9", "caf\xE9"},
      {u"\u0444\u0430\u0439\u043B", "????"},
  };
  for (const auto& name : names) {
    const ProgramRun run = RunProgramWith(TypicalScenario(), {name.name, u"/x"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, Crlf("\nUsage: " + name.printed + " [/batch | /help]\n"));
    EXPECT_TRUE(run.calls.empty()) << run.calls.front();
  }
}

TEST(CommandLine, HelpAndUsageEndWithStatusZeroBeforeAnyPlatformCall) {
  for (const char16_t* argument : {u"/?", u"-help", u"/H", u"bogus"}) {
    const ProgramRun run = RunProgramWith(TypicalScenario(), {u"oskavel", argument});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.calls.empty());
  }
  const ProgramRun extra = RunProgramWith(TypicalScenario(), {u"oskavel", u"/batch", u"x"});
  EXPECT_EQ(extra.status, 0);
  EXPECT_TRUE(extra.calls.empty());
}

}  // namespace
