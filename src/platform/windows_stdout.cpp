// Standard output of a Windows build: raw bytes through WriteFile, so that
// neither the C runtime's text mode nor a code page touches them.
#include "platform/output_sink.h"

void WriteStandardOutput(const char* bytes, std::size_t count) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  while (count > 0) {
    const DWORD chunk = count > 0x10000 ? 0x10000 : static_cast<DWORD>(count);
    DWORD written = 0;
    if (!WriteFile(out, bytes, chunk, &written, nullptr) || written == 0) {
      return;  // closed pipe, full disk: the text is lost, the run goes on
    }
    bytes += written;
    count -= written;
  }
}
