#include "support/capture.h"

#include "app/program.h"

ProgramRun RunProgramWith(const StandInScenario& scenario,
                          std::initializer_list<std::u16string> arguments) {
  SetStandIn(scenario);
  std::vector<const char16_t*> argv;
  for (const auto& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  ProgramRun run{};
  run.output = CapturedOutput([&] {
    run.status = RunProgram(static_cast<int>(arguments.size()), argv.data());
  });
  run.calls = StandInCalls();
  return run;
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::vector<std::string> QueryCalls(const std::vector<std::string>& calls) {
  std::vector<std::string> queries;
  for (const auto& call : calls) {
    if (call.rfind("GetModuleHandleW", 0) == 0 || call.rfind("GetProcAddress", 0) == 0 ||
        call == "GetCurrentProcess") {
      continue;
    }
    queries.push_back(call);
  }
  return queries;
}
