#pragma once
// Window positions kept in the settings store: the 20-byte records of the list windows
// ("CompareWndPos", "UserListWndPos", "SearchWndPos", "DescAssistWndPos", "ViewerWndPos") and
// the 30-byte layout of the main window ("WindowPos").

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace quorvex {

class ISettingsStore;

namespace WindowValues {
inline constexpr char Main[] = "WindowPos";
inline constexpr char Compare[] = "CompareWndPos";
inline constexpr char UserList[] = "UserListWndPos";
inline constexpr char Search[] = "SearchWndPos";
inline constexpr char DescAssist[] = "DescAssistWndPos";
inline constexpr char Viewer[] = "ViewerWndPos";
} // namespace WindowValues

struct TWindowBounds {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const TWindowBounds&) const = default;
};

struct TScreenSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// A list window's record: its bounds and a value of its own (-1 when it keeps none).
struct TWindowRecord {
    TWindowBounds Bounds;
    int32_t Value = -1;
    bool operator==(const TWindowRecord&) const = default;
};

enum TViewStyle : uint8_t { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };

struct TMainWindowRecord {
    TWindowBounds Bounds;
    int32_t TreeWidth = 0;
    uint8_t ViewStyle = vsReport;
    uint8_t SortByte = 0; // bits 0-2 disks list key, bits 3-5 files list key, bit 7 reversed
    bool operator==(const TMainWindowRecord&) const = default;

    int DiskSortKey() const { return SortByte & 7; }
    int FileSortKey() const { return (SortByte >> 3) & 7; }
    bool SortReversed() const { return SortByte & 0x80; }
    static uint8_t PackSort(int diskKey, int fileKey, bool reversed);
};

constexpr qsizetype WindowRecordSize = 20;
constexpr qsizetype MainWindowRecordSize = 30;

QByteArray EncodeWindowRecord(const TWindowRecord& record);
std::optional<TWindowRecord> DecodeWindowRecord(const QByteArray& bytes);
QByteArray EncodeMainWindowRecord(const TMainWindowRecord& record);
std::optional<TMainWindowRecord> DecodeMainWindowRecord(const QByteArray& bytes);

// A maximized window (its size equals the maximized size) is kept as its visible area with
// left and top 0.
TWindowBounds BoundsToSave(const TWindowBounds& bounds, const TScreenSize& maximized);
// Whether a stored rectangle still touches the screen; one that does not is not taken.
bool BoundsOnScreen(const TWindowBounds& bounds, const TScreenSize& screen);

// Errors while saving are ignored. Loading gives nothing when the record is missing or not of
// its exact size.
void SaveWindowRecord(ISettingsStore& store, const QString& name, TWindowRecord record,
                      const TScreenSize& maximized);
std::optional<TWindowRecord> LoadWindowRecord(const ISettingsStore& store, const QString& name);
void SaveMainWindowRecord(ISettingsStore& store, TMainWindowRecord record,
                          const TScreenSize& maximized);
std::optional<TMainWindowRecord> LoadMainWindowRecord(const ISettingsStore& store);

// The search window keeps two 16-bit layout values in its record's value.
inline int32_t PackWindowValue(uint16_t low, uint16_t high)
{
    return int32_t(uint32_t(low) | uint32_t(high) << 16);
}
inline uint16_t WindowValueLow(int32_t value) { return uint16_t(uint32_t(value)); }
inline uint16_t WindowValueHigh(int32_t value) { return uint16_t(uint32_t(value) >> 16); }

} // namespace quorvex
