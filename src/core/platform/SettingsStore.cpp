#include "platform/SettingsStore.h"

#include <QMetaType>

namespace quorvex {

std::optional<QByteArray> ISettingsStore::ReadBinary(const QString& key, const QString& name) const
{
    const QVariant v = ReadRaw(key, name);
    if (v.typeId() != QMetaType::QByteArray) return std::nullopt;
    return v.toByteArray();
}

std::optional<QString> ISettingsStore::ReadString(const QString& key, const QString& name) const
{
    const QVariant v = ReadRaw(key, name);
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::QStringList: // a hand-edited text file splits unquoted commas
        return v.toStringList().join(QLatin1Char(','));
    default:
        return std::nullopt;
    }
}

std::optional<int64_t> ISettingsStore::ReadInteger(const QString& key, const QString& name) const
{
    const QVariant v = ReadRaw(key, name);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return v.toLongLong();
    case QMetaType::QString: { // text formats keep numbers as text
        bool ok = false;
        const qlonglong n = v.toString().trimmed().toLongLong(&ok);
        if (ok) return n;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool ISettingsStore::WriteBinary(const QString& key, const QString& name, const QByteArray& bytes)
{
    return WriteRaw(key, name, QVariant(bytes));
}

bool ISettingsStore::WriteString(const QString& key, const QString& name, const QString& text)
{
    return WriteRaw(key, name, QVariant(text));
}

bool ISettingsStore::WriteInteger(const QString& key, const QString& name, int64_t value)
{
    return WriteRaw(key, name, QVariant(qlonglong(value)));
}

std::optional<QByteArray> ISettingsStore::ReadBinaryOfSize(const QString& key, const QString& name,
                                                           qsizetype size) const
{
    std::optional<QByteArray> bytes = ReadBinary(key, name);
    if (!bytes || bytes->size() != size) return std::nullopt;
    return bytes;
}

std::optional<uint32_t> ISettingsStore::ReadWord(const QString& key, const QString& name) const
{
    const std::optional<QByteArray> bytes = ReadBinaryOfSize(key, name, 4);
    if (!bytes) return std::nullopt;
    return BytesWord(*bytes);
}

bool ISettingsStore::WriteWord(const QString& key, const QString& name, uint32_t word)
{
    return WriteBinary(key, name, WordBytes(word));
}

QByteArray WordBytes(uint32_t word)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = char(uint8_t(word >> (8 * i)));
    return bytes;
}

uint32_t BytesWord(const QByteArray& bytes)
{
    uint32_t word = 0;
    for (int i = 0; i < 4 && i < bytes.size(); ++i) word |= uint32_t(uint8_t(bytes[i])) << (8 * i);
    return word;
}

} // namespace quorvex
