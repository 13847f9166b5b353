#pragma once
// The machine's drives as the media code sees them. A drive is a place a medium is read
// from: on Linux a mounted volume (its mount point is the root) or a removable device
// waiting for a medium. Each drive has a short id, shown wherever a drive is named to
// the user ("Drive sr0: is not ready !").

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvex {

// Classification of a drive before any device is asked.
enum TDriveType : int {
    dtUnknown = 0,
    dtNoRootDir = 1,
    dtRemovable = 2,
    dtFixed = 3,
    dtRemote = 4,
    dtCDROM = 5,
    dtRamDisk = 6,
};

struct TDrive {
    QString Id;   // "sda1", "sr0", "root"
    QString Root; // mount point; empty while no medium is mounted
};

constexpr uint32_t fsfCompressedVolume = 0x8000;

struct TVolumeInfo {
    QString Label;
    uint32_t Serial = 0;
    uint32_t MaxComponentLength = 0;
    uint32_t FileSystemFlags = 0;
    QString FileSystem; // "FAT", "FAT32", "CDFS", "NTFS", "EXT4", ...
};

// Answer of the space query; also the readiness probe.
struct TFreeSpace {
    int64_t BytesPerSector = 0;
    int64_t SectorsPerCluster = 0;
    int64_t FreeClusters = 0; // available to the caller
    int64_t TotalClusters = 0;
    int64_t TotalBytes = 0;
    int64_t FreeBytes = 0;
};

class IDrives {
public:
    virtual ~IDrives() = default;

    // The drives present, in the order they are offered to the user.
    virtual std::vector<TDrive> List() = 0;
    virtual TDriveType DriveType(const QString& id) = 0;
    virtual std::optional<TVolumeInfo> VolumeInfo(const QString& id) = 0;
    // Fails while the drive holds no readable medium.
    virtual std::optional<TFreeSpace> FreeSpace(const QString& id) = 0;
    // The device's own idea of its medium, asked for removable and unclassified drives:
    // a floppy type (0..4, 7, 9) or another device type byte; 255 when the device does not say.
    virtual uint8_t DeviceType(const QString& id) = 0;
    // The device's product name ("ZIP 100"); empty when unknown.
    virtual QString ProductId(const QString& id) = 0;
    // Unmounts and ejects the medium; false when refused or failed.
    virtual bool Eject(const QString& id) = 0;
    // Stores a new volume serial number on the medium: true when written, false when
    // nothing was done (file system without a writable serial, no rights); throws EAbort
    // when the device failed half-way.
    virtual bool WriteSerial(const QString& id, uint32_t serial) = 0;
    // path inside the drive, "\" separated, relative to the root ("\dir\sub\" or "dir").
    virtual bool FolderExists(const QString& id, const QString& path) = 0;
    // A drive made for a folder whose file system the list has no drive for (the root of a
    // chroot or a container missing from the mount table); it is listed from then on.
    virtual std::optional<TDrive> DriveForFolder(const QString& folder)
    {
        (void)folder;
        return std::nullopt;
    }
};

// A drive holding a folder, and the folder's place on it.
struct TFolderPlace {
    QString Drive;
    QString VirtualRoot; // "\dir\sub\"; empty: the drive's root itself
};

// The root folder of a drive present now; empty when it holds no mounted medium or is gone.
QString DriveRoot(const QString& id);

// The drive whose root holds folder (absolute, without links), the deepest root on the
// folder's own file system; a drive made from the folder when no listed drive holds it.
std::optional<TFolderPlace> FindDriveOfFolder(const QString& folder);

// The drives the program uses: the machine's own until another is installed.
IDrives& Drives();
void SetDrives(IDrives* drives); // null restores the machine's own
// Changes with every SetDrives, so caches of drive facts know when to start over.
uint64_t DrivesGeneration();

} // namespace quorvex
