#include "SlotFont.h"

#include <QApplication>
#include <QFontInfo>

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

TFontSlot FontSlotOf(const QFont& font)
{
    TFontSlot slot;
    slot.Face = font.family();
    slot.Height = -std::max(1, QFontInfo(font).pixelSize());
    slot.Style = uint8_t((font.weight() > QFont::Normal ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                         (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0));
    return slot;
}

TFontSlot SystemSlotFont(int slot)
{
    if (slot == fsCatalogTree || slot == fsFileList) return FontSlotOf(QApplication::font("QAbstractItemView"));
    return FontSlotOf(QApplication::font());
}

} // namespace quorvex
