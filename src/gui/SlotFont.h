#pragma once
// A font slot of the settings as a toolkit font.

#include "config/OptionsTypes.h"

#include <QFont>

namespace quorvex {

// The slot's face, height and style over base (whose other properties are kept).
QFont SlotFont(const TFontSlot& slot, QFont base = QFont());

} // namespace quorvex
