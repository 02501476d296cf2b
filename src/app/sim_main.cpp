// oskavel-sim SCENARIO [ARGS...]: the program itself over the host stand-in,
// answering as the scenario file says. Reproduces platforms we cannot run.
#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "app/program.h"
#include "platform/host/scenario_file.h"
#include "platform/output_sink.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: oskavel-sim SCENARIO [ARGS...]\n";
    return 2;
  }
  // Like the Windows program, a closed pipe must not end the run.
  std::signal(SIGPIPE, SIG_IGN);

  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::cerr << "oskavel-sim: cannot read " << argv[1] << "\n";
    return 2;
  }
  std::stringstream text;
  text << file.rdbuf();
  ScenarioFile scenario;
  std::string error;
  if (!ParseScenario(text.str(), scenario, error)) {
    std::cerr << "oskavel-sim: " << argv[1] << ": " << error << "\n";
    return 2;
  }
  SetStandIn(scenario.answers);

  std::vector<std::u16string> arguments{scenario.programName};
  for (int i = 2; i < argc; ++i) arguments.push_back(DecodeUtf8(argv[i]));
  std::vector<const char16_t*> pointers;
  for (const auto& argument : arguments) pointers.push_back(argument.c_str());
  pointers.push_back(nullptr);

  const int status = RunProgram(static_cast<int>(arguments.size()), pointers.data());
  FlushOutput();
  return status;
}
