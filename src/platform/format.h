#pragma once
// Our printf-style formatter for wide text. It knows exactly the conversions
// the program uses: %s %u %d %c %p %lX with zero-filled widths (%02lX, %04lX,
// %08lX) and %%. Arguments are type-checked at the call: each is wrapped in a
// FormatArg, so a missing or mismatched argument prints nothing instead of
// reading garbage. Formats are literals only (FormatString accepts nothing
// else), so text from outside can never act as a format.

#include <cstddef>
#include <cstdint>

#include "platform/windows_api.h"

class FormatString {
 public:
  template <std::size_t N>
  constexpr FormatString(const Char (&literal)[N]) : text_(literal) {}  // NOLINT
  const Char* text() const { return text_; }

 private:
  const Char* text_;
};

struct FormatArg {
  enum class Kind : unsigned char { None, Unsigned, Signed, Text, Unit };

  constexpr FormatArg() : kind(Kind::None), number(0), text(nullptr) {}
  constexpr FormatArg(unsigned char v) : FormatArg(Kind::Unsigned, v) {}
  constexpr FormatArg(unsigned short v) : FormatArg(Kind::Unsigned, v) {}
  constexpr FormatArg(unsigned int v) : FormatArg(Kind::Unsigned, v) {}
  constexpr FormatArg(unsigned long v) : FormatArg(Kind::Unsigned, v) {}
  constexpr FormatArg(unsigned long long v) : FormatArg(Kind::Unsigned, v) {}
  constexpr FormatArg(int v)
      : FormatArg(Kind::Signed, static_cast<unsigned long long>(v)) {}
  constexpr FormatArg(long v)
      : FormatArg(Kind::Signed, static_cast<unsigned long long>(v)) {}
  constexpr FormatArg(Char v) : FormatArg(Kind::Unit, v) {}
  constexpr FormatArg(const Char* v)
      : kind(Kind::Text), number(0), text(v) {}
  constexpr FormatArg(Char* v) : FormatArg(static_cast<const Char*>(v)) {}

  Kind kind;
  unsigned long long number;
  const Char* text;

 private:
  constexpr FormatArg(Kind k, unsigned long long v)
      : kind(k), number(v), text(nullptr) {}
};

// Where formatted units go: standard output, or a caller's buffer.
struct UnitTarget {
  void (*put)(void* context, Char unit);
  void* context;
};

void FormatUnits(const UnitTarget& target, FormatString format,
                 const FormatArg* args, std::size_t count);

extern const UnitTarget kStandardOutput;

// Writes the formatted text to standard output.
template <typename... Args>
void Print(FormatString format, const Args&... args) {
  const FormatArg list[] = {FormatArg(args)..., FormatArg()};
  FormatUnits(kStandardOutput, format, list, sizeof...(Args));
}

// Formats into a caller's buffer, cut to fit and always zero-terminated; our
// stand-in for wsprintfW, which would need user32.
std::size_t FormatBufferArgs(Char* buffer, std::size_t capacity,
                             FormatString format, const FormatArg* args,
                             std::size_t count);

template <std::size_t N, typename... Args>
std::size_t FormatInto(Char (&buffer)[N], FormatString format,
                       const Args&... args) {
  const FormatArg list[] = {FormatArg(args)..., FormatArg()};
  return FormatBufferArgs(buffer, N, format, list, sizeof...(Args));
}
