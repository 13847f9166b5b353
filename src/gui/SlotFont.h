#pragma once
// A font slot of the settings as a toolkit font.

#include "config/OptionsTypes.h"

#include <QFont>

namespace quorvex {

// The slot's face, height and style over base (whose other properties are kept).
QFont SlotFont(const TFontSlot& slot, QFont base = QFont());

// A toolkit font as a slot that is not custom: face, height in pixels, style.
TFontSlot FontSlotOf(const QFont& font);
// The system's font of a slot: the item views' font for the catalog tree and the file list,
// the application's font for the others.
TFontSlot SystemSlotFont(int slot);

} // namespace quorvex
