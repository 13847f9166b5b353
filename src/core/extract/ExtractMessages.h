#pragma once
// What the user is told when an extraction fails, by the recorded error code.

#include <QString>

namespace quorvex
{

QString ExtractErrorMessage(int lastExtractError);

} // namespace quorvex
