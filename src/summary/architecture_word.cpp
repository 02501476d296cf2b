#include "summary/architecture_word.h"

const Char* ArchitectureWord(WORD wProcessorArchitecture) {
  switch (wProcessorArchitecture) {
    case 0: return WIDE("x86");
    case 6: return WIDE("ia64");
    case 9: return WIDE("AMD64");
    case 0xFFFF: return WIDE("Unknown");
    default: return WIDE("Not recognized");
  }
}
