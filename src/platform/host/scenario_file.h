#pragma once
// Reads a scenario: the answers the stand-in gives, as "key = value" lines.
// The format is documented in the README's testing section.

#include <string>

#include "platform/host/standin.h"

struct ScenarioFile {
  StandInScenario answers = TypicalScenario();
  std::u16string programName = u"oskavel";
};

// Applies the lines of text over `into`. On a bad line returns false and
// describes it in `error`.
bool ParseScenario(const std::string& text, ScenarioFile& into,
                   std::string& error);

// UTF-8 to UTF-16; a malformed byte becomes U+FFFD.
std::u16string DecodeUtf8(const std::string& bytes);
