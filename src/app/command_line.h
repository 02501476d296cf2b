#pragma once

#include "platform/windows_api.h"

enum class Course { Report, Summary, Help, Usage };

// Decided before any platform call, from the arguments alone.
Course ChooseCourse(int argc, const Char* const* argv);
