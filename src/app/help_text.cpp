#include "app/help_text.h"

void PrintHelp(const Char*) {}
