#include "summary/edition_catalogue.h"

// TODO(edition catalogue issue): the 105 rows.
const EditionEntry EditionCatalogue[kEditionRows] = {};

void ApplyProductType(BatchData&, DWORD) {}
