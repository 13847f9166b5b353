#include "SlotFont.h"

namespace quorvex {

QFont SlotFont(const TFontSlot& slot, QFont base)
{
    if (!slot.Face.isEmpty()) base.setFamily(slot.Face);
    if (slot.Height < 0) base.setPixelSize(-slot.Height);
    base.setBold(slot.Style & fsBold);
    base.setItalic(slot.Style & fsItalic);
    base.setUnderline(slot.Style & fsUnderline);
    base.setStrikeOut(slot.Style & fsStrikeOut);
    return base;
}

} // namespace quorvex
