#pragma once
// Stored names and descriptions are bytes: UTF-8 in new catalogs, Windows-1252 in catalogs
// whose text is not valid UTF-8. Matching compares them as UTF-8, upper-cased by Unicode
// rules when the test ignores case. Plain ASCII takes a fast path without decoding.

#include <QString>

#include <string>
#include <string_view>

namespace quorvex {

// The stored bytes as text: UTF-8 when valid, otherwise Windows-1252.
QString DecodeStoredText(std::string_view bytes);

// The bytes as UTF-8, upper-cased when upper is set. Returns text itself when nothing
// changes, otherwise a view of buffer.
std::string_view TextForMatch(std::string_view text, bool upper, std::string& buffer);

// The same as code points, for the mask match.
std::u32string_view CodePointsForMatch(std::string_view text, bool upper, std::u32string& buffer);

// Whether pattern (already upper case when upper is set) occurs in the stored text.
bool ContainsForMatch(std::string_view text, std::string_view pattern, bool upper);

// A pattern typed by the user, upper-cased unless caseSensitive, as UTF-8.
std::string PatternForMatch(const QString& pattern, bool caseSensitive);

} // namespace quorvex
