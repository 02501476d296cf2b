#include "app/program.h"

#include "app/command_line.h"
#include "app/help_text.h"
#include "app/run_sequence.h"
#include "platform/format.h"
#include "summary/batch_data.h"

int RunProgram(int argc, const Char* const* argv) {
  BatchData summary;
  // The usage and help courses need a name; they only arise with argc >= 2.
  const Char* programName = argc > 0 && argv[0] != nullptr ? argv[0] : WIDE("");
  switch (ChooseCourse(argc, argv)) {
    case Course::Report:
      return RunSequence(Mode::Report, summary);
    case Course::Summary:
      return RunSequence(Mode::Summary, summary);
    case Course::Help:
      PrintHelp(programName);
      return 0;
    case Course::Usage:
      break;
  }
  Print(WIDE("\nUsage: %s [/batch | /help]\n"), programName);
  return 0;
}
