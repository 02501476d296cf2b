#include "report/system_info_report.h"

#include "platform/format.h"
#include "summary/architecture_word.h"

namespace {

// The mask is as wide as an address, so a 64-bit build counts all 64 bits.
unsigned ActiveProcessors(DWORD_PTR mask) {
  unsigned count = 0;
  for (; mask != 0; mask &= mask - 1) ++count;
  return count;
}

const Char* ProcessorTypeName(DWORD type) {
  switch (type) {
    case 386: return WIDE("i386");
    case 486: return WIDE("i486");
    case 586: return WIDE("Pentium");
    case 2200: return WIDE("Itanium");
    case 8664: return WIDE("AMDx64");
    default: return WIDE("other");
  }
}

// Room for the longest detail (40 units) with plenty to spare.
constexpr int kDetailUnits = 128;

// The revision read as xxyz: the detail the processor type calls for, or
// nothing. It goes inside the line's parentheses, right after the hex value.
void FormatRevisionDetail(DWORD type, WORD revision, Char (&detail)[kDetailUnits]) {
  const unsigned high = static_cast<unsigned>(revision) >> 8;  // xx
  const unsigned low = revision & 0xFFu;                        // yz
  const unsigned model = low >> 4;                              // y
  const unsigned stepping = low & 0xFu;                         // z
  detail[0] = 0;
  if (type == 386 || type == 486) {
    if (high == 0xFF) {
      FormatInto(detail, WIDE(", Model %u (0x%02lX), stepping id %u (0x%02lX)"),
                 model, model, stepping, stepping);
    } else {
      // 'A' for 0; from 0xBF on the letter lies above U+00FF and the sink
      // shows it as '?', like any such unit.
      const Char letter = static_cast<Char>(0x41u + high);
      FormatInto(detail, WIDE(", Stepping %c, minor stepping %02lX"), letter, low);
    }
  } else if (type == 586) {
    FormatInto(detail, WIDE(", Model %02lX, stepping %02lX"), high, low);
  }
}

}  // namespace

void PrintSystemInfo(const SYSTEM_INFO& info) {
  Char detail[kDetailUnits];
  FormatRevisionDetail(info.dwProcessorType, info.wProcessorRevision, detail);

  Print(WIDE("  Processor Architecture (OS):      %u (0x%04lX, %s).\n"),
        info.wProcessorArchitecture, info.wProcessorArchitecture,
        ArchitectureWord(info.wProcessorArchitecture));
  Print(WIDE("  Processor Mask:                   0x%p (%u active).\n"),
        info.dwActiveProcessorMask, ActiveProcessors(info.dwActiveProcessorMask));
  Print(WIDE("  Processor Count:                  %u (0x%08lX).\n"),
        info.dwNumberOfProcessors, info.dwNumberOfProcessors);
  Print(WIDE("  Processor Type (obs):             %s (%u, 0x%08lX).\n"),
        ProcessorTypeName(info.dwProcessorType), info.dwProcessorType,
        info.dwProcessorType);
  Print(WIDE("  Processor Level:                  %u (0x%04lX).\n"),
        info.wProcessorLevel, info.wProcessorLevel);
  Print(WIDE("  Processor Revision:               %u (0x%04lX%s).\n"),
        info.wProcessorRevision, info.wProcessorRevision, detail);
  Print(WIDE("  Page size:                        %u (0x%08lX) bytes.\n"),
        info.dwPageSize, info.dwPageSize);
  Print(WIDE("  Allocation Granularity:           %u (0x%08lX) bytes.\n"),
        info.dwAllocationGranularity, info.dwAllocationGranularity);
  Print(WIDE("  Mininum App Address (Hex):        %p.\n"),
        AddressBits(info.lpMinimumApplicationAddress));
  Print(WIDE("  Maximum App Address (Hex):        %p.\n"),
        AddressBits(info.lpMaximumApplicationAddress));
}
