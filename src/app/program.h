#pragma once

#include "platform/windows_api.h"

// The whole program from its arguments to its exit status. The caller flushes
// standard output afterwards, at every end.
int RunProgram(int argc, const Char* const* argv);
