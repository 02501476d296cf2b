#include "platform/format.h"

#include "platform/output_sink.h"

namespace {

struct Directive {
  bool zeroFill = false;
  int width = 0;
  Char conversion = 0;
};

void PutUnit(const UnitTarget& target, Char unit) {
  target.put(target.context, unit);
}

void PutDigits(const UnitTarget& target, unsigned long long value, int base,
               const Directive& directive, bool negative) {
  Char digits[24];
  int count = 0;
  do {
    const auto digit = static_cast<unsigned>(value % base);
    digits[count++] = static_cast<Char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
    value /= base;
  } while (value != 0);
  int length = count + (negative ? 1 : 0);
  if (negative && directive.zeroFill) PutUnit(target, '-');
  for (; length < directive.width; ++length) {
    PutUnit(target, directive.zeroFill ? '0' : ' ');
  }
  if (negative && !directive.zeroFill) PutUnit(target, '-');
  while (count > 0) PutUnit(target, digits[--count]);
}

// The numbers are 32-bit values, as the platform's formatter sees them.
unsigned long long Low32(const FormatArg& arg) { return arg.number & 0xFFFFFFFFu; }

void PutConversion(const UnitTarget& target, const Directive& directive,
                   const FormatArg& arg) {
  switch (directive.conversion) {
    case 's':
      if (arg.kind == FormatArg::Kind::Text && arg.text != nullptr) {
        for (const Char* p = arg.text; *p != 0; ++p) PutUnit(target, *p);
      }
      return;
    case 'c':
      if (arg.kind != FormatArg::Kind::None && arg.kind != FormatArg::Kind::Text) {
        PutUnit(target, static_cast<Char>(arg.number & 0xFFFF));
      }
      return;
    case 'u':
    case 'X':
      if (arg.kind == FormatArg::Kind::Unsigned || arg.kind == FormatArg::Kind::Signed) {
        PutDigits(target, Low32(arg), directive.conversion == 'u' ? 10 : 16, directive, false);
      }
      return;
    case 'd':
      if (arg.kind == FormatArg::Kind::Unsigned || arg.kind == FormatArg::Kind::Signed) {
        const auto value = static_cast<long long>(
            static_cast<std::int32_t>(static_cast<std::uint32_t>(Low32(arg))));
        const bool negative = value < 0;
        const auto magnitude = negative ? static_cast<unsigned long long>(-value)
                                        : static_cast<unsigned long long>(value);
        PutDigits(target, magnitude, 10, directive, negative);
      }
      return;
    case 'p':
      if (arg.kind == FormatArg::Kind::Unsigned || arg.kind == FormatArg::Kind::Signed) {
        Directive address;
        address.zeroFill = true;
        address.width = kAddressDigits;
        const unsigned long long mask =
            kAddressDigits >= 16 ? ~0ull : (1ull << (4 * kAddressDigits)) - 1;
        PutDigits(target, arg.number & mask, 16, address, false);
      }
      return;
    default:
      return;
  }
}

bool IsDigit(Char unit) { return unit >= '0' && unit <= '9'; }

}  // namespace

void FormatUnits(const UnitTarget& target, FormatString format,
                 const FormatArg* args, std::size_t count) {
  std::size_t next = 0;
  const Char* p = format.text();
  while (*p != 0) {
    if (*p != '%') {
      PutUnit(target, *p++);
      continue;
    }
    const Char* start = p++;
    if (*p == '%') {
      PutUnit(target, '%');
      ++p;
      continue;
    }
    Directive directive;
    if (*p == '0') {
      directive.zeroFill = true;
      ++p;
    }
    while (IsDigit(*p) && directive.width < 100) directive.width = directive.width * 10 + (*p++ - '0');
    if (*p == 'l') ++p;
    directive.conversion = *p;
    const bool known = directive.conversion == 's' || directive.conversion == 'u' ||
                       directive.conversion == 'd' || directive.conversion == 'c' ||
                       directive.conversion == 'p' || directive.conversion == 'X';
    if (!known) {
      // Not one of ours: show it as it stands rather than guess.
      while (start != p) PutUnit(target, *start++);
      continue;
    }
    ++p;
    PutConversion(target, directive, next < count ? args[next] : FormatArg());
    ++next;
  }
}

namespace {

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

const UnitTarget kStandardOutput = {PutToOutput, nullptr};

std::size_t FormatBufferArgs(Char* buffer, std::size_t capacity,
                             FormatString format, const FormatArg* args,
                             std::size_t count) {
  if (capacity == 0) return 0;
  BufferCursor cursor{buffer, capacity - 1};
  FormatUnits(UnitTarget{PutToBuffer, &cursor}, format, args, count);
  *cursor.at = 0;
  return static_cast<std::size_t>(cursor.at - buffer);
}
