#include "summary/batch_fill.h"

#include "summary/architecture_word.h"

const Char* const PurposeWords[4] = {WIDE("UNK"), WIDE("WKS"), WIDE("SDC"),
                                     WIDE("SVR")};

const Char* PurposeWord(BYTE productType) {
  return productType < 4 ? PurposeWords[productType] : WIDE("UNK");
}

DWORD PackedMajorVersion(DWORD packed) { return packed & 0xFF; }

DWORD PackedMinorVersion(DWORD packed) { return (packed >> 8) & 0xFF; }

DWORD PackedBuildNumber(DWORD packed) {
  // With bit 31 set the high word is no build number (Windows 9x used it).
  return (packed & 0x80000000u) ? 0 : packed >> 16;
}

void ApplyPackedVersion(BatchData& data, DWORD packed) {
  data.vM = PackedMajorVersion(packed);
  data.vm = PackedMinorVersion(packed);
  data.bld = PackedBuildNumber(packed);
}

void ApplyVersionRecord(BatchData& data, const OSVERSIONINFOEXW& record) {
  data.vM = record.dwMajorVersion;
  data.vm = record.dwMinorVersion;
  data.bld = record.dwBuildNumber;
  // Only the extended record carries product type and service pack numbers.
  if (record.dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXW)) return;
  data.ppp = data.detp = PurposeWord(record.wProductType);
  data.spvM = record.wServicePackMajor;
  data.spvm = record.wServicePackMinor;
}

void ApplyArchitecture(BatchData& data, const SYSTEM_INFO& info) {
  data.aaa = ArchitectureWord(info.wProcessorArchitecture);
}
