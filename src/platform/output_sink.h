#pragma once
// The one way to standard output. It turns UTF-16 units into bytes (a unit up
// to U+00FF becomes that byte, anything above becomes '?', a line end becomes
// CR LF) and holds them until the buffer fills or FlushOutput is called. The
// driver flushes once at every end of the process.

#include <cstddef>

#include "platform/windows_api.h"

void OutputUnit(Char unit);
void FlushOutput();

// Provided once per build: hands bytes to the process's standard output. A
// failed write is dropped: output is best effort and never ends the run.
void WriteStandardOutput(const char* bytes, std::size_t count);
