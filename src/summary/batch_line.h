#pragma once

#include "summary/batch_data.h"

// Writes the twelve-word line that a batch file's FOR /F splits.
void PrintBatchLine(const BatchData& data);
