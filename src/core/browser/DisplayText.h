#pragma once
// Stored names and descriptions are bytes: UTF-8 when they are valid UTF-8, otherwise the
// Windows-1252 text older catalogs hold.

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

namespace quorvex {

QString DisplayText(std::string_view bytes);
// A path as the catalog stores it ("\" separated) in this platform's separators.
QString PathText(std::string_view catalogPath);
// The bytes stored for a text the user typed: UTF-8.
std::string StoredText(const QString& text);

} // namespace quorvex
