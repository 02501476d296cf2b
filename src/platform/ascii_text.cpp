#include "platform/ascii_text.h"

namespace {

Char LowerAscii(Char unit) {
  return (unit >= 'A' && unit <= 'Z') ? static_cast<Char>(unit - 'A' + 'a') : unit;
}

}  // namespace

bool EqualIgnoringAsciiCase(const Char* a, const Char* b) {
  while (*a != 0 && LowerAscii(*a) == LowerAscii(*b)) ++a, ++b;
  return *a == 0 && *b == 0;
}
