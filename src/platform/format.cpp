#include "platform/format.h"

#include <cstdint>

#include "platform/output_sink.h"

namespace {

// Where formatted units go: standard output, or a caller's buffer.
struct UnitTarget {
  void (*put)(void* context, Char unit);
  void* context;
};

void PutUnit(const UnitTarget& target, Char unit) {
  target.put(target.context, unit);
}

// Zero-filled to the width, never cut.
void PutDigits(const UnitTarget& target, DWORD_PTR value, unsigned base, int width) {
  Char digits[20];  // the most a 64-bit number needs, in decimal
  int count = 0;
  do {
    const auto digit = static_cast<unsigned>(value % base);
    digits[count++] = static_cast<Char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
    value /= base;
  } while (value != 0);
  for (int filled = count; filled < width; ++filled) PutUnit(target, '0');
  while (count > 0) PutUnit(target, digits[--count]);
}

// The low 32 bits as a signed number, as the platform's formatter reads %d.
void PutSigned(const UnitTarget& target, DWORD_PTR number) {
  const auto bits = static_cast<std::uint32_t>(number);
  const bool negative = static_cast<std::int32_t>(bits) < 0;
  if (negative) PutUnit(target, '-');
  PutDigits(target, negative ? 0u - bits : bits, 10, 0);
}

void PutText(const UnitTarget& target, const Char* text) {
  if (text == nullptr) return;
  for (; *text != 0; ++text) PutUnit(target, *text);
}

// The format passed its check when it was compiled: each directive is one
// that format.h lists, and the next argument is of the kind it takes.
void FormatUnits(const UnitTarget& target, const Char* format, const FormatArg* args) {
  for (const Char* at = format; *at != 0; ++at) {
    if (*at != '%') {
      PutUnit(target, *at);
      continue;
    }
    switch (*++at) {
      case '%': PutUnit(target, '%'); break;
      case 's': PutText(target, args++->text); break;
      case 'c': PutUnit(target, static_cast<Char>(args++->number)); break;
      case 'u': PutDigits(target, args++->number, 10, 0); break;
      case 'd': PutSigned(target, args++->number); break;
      case 'p': PutDigits(target, args++->number, 16, kAddressDigits); break;
      default:  // "%0NlX", N one digit
        PutDigits(target, args++->number, 16, at[1] - '0');
        at += 3;
        break;
    }
  }
}

void PutToOutput(void*, Char unit) { OutputUnit(unit); }

struct BufferCursor {
  Char* at;
  std::size_t room;  // units left before the terminator's place
};

void PutToBuffer(void* context, Char unit) {
  auto* cursor = static_cast<BufferCursor*>(context);
  if (cursor->room == 0) return;
  *cursor->at++ = unit;
  --cursor->room;
}

}  // namespace

void PrintFormatted(const Char* format, const FormatArg* args) {
  FormatUnits(UnitTarget{PutToOutput, nullptr}, format, args);
}

std::size_t FormatIntoBuffer(Char* buffer, std::size_t capacity, const Char* format,
                             const FormatArg* args) {
  if (capacity == 0) return 0;
  BufferCursor cursor{buffer, capacity - 1};
  FormatUnits(UnitTarget{PutToBuffer, &cursor}, format, args);
  *cursor.at = 0;
  return static_cast<std::size_t>(cursor.at - buffer);
}
