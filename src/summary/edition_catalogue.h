#pragma once
// Product-type numbers (GetProductInfo, Windows 6 and later) to edition names
// and the three edition words of the summary line.

#include "platform/windows_api.h"
#include "summary/batch_data.h"

struct EditionEntry {
  const Char* name;
  const Char* detp;
  const Char* nat;
  const Char* ins;
};

constexpr DWORD kEditionRows = 105;
extern const EditionEntry EditionCatalogue[kEditionRows];

// Summary mode: sets detp, nat and ins from the row (the last row for every
// larger number), and ppp for the home-server editions.
void ApplyProductType(BatchData& data, DWORD productType);

// Report mode: the product-type line.
void PrintProductType(DWORD productType);
