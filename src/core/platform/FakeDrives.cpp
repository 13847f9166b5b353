#include "platform/FakeDrives.h"

#include <QFileInfo>

namespace quorvex {

TFakeDrives::TFakeDrive& TFakeDrives::Add(const QString& id, TDriveType type, uint8_t deviceType,
                                          const QString& productId)
{
    TFakeDrive drive;
    drive.Id = id;
    drive.Type = type;
    drive.DeviceType = deviceType;
    drive.ProductId = productId;
    m_drives.push_back(drive);
    return m_drives.back();
}

void TFakeDrives::Insert(const QString& id, const TFakeMedium& medium)
{
    if (TFakeDrive* d = Find(id)) d->Medium = medium;
}

void TFakeDrives::Remove(const QString& id)
{
    if (TFakeDrive* d = Find(id)) d->Medium.reset();
}

TFakeDrives::TFakeDrive* TFakeDrives::Find(const QString& id)
{
    for (TFakeDrive& d : m_drives)
        if (d.Id == id) return &d;
    return nullptr;
}

std::vector<TDrive> TFakeDrives::List()
{
    std::vector<TDrive> list;
    for (const TFakeDrive& d : m_drives) {
        const QString root = d.Root.isEmpty() ? QStringLiteral("/media/") + d.Id : d.Root;
        list.push_back({d.Id, d.Medium ? root : QString()});
    }
    return list;
}

TDriveType TFakeDrives::DriveType(const QString& id)
{
    const TFakeDrive* d = Find(id);
    return d ? d->Type : dtNoRootDir;
}

std::optional<TVolumeInfo> TFakeDrives::VolumeInfo(const QString& id)
{
    const TFakeDrive* d = Find(id);
    if (!d || !d->Medium || d->Medium->VolumeInfoFails) return std::nullopt;
    const TFakeMedium& m = *d->Medium;
    return TVolumeInfo{m.Label, m.Serial, m.MaxComponentLength, m.FileSystemFlags, m.FileSystem};
}

std::optional<TFreeSpace> TFakeDrives::FreeSpace(const QString& id)
{
    const TFakeDrive* d = Find(id);
    if (!d || !d->Medium) return std::nullopt;
    const TFakeMedium& m = *d->Medium;
    const int64_t cluster = m.BytesPerSector * m.SectorsPerCluster;
    return TFreeSpace{m.BytesPerSector, m.SectorsPerCluster,       m.FreeClusters,
                      m.TotalClusters,  m.TotalClusters * cluster, m.FreeClusters * cluster};
}

uint8_t TFakeDrives::DeviceType(const QString& id)
{
    ++DeviceRequests;
    const TFakeDrive* d = Find(id);
    return d ? d->DeviceType : 255;
}

QString TFakeDrives::ProductId(const QString& id)
{
    ++DeviceRequests;
    const TFakeDrive* d = Find(id);
    return d ? d->ProductId : QString();
}

bool TFakeDrives::Eject(const QString& id)
{
    TFakeDrive* d = Find(id);
    if (!d || !d->Medium || !d->Ejectable) return false;
    d->Medium.reset();
    return true;
}

bool TFakeDrives::WriteSerial(const QString& id, uint32_t serial)
{
    TFakeDrive* d = Find(id);
    if (!d || !d->Medium || !d->Medium->SerialWritable || d->Medium->FileSystem != "FAT")
        return false;
    d->Medium->Serial = serial;
    return true;
}

bool TFakeDrives::FolderExists(const QString& id, const QString& path)
{
    const TFakeDrive* d = Find(id);
    if (!d || !d->Medium) return false;
    QString p = path;
    while (p.endsWith(QLatin1Char('\\')))
        p.chop(1);
    if (!p.startsWith(QLatin1Char('\\'))) p.prepend(QLatin1Char('\\'));
    if (p == QLatin1String("\\") || d->Medium->Folders.contains(p)) return true;
    return !d->Root.isEmpty() &&
           QFileInfo(d->Root + QString(p).replace(QLatin1Char('\\'), QLatin1Char('/'))).isDir();
}

} // namespace quorvex
