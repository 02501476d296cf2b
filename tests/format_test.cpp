// The formatter and the byte sink: each conversion, the byte rules, and that
// outside text is never taken as a format. Formats that do not fit their
// arguments do not compile; tests/format_check holds those.
#include <gtest/gtest.h>

#include "platform/format.h"
#include "support/capture.h"

namespace {

struct ConversionCase {
  const char* name;
  std::string (*run)();
  std::string expected;
};

#define CASE(label, expected, ...) \
  ConversionCase{label, [] { return CapturedOutput([] { Print(__VA_ARGS__); }); }, expected}

const Char kArrayText[] = u"ab";

const ConversionCase kConversions[] = {
    CASE("plain text", "abc", u"abc"),
    CASE("percent", "100%", u"100%%"),
    CASE("double percent prints two", "%%J", u"%%%%J"),
    CASE("unsigned", "0 4294967295", u"%u %u", DWORD{0}, DWORD{0xFFFFFFFF}),
    CASE("unsigned from a word", "65535", u"%u", WORD{0xFFFF}),
    CASE("unsigned from a byte", "255", u"%u", BYTE{0xFF}),
    CASE("signed reads 32 bits", "-1 2147483647 -2147483648", u"%d %d %d",
         DWORD{0xFFFFFFFF}, DWORD{0x7FFFFFFF}, DWORD{0x80000000}),
    CASE("signed from a word and a signed number", "65535 -5 -2147483648", u"%d %d %d",
         WORD{0xFFFF}, -5, LONG{-2147483647 - 1}),
    CASE("hex zero-filled", "0A 000A 0000000A", u"%02lX %04lX %08lX", DWORD{10},
         DWORD{10}, DWORD{10}),
    CASE("hex never cut", "12345 FFFFFFFF", u"%02lX %04lX", DWORD{0x12345},
         DWORD{0xFFFFFFFF}),
    CASE("hex upper case", "0xDEADBEEF", u"0x%08lX", DWORD{0xDEADBEEF}),
    CASE("pointer is eight digits", "000000FF 0x7FFEFFFF", u"%p 0x%p",
         DWORD_PTR{255}, DWORD_PTR{0x7FFEFFFF}),
    CASE("string whole", "[x y]", u"[%s]", u"x y"),
    CASE("empty string", "\"\"", u"\"%s\"", u""),
    CASE("null string prints nothing", "<>", u"<%s>", static_cast<const char16_t*>(nullptr)),
    CASE("character", "A", u"%c", char16_t{'A'}),
    CASE("text from an array", "<ab>", u"<%s>", kArrayText),
};

#undef CASE

TEST(Format, Conversions) {
  for (const auto& c : kConversions) {
    EXPECT_EQ(c.run(), c.expected) << c.name;
  }
}

TEST(Format, OutsideTextIsNeverAFormat) {
  const char16_t* hostile = u"%s%n%p%%";
  EXPECT_EQ(CapturedOutput([&] { Print(u"<%s>", hostile); }), "<%s%n%p%%>");
}

TEST(Sink, UnitsBecomeSingleBytesOrQuestionMarks) {
  const char16_t text[] = {u'a', 0x7F, 0x80, 0xE9, 0xFF, 0x100, 0x263A, 0xD83D, 0xDE00, 0};
  const std::string expected = {'a', '\x7F', '\x80', '\xE9', '\xFF', '?', '?', '?', '?'};
  EXPECT_EQ(CapturedOutput([&] { Print(u"%s", text); }), expected);
}

TEST(Sink, EveryLineEndBecomesCrLf) {
  EXPECT_EQ(CapturedOutput([] { Print(u"\n\na\n%s", u"b\nc\r\n"); }),
            "\r\n\r\na\r\nb\r\nc\r\r\n");
}

TEST(Sink, HoldsOutputUntilFlushedAndLosesNothingPastItsBuffer) {
  std::string output;
  FlushOutput();
  CaptureStandardOutput(&output);
  Print(u"held");
  EXPECT_EQ(output, "");
  for (int i = 0; i < 3000; ++i) Print(u"%u\n", DWORD(i % 10));
  FlushOutput();
  CaptureStandardOutput(nullptr);
  ASSERT_EQ(output.size(), 4 + 3000 * 3u);
  EXPECT_EQ(output.substr(0, 7), "held0\r\n");
  EXPECT_EQ(output.substr(output.size() - 3), "9\r\n");
}

TEST(FormatInto, CutsToFitAndTerminates) {
  Char small[6];
  EXPECT_EQ(FormatInto(small, u"%u.%u", DWORD{65535}, DWORD{65535}), 5u);
  EXPECT_EQ(std::u16string(small), u"65535");
  Char roomy[32];
  FormatInto(roomy, u"%d.%d", DWORD{2}, DWORD{0});
  EXPECT_EQ(std::u16string(roomy), u"2.0");
}

}  // namespace
