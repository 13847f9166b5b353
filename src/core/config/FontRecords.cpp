#include "config/FontRecords.h"

#include "platform/SettingsStore.h"

#include <QStringDecoder>

namespace quorvex {

QString DecodeStoredText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return QString::fromLatin1(bytes);
    return text;
}

QByteArray EncodeStoredText(const QString& text, qsizetype maxBytes)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes) return bytes;
    qsizetype cut = maxBytes;
    while (cut > 0 && (uint8_t(bytes[cut]) & 0xC0) == 0x80) --cut; // continuation bytes
    bytes.truncate(cut);
    return bytes;
}

static void AppendName(QByteArray& record, const QString& name)
{
    const QByteArray bytes = EncodeStoredText(name, 255);
    record.append(char(uint8_t(bytes.size())));
    record.append(bytes);
    record.append('\0');
}

// The name at offset; nothing when the record ends before it does.
static std::optional<QString> ReadName(const QByteArray& record, qsizetype offset)
{
    if (record.size() < offset + 1) return std::nullopt;
    const qsizetype length = uint8_t(record[offset]);
    if (record.size() < offset + 1 + length) return std::nullopt;
    return DecodeStoredText(record.mid(offset + 1, length));
}

QByteArray EncodeFontSlotRecord(const TFontSlot& slot)
{
    QByteArray record = WordBytes(uint32_t(slot.Height));
    record.append(char(slot.Style));
    AppendName(record, slot.Face);
    return record;
}

std::optional<TFontSlot> DecodeFontSlotRecord(const QByteArray& record)
{
    const std::optional<QString> face = ReadName(record, 5);
    if (!face) return std::nullopt;
    TFontSlot slot;
    slot.Height = int32_t(BytesWord(record));
    slot.Style = uint8_t(record[4]) & 0x0F;
    slot.Face = *face;
    return slot;
}

QByteArray EncodeReportFontRecord(const TReportFont& font)
{
    QByteArray record = WordBytes(font.Color);
    record.append(WordBytes(uint32_t(font.Size)));
    record.append(char(font.Style));
    AppendName(record, font.Name);
    return record;
}

std::optional<TReportFont> DecodeReportFontRecord(const QByteArray& record)
{
    if (record.size() > MaxReportFontRecordSize) return std::nullopt;
    const std::optional<QString> name = ReadName(record, 9);
    if (!name) return std::nullopt;
    TReportFont font;
    font.Color = BytesWord(record);
    font.Size = int32_t(BytesWord(record.mid(4, 4)));
    if (font.Size < 1) return std::nullopt; // no font is drawn at that size
    font.Style = uint8_t(record[8]) & 0x0F;
    font.Name = *name;
    return font;
}

} // namespace quorvex
