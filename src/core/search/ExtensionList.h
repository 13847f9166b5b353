#pragma once
// Extension lists: each extension with its leading "." and followed by the character 1, so
// a plain substring search for ".EXT" + "\x01" tells whether an extension is in the list.

#include <QString>

#include <string>
#include <string_view>

namespace quorvex {

constexpr char ExtensionEnd = '\x01';

// 'txt, .DOC,*.htm' gives ".txt\x01.DOC\x01.htm\x01" (the case is left alone).
QString ExtensionListString(const QString& typed);

// The text of the extension field as it is left: each comma-separated piece cut to what
// follows its last ".", blanks removed; '*.TXT, doc' gives 'TXT,doc'.
QString NormalizeExtensionText(const QString& typed);

// The item's extension (from the last "." on) + "\x01", upper-cased; empty without one.
std::string ExtensionKey(std::string_view name, std::string& buffer);

} // namespace quorvex
