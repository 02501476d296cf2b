#pragma once
// The words of the one-line summary, filled query by query; each source
// overwrites what an earlier one set.

#include "platform/windows_api.h"

class BatchData {
 public:
  BatchData() = default;
  BatchData(const BatchData&) = delete;
  BatchData& operator=(const BatchData&) = delete;
  virtual ~BatchData() = default;

  DWORD vM = 0;
  DWORD vm = 0;
  DWORD bld = 0;
  DWORD spvM = 0;
  DWORD spvm = 0;
  const Char* ppp = WIDE("WKS");
  const Char* aaa = WIDE("x86");
  const Char* PP = WIDE("NT");
  const Char* detp = WIDE("WKS");
  const Char* nat = WIDE("_");
  const Char* ins = WIDE("F");
};

// Purpose words by wProductType; 4 and above are outside the table.
extern const Char* const PurposeWords[4];
const Char* PurposeWord(BYTE productType);
