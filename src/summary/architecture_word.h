#pragma once

#include "platform/windows_api.h"

// The word for a wProcessorArchitecture, shared by the summary line and the
// system information report.
const Char* ArchitectureWord(WORD wProcessorArchitecture);
