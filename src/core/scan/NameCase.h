#pragma once
// The name case rule for names read from media: a name written all in capitals keeps its
// first character and the first character after each backslash, the rest is lower-cased.
// "README.TXT" -> "Readme.txt", "DOCS\READ.ME" -> "Docs\Read.me", "ReadMe.TXT" unchanged.

#include <string>

namespace quorvex
{

void ApplyNameCaseRule(std::string& name);

} // namespace quorvex
