#include "platform/output_sink.h"

namespace {

// Large enough that a whole report leaves in one write.
constexpr std::size_t kBufferSize = 4096;

// Standard output is one per process, like the C runtime's own stream buffer.
char pending[kBufferSize];
std::size_t pendingCount = 0;

void PutByte(char byte) {
  if (pendingCount == kBufferSize) FlushOutput();
  pending[pendingCount++] = byte;
}

}  // namespace

void OutputUnit(Char unit) {
  const auto code = static_cast<unsigned>(unit);
  if (code == '\n') {
    // Written as bytes, past any text-mode translation, so no CR is doubled.
    PutByte('\r');
    PutByte('\n');
  } else if (code <= 0xFF) {
    PutByte(static_cast<char>(code));
  } else {
    PutByte('?');
  }
}

void FlushOutput() {
  if (pendingCount == 0) return;
  WriteStandardOutput(pending, pendingCount);
  pendingCount = 0;
}
