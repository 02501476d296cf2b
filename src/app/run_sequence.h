#pragma once

#include "summary/batch_data.h"

enum class Mode { Report, Summary };

// Asks every version query in its fixed order and either prints the report
// or fills the summary and prints its line. Returns the exit status: 0, or 1
// when a module, a needed function or a query failed (its message printed).
int RunSequence(Mode mode, BatchData& summary);
