#include "app/command_line.h"

#include "platform/ascii_text.h"

namespace {

bool IsHelpSwitch(const Char* argument) {
  if (argument[0] != '/' && argument[0] != '-') return false;
  const Char* rest = argument + 1;
  return EqualIgnoringAsciiCase(rest, WIDE("?")) ||
         EqualIgnoringAsciiCase(rest, WIDE("h")) ||
         EqualIgnoringAsciiCase(rest, WIDE("help"));
}

}  // namespace

Course ChooseCourse(int argc, const Char* const* argv) {
  if (argc <= 1) return Course::Report;
  if (EqualIgnoringAsciiCase(argv[1], WIDE("/batch"))) {
    return argc == 2 ? Course::Summary : Course::Usage;
  }
  if (argc == 2 && IsHelpSwitch(argv[1])) return Course::Help;
  return Course::Usage;
}
