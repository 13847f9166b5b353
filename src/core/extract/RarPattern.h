#pragma once
// The member selection rule of the RAR extractor: the whole stored name (folders included)
// against the pattern, "?" one character, "*" a run up to the pattern's next character.

#include <string_view>

namespace quorvex
{

bool RarPatternMatch(std::string_view name, std::string_view pattern);

} // namespace quorvex
