#pragma once
// Lists stored as one string: entries separated by commas; an entry that holds a space, a
// comma, a double quote or a control character is written in double quotes, with each double
// quote inside doubled. Unquoted entries also end at white space when read.

#include <QString>
#include <QStringList>

namespace quorvex {

QString ToCommaText(const QStringList& entries);
QStringList FromCommaText(const QString& text);

} // namespace quorvex
