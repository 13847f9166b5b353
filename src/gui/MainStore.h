#pragma once
// What the main window keeps in the settings store: its layout ("WindowPos", 30 bytes), the
// recent-files list ("MRUList") and whether settings of this program's revision exist.

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSettings;

namespace quorvex {

struct TMainLayout {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    int32_t TreeWidth = 0;
    uint8_t ViewStyle = 3; // 0 large icons, 1 small icons, 2 list, 3 details
    uint8_t SortByte = 0;  // bits 0-2 disks key, 3-5 files key, bit 7 reversed
};
QByteArray EncodeMainLayout(const TMainLayout& layout);
std::optional<TMainLayout> DecodeMainLayout(const QByteArray& bytes); // exactly 30 bytes

class TMainStore {
public:
    // Without a path: the user's own store; tests give a file of their own.
    explicit TMainStore(const QString& path = {});
    ~TMainStore();

    std::optional<TMainLayout> Layout() const;
    void SetLayout(const TMainLayout& layout);
    std::vector<std::string> RecentFiles() const;
    void SetRecentFiles(const std::vector<std::string>& names);
    // The settings count as present when the revision marker can be read.
    bool SettingsPresent() const;
    void WriteRevisionMarker();
    void Sync();

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace quorvex
