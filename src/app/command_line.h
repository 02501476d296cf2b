#pragma once

#include "platform/windows_api.h"

enum class Course { Report, Summary, Help, Usage };

// Decided before any platform call, from the arguments alone.
Course ChooseCourse(int argc, const Char* const* argv);

// Same length, A-Z matching a-z, every other unit identical.
bool EqualIgnoringAsciiCase(const Char* a, const Char* b);
