// Process entry of the Windows builds.
#include "app/program.h"
#include "platform/output_sink.h"

int wmain(int argc, wchar_t** argv) {
  const int status = RunProgram(argc, argv);
  FlushOutput();
  return status;
}
