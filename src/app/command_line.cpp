#include "app/command_line.h"

namespace {

Char LowerAscii(Char unit) {
  return (unit >= 'A' && unit <= 'Z') ? static_cast<Char>(unit - 'A' + 'a') : unit;
}

bool IsHelpSwitch(const Char* argument) {
  if (argument[0] != '/' && argument[0] != '-') return false;
  const Char* rest = argument + 1;
  return EqualIgnoringAsciiCase(rest, WIDE("?")) ||
         EqualIgnoringAsciiCase(rest, WIDE("h")) ||
         EqualIgnoringAsciiCase(rest, WIDE("help"));
}

}  // namespace

bool EqualIgnoringAsciiCase(const Char* a, const Char* b) {
  while (*a != 0 && LowerAscii(*a) == LowerAscii(*b)) ++a, ++b;
  return *a == 0 && *b == 0;
}

Course ChooseCourse(int argc, const Char* const* argv) {
  if (argc <= 1) return Course::Report;
  if (EqualIgnoringAsciiCase(argv[1], WIDE("/batch"))) {
    return argc == 2 ? Course::Summary : Course::Usage;
  }
  if (argc == 2 && IsHelpSwitch(argv[1])) return Course::Help;
  return Course::Usage;
}
