#pragma once
// The drives of a Linux machine: every mounted volume worth cataloguing, plus the
// removable and optical devices that hold no mounted medium yet.

#include "platform/Drives.h"
#include "platform/LinuxMounts.h"

#include <QString>

#include <vector>

namespace quorvex {

struct TLinuxPaths {
    QString MountInfo = QStringLiteral("/proc/self/mountinfo");
    QString Sys = QStringLiteral("/sys");
    QString Dev = QStringLiteral("/dev");
};

class TLinuxDrives : public IDrives {
public:
    explicit TLinuxDrives(TLinuxPaths paths = {});

    std::vector<TDrive> List() override;
    TDriveType DriveType(const QString& id) override;
    std::optional<TVolumeInfo> VolumeInfo(const QString& id) override;
    std::optional<TFreeSpace> FreeSpace(const QString& id) override;
    uint8_t DeviceType(const QString& id) override;
    QString ProductId(const QString& id) override;
    bool Eject(const QString& id) override;
    bool WriteSerial(const QString& id, uint32_t serial) override;
    bool FolderExists(const QString& id, const QString& path) override;
    std::optional<TDrive> DriveForFolder(const QString& folder) override;

    // One drive as found in the mount table and sysfs.
    struct TEntry {
        TDrive Drive;
        std::optional<TMountEntry> Mount; // none: a device without a mounted medium
        QString DiskDir;    // sysfs folder of the whole disk; empty when not a block device
        QString DiskName;   // "sdb", "sr0"
        QString DevicePath; // what holds the file system: "/dev/sdb1" or an image file
        bool MadeFromFolder = false;
    };
    std::vector<TEntry> Entries();

private:
    std::optional<TEntry> Find(const QString& id);
    QString ReadSys(const QString& diskDir, const char* file) const;
    int64_t DiskSectors(const TEntry& e) const;

    TLinuxPaths m_paths;
    // File systems missing from the mount table, described from a folder on them.
    std::vector<TMountEntry> m_madeFromFolders;
};

} // namespace quorvex
