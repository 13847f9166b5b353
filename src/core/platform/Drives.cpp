#include "platform/Drives.h"

#include "platform/ServiceSlot.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#ifdef __linux__
#include "platform/LinuxDrives.h"
#endif

namespace quorvex {

namespace {

#ifndef __linux__
// A machine without a drive layer of ours: no drives.
class TNoDrives : public IDrives {
public:
    std::vector<TDrive> List() override { return {}; }
    TDriveType DriveType(const QString&) override { return dtNoRootDir; }
    std::optional<TVolumeInfo> VolumeInfo(const QString&) override { return std::nullopt; }
    std::optional<TFreeSpace> FreeSpace(const QString&) override { return std::nullopt; }
    uint8_t DeviceType(const QString&) override { return 255; }
    QString ProductId(const QString&) override { return {}; }
    bool Eject(const QString&) override { return false; }
    bool WriteSerial(const QString&, uint32_t) override { return false; }
    bool FolderExists(const QString&, const QString&) override { return false; }
};
#endif

#ifdef __linux__
using TMachineDrives = TLinuxDrives;
#else
using TMachineDrives = TNoDrives;
#endif

TServiceSlot<IDrives, TMachineDrives> s_drives;
uint64_t s_generation = 0;

} // namespace

IDrives& Drives()
{
    return s_drives.Get();
}

void SetDrives(IDrives* drives)
{
    s_drives.Set(drives);
    ++s_generation;
}

uint64_t DrivesGeneration()
{
    return s_generation;
}

namespace {

// Whether both paths are on one file system; true when either cannot be asked.
bool SameFileSystem(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return true;
    return sa.st_dev == sb.st_dev;
}

std::optional<TFolderPlace> PlaceOnListedDrive(const QString& folder)
{
    std::optional<TFolderPlace> place;
    qsizetype best = -1;
    for (const TDrive& d : Drives().List()) {
        if (d.Root.isEmpty()) continue;
        const QString root = QDir::cleanPath(d.Root);
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        if ((folder != root && !folder.startsWith(prefix)) || root.size() <= best) continue;
        // A file system mounted inside the drive but not listed is not the drive's.
        if (!SameFileSystem(folder, root)) continue;
        best = root.size();
        const QString rest = folder == root ? QString() : folder.mid(prefix.size());
        place = TFolderPlace{
            d.Id, rest.isEmpty() ? QString() : u'\\' + QString(rest).replace(u'/', u'\\') + u'\\'};
    }
    return place;
}

} // namespace

std::optional<TFolderPlace> FindDriveOfFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (std::optional<TFolderPlace> place = PlaceOnListedDrive(clean)) return place;
    if (!Drives().DriveForFolder(clean)) return std::nullopt;
    return PlaceOnListedDrive(clean);
}

QString DriveRoot(const QString& id)
{
    for (const TDrive& d : Drives().List())
        if (d.Id == id) return d.Root;
    return {};
}

} // namespace quorvex
