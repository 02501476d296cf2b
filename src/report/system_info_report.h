#pragma once

#include "platform/windows_api.h"

// The ten labelled lines for one SYSTEM_INFO: the process's view, or the
// machine's native view under 64-bit emulation.
void PrintSystemInfo(const SYSTEM_INFO& info);
