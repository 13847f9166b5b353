#include "config/WindowRecords.h"

#include "platform/SettingsStore.h"

#include <cstdlib>

namespace quorvex {

static void AppendBounds(QByteArray& bytes, const TWindowBounds& b)
{
    for (int32_t v : {b.Left, b.Top, b.Width, b.Height}) bytes.append(WordBytes(uint32_t(v)));
}

static int32_t I32At(const QByteArray& bytes, qsizetype offset)
{
    return int32_t(BytesWord(bytes.mid(offset, 4)));
}

static TWindowBounds BoundsAt(const QByteArray& bytes)
{
    return {I32At(bytes, 0), I32At(bytes, 4), I32At(bytes, 8), I32At(bytes, 12)};
}

uint8_t TMainWindowRecord::PackSort(int diskKey, int fileKey, bool reversed)
{
    return uint8_t((diskKey & 7) | (fileKey & 7) << 3 | (reversed ? 0x80 : 0));
}

QByteArray EncodeWindowRecord(const TWindowRecord& record)
{
    QByteArray bytes;
    AppendBounds(bytes, record.Bounds);
    bytes.append(WordBytes(uint32_t(record.Value)));
    return bytes;
}

std::optional<TWindowRecord> DecodeWindowRecord(const QByteArray& bytes)
{
    if (bytes.size() != WindowRecordSize) return std::nullopt;
    return TWindowRecord{BoundsAt(bytes), I32At(bytes, 16)};
}

QByteArray EncodeMainWindowRecord(const TMainWindowRecord& record)
{
    QByteArray bytes;
    AppendBounds(bytes, record.Bounds);
    bytes.append(WordBytes(uint32_t(record.TreeWidth)));
    bytes.append(8, '\0');
    bytes.append(char(record.ViewStyle));
    bytes.append(char(record.SortByte));
    return bytes;
}

std::optional<TMainWindowRecord> DecodeMainWindowRecord(const QByteArray& bytes)
{
    if (bytes.size() != MainWindowRecordSize) return std::nullopt;
    TMainWindowRecord record;
    record.Bounds = BoundsAt(bytes);
    record.TreeWidth = I32At(bytes, 16);
    const uint8_t style = uint8_t(bytes[28]);
    record.ViewStyle = style <= vsReport ? style : uint8_t(vsReport);
    record.SortByte = uint8_t(bytes[29]);
    return record;
}

TWindowBounds BoundsToSave(const TWindowBounds& bounds, const TScreenSize& maximized)
{
    if (bounds.Width != maximized.Width || bounds.Height != maximized.Height) return bounds;
    const int64_t width = int64_t(bounds.Width) - 2 * std::llabs(bounds.Left);
    const int64_t height = int64_t(bounds.Height) - 2 * std::llabs(bounds.Top);
    return {0, 0, int32_t(width), int32_t(height)};
}

bool BoundsOnScreen(const TWindowBounds& b, const TScreenSize& screen)
{
    // 64-bit sums: a damaged record may hold values near the limits.
    return b.Left < screen.Width && int64_t(b.Left) + b.Width >= 0 && b.Top < screen.Height &&
           int64_t(b.Top) + b.Height >= 0;
}

void SaveWindowRecord(ISettingsStore& store, const QString& name, TWindowRecord record,
                      const TScreenSize& maximized)
{
    record.Bounds = BoundsToSave(record.Bounds, maximized);
    store.WriteBinary(QString(), name, EncodeWindowRecord(record));
}

std::optional<TWindowRecord> LoadWindowRecord(const ISettingsStore& store, const QString& name)
{
    const auto bytes = store.ReadBinary(QString(), name);
    return bytes ? DecodeWindowRecord(*bytes) : std::nullopt;
}

void SaveMainWindowRecord(ISettingsStore& store, TMainWindowRecord record,
                          const TScreenSize& maximized)
{
    record.Bounds = BoundsToSave(record.Bounds, maximized);
    store.WriteBinary(QString(), QLatin1String(WindowValues::Main), EncodeMainWindowRecord(record));
}

std::optional<TMainWindowRecord> LoadMainWindowRecord(const ISettingsStore& store)
{
    const auto bytes = store.ReadBinary(QString(), QLatin1String(WindowValues::Main));
    return bytes ? DecodeMainWindowRecord(*bytes) : std::nullopt;
}

} // namespace quorvex
