#pragma once
// Drives kept in a table, for tests: media are inserted and removed at will, and every
// device request is counted.

#include "platform/Drives.h"

#include <QSet>
#include <QString>

#include <map>

namespace quorvex {

struct TFakeMedium {
    QString Label;
    uint32_t Serial = 0;
    QString FileSystem = QStringLiteral("FAT");
    uint32_t FileSystemFlags = 0;
    uint32_t MaxComponentLength = 255;
    int64_t BytesPerSector = 512;
    int64_t SectorsPerCluster = 1;
    int64_t TotalClusters = 2847;
    int64_t FreeClusters = 1000;
    bool VolumeInfoFails = false;
    bool SerialWritable = true;
    QSet<QString> Folders; // "\dir\sub", without a trailing "\"
};

class TFakeDrives : public IDrives {
public:
    struct TFakeDrive {
        QString Id;
        TDriveType Type = dtFixed;
        uint8_t DeviceType = 255;
        QString ProductId;
        bool Ejectable = true;
        QString Root; // a real folder standing for the medium; "/media/<id>" when empty
        std::optional<TFakeMedium> Medium;
    };

    TFakeDrive& Add(const QString& id, TDriveType type, uint8_t deviceType = 255,
                    const QString& productId = {});
    void Insert(const QString& id, const TFakeMedium& medium);
    void Remove(const QString& id);
    TFakeDrive* Find(const QString& id);

    std::vector<TDrive> List() override;
    TDriveType DriveType(const QString& id) override;
    std::optional<TVolumeInfo> VolumeInfo(const QString& id) override;
    std::optional<TFreeSpace> FreeSpace(const QString& id) override;
    uint8_t DeviceType(const QString& id) override;
    QString ProductId(const QString& id) override;
    bool Eject(const QString& id) override;
    bool WriteSerial(const QString& id, uint32_t serial) override;
    bool FolderExists(const QString& id, const QString& path) override;

    int DeviceRequests = 0; // DeviceType and ProductId calls

private:
    std::vector<TFakeDrive> m_drives;
};

} // namespace quorvex
