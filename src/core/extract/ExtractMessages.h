#pragma once
// What the user is told when an extraction fails, by the recorded error code.

#include <QString>

namespace quorvex
{

QString ExtractErrorMessage(int lastExtractError);
// A member passed over because its output path runs through a symbolic link.
QString LinkInPathMessage(const QString& link, const QString& target);

} // namespace quorvex
