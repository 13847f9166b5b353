#pragma once
// The DOS file mask match: "?" takes one character, "*" runs to the first occurrence of the
// character after it, without backtracking, so "*A.TXT" does not match "BANANA.TXT".

#include <QString>

#include <string>
#include <string_view>

namespace quorvex {

// mask must already be upper case; the name is upper-cased here.
bool MaskMatch(std::u32string_view upperName, std::u32string_view mask);
bool MaskMatch(std::string_view storedName, std::u32string_view mask);
bool MaskMatch(const QString& name, const QString& mask);

std::u32string MaskPattern(const QString& mask); // upper-cased code points

} // namespace quorvex
