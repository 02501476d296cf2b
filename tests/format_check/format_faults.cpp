// Calls of the formatter for the compile-time format check. Built with no
// FAULT_ macro it must compile: every directive with each kind of argument
// the program gives it. Each FAULT_ macro adds one call that must not
// compile; tests.cmake pairs it with the fault the error has to name.
#include "platform/format.h"

namespace {

void PrintPassedFormat(FormatString<> format) { Print(format); }

}  // namespace

void CallsThatCompile() {
  Char buffer[16];
  Char unit = WIDE('x');
  const Char* text = WIDE("text");
  BYTE byte = 1;
  WORD word = 2;
  DWORD dword = 3;
  LONG status = -4;
  DWORD_PTR address = 5;
  FormatInto(buffer, WIDE("%d.%d"), word, word);
  Print(WIDE("plain text, 100%%\n"));
  Print(WIDE("%s %s %c\n"), text, buffer, unit);
  Print(WIDE("%u %u %u %d %d %d\n"), byte, word, dword, word, dword, status);
  Print(WIDE("%02lX %04lX %08lX %p\n"), byte, word, dword, address);
  PrintPassedFormat(WIDE("a line\n"));

#if defined(FAULT_TOO_FEW_ARGUMENTS)
  Print(WIDE("%u %u\n"), 1u);
#elif defined(FAULT_TOO_MANY_ARGUMENTS)
  Print(WIDE("%u\n"), 1u, 2u);
#elif defined(FAULT_ARGUMENT_FOR_PLAIN_TEXT)
  Print(WIDE("no directive\n"), text);
#elif defined(FAULT_UNKNOWN_DIRECTIVE)
  Print(WIDE("%x\n"), dword);
#elif defined(FAULT_UNUSED_WIDTH)
  Print(WIDE("%06lX\n"), dword);
#elif defined(FAULT_LONE_PERCENT_AT_END)
  Print(WIDE("100%"));
#elif defined(FAULT_TEXT_FOR_UNSIGNED)
  Print(WIDE("%u\n"), WIDE("x"));
#elif defined(FAULT_SIGNED_FOR_HEX)
  Print(WIDE("%08lX\n"), status);
#elif defined(FAULT_64_BIT_FOR_UNSIGNED)
  Print(WIDE("%u\n"), 1ull);
#elif defined(FAULT_CHARACTER_FOR_UNSIGNED)
  Print(WIDE("%u\n"), unit);
#elif defined(FAULT_TEXT_FOR_SIGNED)
  Print(WIDE("%d\n"), text);
#elif defined(FAULT_NARROW_NUMBER_FOR_ADDRESS)
  Print(WIDE("%p\n"), word);
#elif defined(FAULT_NUMBER_FOR_CHARACTER)
  Print(WIDE("%c\n"), dword);
#elif defined(FAULT_NUMBER_FOR_TEXT)
  Print(WIDE("%s\n"), dword);
#elif defined(FAULT_NARROW_TEXT_FOR_TEXT)
  Print(WIDE("%s\n"), "x");
#elif defined(FAULT_IN_BUFFER_FORMAT)
  FormatInto(buffer, WIDE("%u.%u"), word);
#elif defined(FAULT_IN_PASSED_FORMAT)
  PrintPassedFormat(WIDE("%u\n"));
#endif
}
