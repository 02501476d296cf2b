#include "summary/edition_catalogue.h"

void PrintProductType(DWORD) {}
