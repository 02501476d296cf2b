#include "platform/format.h"
#include "summary/edition_catalogue.h"

void PrintProductType(DWORD productType) {
  // The catalogue's last row stands in for unknown numbers in the summary
  // only; the report calls that number unknown as well.
  if (productType < kEditionRows - 1) {
    Print(WIDE("  Product type:                     %u (0x%08lX, \"%s\").\n"),
          productType, productType, EditionCatalogue[productType].name);
  } else {
    Print(WIDE("  Unknown product type:             %u (0x%08lX).\n"), productType,
          productType);
  }
}
