#pragma once

#include "platform/windows_api.h"

// The full help text, with the batch code that reads the summary line.
void PrintHelp(const Char* programName);
