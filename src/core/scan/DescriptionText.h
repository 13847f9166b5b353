#pragma once
// Normalising description texts imported from media: line trimming, the code page 437
// box-character table, and the 50-column wrapping of one-line descriptions.

#include <string>
#include <string_view>

namespace quorvex {

// Line trim and box-character mapping.
std::string CleanDescription(std::string_view text);
// Box-character mapping alone (archive comments).
std::string MapBoxCharacters(std::string_view text);
// Breaks a one-line description into lines of at most 50 columns; lineLimit 0 = unlimited.
// Returns true in truncated when lines were cut off.
std::string WrapDescription(std::string_view text, int lineLimit, bool* truncated = nullptr);

} // namespace quorvex
