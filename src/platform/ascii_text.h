#pragma once

#include "platform/windows_api.h"

// Same length, A-Z matching a-z, every other unit identical: how switches and
// edition words are compared, without any locale.
bool EqualIgnoringAsciiCase(const Char* a, const Char* b);
