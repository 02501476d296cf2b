#pragma once
// Runs program code over the stand-in and collects what it wrote.

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/host/standin.h"

// Everything `body` writes to standard output, as bytes.
template <typename Body>
std::string CapturedOutput(Body body);

struct ProgramRun {
  int status;
  std::string output;
  std::vector<std::string> calls;
};

// The whole program with these arguments (the first is the program name)
// over the scripted answers.
ProgramRun RunProgramWith(const StandInScenario& scenario,
                          std::initializer_list<std::u16string> arguments);

// Text as the sink writes it: every "\n" becomes CR LF.
std::string Crlf(const std::string& text);

// The platform calls of a run, without the lookups and handle queries, e.g.
// {"GetVersion", "GetVersionExW", "RtlGetVersion", ...}.
std::vector<std::string> QueryCalls(const std::vector<std::string>& calls);

// ---- implementation of the template ----
#include "platform/output_sink.h"

template <typename Body>
std::string CapturedOutput(Body body) {
  std::string output;
  FlushOutput();
  CaptureStandardOutput(&output);
  body();
  FlushOutput();
  CaptureStandardOutput(nullptr);
  return output;
}
