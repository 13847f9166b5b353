#pragma once
// The binary font records of the settings store. A font slot record ("Font0".."Font5") is
// height (4 bytes), style (1), face name (a length byte and the characters) and one byte that
// readers ignore. A report section font ("ReportFont1".."ReportFont9") puts a colour (4 bytes)
// before it and keeps the size in points instead of the height.

#include "config/OptionsTypes.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorvex {

struct TReportFont {
    uint32_t Color = 0;
    int32_t Size = 0; // points
    uint8_t Style = 0; // TFontStyleBits
    QString Name;
    bool operator==(const TReportFont&) const = default;
};

// The face of a font slot record; the slot's custom flag lives in "UseFontData".
QByteArray EncodeFontSlotRecord(const TFontSlot& slot);
// Nothing when the record is too short for the name it announces; the custom flag is left out.
std::optional<TFontSlot> DecodeFontSlotRecord(const QByteArray& record);

constexpr qsizetype MaxReportFontRecordSize = 265;
QByteArray EncodeReportFontRecord(const TReportFont& font);
std::optional<TReportFont> DecodeReportFontRecord(const QByteArray& record);

// Text kept as bytes in the store: UTF-8, read as Latin-1 when it is not valid UTF-8.
QString DecodeStoredText(const QByteArray& bytes);
// At most maxBytes bytes of UTF-8, never cutting a character in two.
QByteArray EncodeStoredText(const QString& text, qsizetype maxBytes);

} // namespace quorvex
