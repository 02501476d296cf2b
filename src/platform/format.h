#pragma once
// Our printf-style formatter for wide text. It knows exactly the directives
// the program uses, and what each one takes:
//   %s                  a wide string (Char pointer or array); null prints nothing
//   %c                  one wide unit (Char)
//   %u                  an unsigned number of at most 32 bits, in decimal
//   %d                  a number of at most 32 bits, read as a signed 32-bit
//                       value the way wsprintfW reads it (a DWORD 0xFFFFFFFF
//                       prints -1)
//   %02lX %04lX %08lX   an unsigned number of at most 32 bits, upper-case
//                       hex, zero-filled to the width and never cut
//   %p                  an unsigned number as wide as an address (AddressBits),
//                       hex, zero-filled to kAddressDigits
//   %%                  a percent sign
// Every format is a literal, and it is checked against its arguments' types
// when the call is compiled: a wrong kind of argument, too few or too many
// arguments, an unknown directive or a lone '%' at the end do not compile,
// and the compiler's error names the fault (a function in format_fault).
// So text from outside can never act as a format, and at run time every
// directive has its argument of the right kind.

#include <cstddef>
#include <type_traits>

#include "platform/windows_api.h"

// Declared and never defined: the format check calls one of them while the
// compiler evaluates it, which a constant evaluation cannot do, so the
// compiler stops there and its error names the function.
namespace format_fault {
void format_has_more_directives_than_arguments();
void format_has_more_arguments_than_directives();
void format_has_an_unknown_directive();
void format_ends_in_a_lone_percent_sign();
void argument_is_not_a_wide_string_for_this_directive();
void argument_is_not_a_wide_character_for_this_directive();
void argument_is_not_an_unsigned_32_bit_number_for_this_directive();
void argument_is_not_a_32_bit_number_for_this_directive();
void argument_is_not_an_address_sized_number_for_this_directive();
}  // namespace format_fault

namespace format_check {

// What an argument can stand for, one bit each; a directive names the bits
// that it takes.
enum : unsigned {
  kUnsigned32 = 1u << 0,
  kSigned32 = 1u << 1,
  kAddress = 1u << 2,
  kUnit = 1u << 3,
  kText = 1u << 4,
};

// Character types and bool are no numbers here, even where the language
// counts them as integers: a Char given to %u is a mistake.
template <typename T>
inline constexpr bool kIsCharacter =
    std::is_same_v<T, bool> || std::is_same_v<T, char> || std::is_same_v<T, wchar_t> ||
    std::is_same_v<T, char8_t> || std::is_same_v<T, char16_t> || std::is_same_v<T, char32_t>;

template <typename T>
consteval unsigned StandsFor() {
  if constexpr (std::is_same_v<T, Char>) {
    return kUnit;
  } else if constexpr (std::is_same_v<T, const Char*> || std::is_same_v<T, Char*>) {
    return kText;
  } else if constexpr (std::is_integral_v<T> && !kIsCharacter<T>) {
    if constexpr (std::is_signed_v<T>) {
      return sizeof(T) <= 4 ? kSigned32 : 0u;
    } else {
      return (sizeof(T) <= 4 ? kUnsigned32 : 0u) |
             (sizeof(T) == sizeof(DWORD_PTR) ? kAddress : 0u);
    }
  } else {
    return 0;
  }
}

struct Directive {
  const char* spelling;  // what follows the '%'
  unsigned takes;        // 0: it takes no argument
};

// FormatUnits in format.cpp prints each of these; a row added here needs its
// case there.
inline constexpr Directive kDirectives[] = {
    {"%", 0},
    {"s", kText},
    {"c", kUnit},
    {"u", kUnsigned32},
    {"d", kUnsigned32 | kSigned32},
    {"02lX", kUnsigned32},
    {"04lX", kUnsigned32},
    {"08lX", kUnsigned32},
    {"p", kAddress},
};

consteval std::size_t MatchedLength(const Char* at, const char* spelling) {
  std::size_t length = 0;
  for (; spelling[length] != 0; ++length) {
    if (at[length] != static_cast<Char>(spelling[length])) return 0;
  }
  return length;
}

consteval void RefuseArgument(unsigned takes) {
  switch (takes) {
    case kText: format_fault::argument_is_not_a_wide_string_for_this_directive(); break;
    case kUnit: format_fault::argument_is_not_a_wide_character_for_this_directive(); break;
    case kUnsigned32:
      format_fault::argument_is_not_an_unsigned_32_bit_number_for_this_directive();
      break;
    case kAddress:
      format_fault::argument_is_not_an_address_sized_number_for_this_directive();
      break;
    default:  // %d: kUnsigned32 | kSigned32
      format_fault::argument_is_not_a_32_bit_number_for_this_directive();
      break;
  }
}

// argumentKinds holds StandsFor of each argument, in order.
consteval void CheckFormat(const Char* format, const unsigned* argumentKinds,
                           std::size_t count) {
  std::size_t next = 0;
  for (const Char* at = format; *at != 0;) {
    if (*at++ != '%') continue;
    if (*at == 0) format_fault::format_ends_in_a_lone_percent_sign();
    std::size_t length = 0;
    unsigned takes = 0;
    for (const Directive& directive : kDirectives) {
      length = MatchedLength(at, directive.spelling);
      takes = directive.takes;
      if (length != 0) break;
    }
    if (length == 0) format_fault::format_has_an_unknown_directive();
    at += length;
    if (takes == 0) continue;
    if (next == count) format_fault::format_has_more_directives_than_arguments();
    if ((argumentKinds[next++] & takes) == 0) RefuseArgument(takes);
  }
  if (next != count) format_fault::format_has_more_arguments_than_directives();
}

}  // namespace format_check

// A format literal, checked against the argument types Args (decayed: an
// array is its pointer) while the call compiles.
template <typename... Args>
class FormatString {
 public:
  template <std::size_t N>
  consteval FormatString(const Char (&literal)[N]) : text_(literal) {  // NOLINT
    const unsigned kinds[] = {format_check::StandsFor<Args>()..., 0u};
    format_check::CheckFormat(literal, kinds, sizeof...(Args));
  }
  const Char* text() const { return text_; }

 private:
  const Char* text_;
};

// One argument as the formatter reads it; the format check decides which
// member holds it. Numbers of every accepted kind fit an address-sized
// number: a signed one is read back from its low 32 bits.
union FormatArg {
  DWORD_PTR number;
  const Char* text;
};

template <typename T>
FormatArg MakeFormatArg(const T& value) {
  FormatArg arg;
  if constexpr (std::is_pointer_v<std::decay_t<T>>) {
    arg.text = value;
  } else {
    arg.number = static_cast<DWORD_PTR>(value);
  }
  return arg;
}

void PrintFormatted(const Char* format, const FormatArg* args);
std::size_t FormatIntoBuffer(Char* buffer, std::size_t capacity, const Char* format,
                             const FormatArg* args);

// Writes the formatted text to standard output.
template <typename... Args>
void Print(FormatString<std::decay_t<Args>...> format, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    PrintFormatted(format.text(), nullptr);
  } else {
    const FormatArg list[] = {MakeFormatArg(args)...};
    PrintFormatted(format.text(), list);
  }
}

// Formats into a caller's buffer, cut to fit and always zero-terminated; our
// stand-in for wsprintfW, which would need user32.
template <std::size_t N, typename... Args>
std::size_t FormatInto(Char (&buffer)[N], FormatString<std::decay_t<Args>...> format,
                       const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    return FormatIntoBuffer(buffer, N, format.text(), nullptr);
  } else {
    const FormatArg list[] = {MakeFormatArg(args)...};
    return FormatIntoBuffer(buffer, N, format.text(), list);
  }
}
