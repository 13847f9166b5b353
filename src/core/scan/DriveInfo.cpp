#include "scan/DriveInfo.h"

#include "catalog/ItemRecords.h"
#include "platform/Drives.h"
#include "platform/Prompt.h"
#include "scan/MediaType.h"

#include <QDateTime>

#include <algorithm>
#include <limits>

namespace quorvex {

namespace {

int64_t RoundedQuotient(int64_t value, int64_t divisor)
{
    return value < 0 ? -((-value + divisor / 2) / divisor) : (value + divisor / 2) / divisor;
}

void ClustersFromBytes(TDriveSpace& s)
{
    const int64_t cluster = s.BytesPerSector * s.SectorsPerCluster;
    s.TotalClusters = RoundedQuotient(s.TotalBytes, cluster);
    s.FreeClusters = RoundedQuotient(s.FreeBytes, cluster);
}

void GeometryFromSize(TDriveSpace& s)
{
    if (s.FileSystem == QLatin1String("FAT32")) {
        s.BytesPerSector = 512;
        s.SectorsPerCluster = 1;
        if (s.TotalBytes >= (int64_t(1) << 28)) {
            s.SectorsPerCluster = 8;
            for (int64_t limit = int64_t(8) << 30; s.TotalBytes > limit && limit > 0; limit <<= 1)
                s.SectorsPerCluster <<= 1;
        }
    } else if (s.FileSystem == QLatin1String("CDFS")) {
        s.BytesPerSector = 2048;
        s.SectorsPerCluster = 1;
    } else {
        s.BytesPerSector = 512;
        s.SectorsPerCluster = 1;
        for (int64_t limit = 33554431; s.TotalBytes > limit && limit > 0; limit <<= 1)
            s.SectorsPerCluster <<= 1;
    }
    ClustersFromBytes(s);
}

// Disk records keep cluster counts in 32 bits: very large volumes are described with
// larger clusters rather than a count that wraps.
void FitClusterCount(TDriveSpace& s)
{
    constexpr int64_t maxClusters = std::numeric_limits<int32_t>::max();
    if (s.BytesPerSector <= 0 || s.SectorsPerCluster <= 0) return;
    while (s.TotalClusters > maxClusters || s.FreeClusters > maxClusters) {
        s.SectorsPerCluster <<= 1;
        s.TotalClusters = (s.TotalClusters + 1) / 2;
        s.FreeClusters = (s.FreeClusters + 1) / 2;
    }
}

int32_t Narrow(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Cuts at a character boundary so no UTF-8 sequence is split.
std::string CutUtf8(const QString& text, size_t maxBytes)
{
    QString t = text;
    QByteArray bytes = t.toUtf8();
    while (size_t(bytes.size()) > maxBytes) {
        t.chop(t.size() >= 2 && t.at(t.size() - 1).isLowSurrogate() ? 2 : 1);
        bytes = t.toUtf8();
    }
    return bytes.toStdString();
}

} // namespace

bool DriveSpace(TDriveSpace& space, bool recomputeOnly)
{
    if (!recomputeOnly) {
        const std::optional<TFreeSpace> answer = Drives().FreeSpace(space.Drive);
        if (!answer) {
            space.TotalBytes = space.FreeBytes = -1;
            return false;
        }
        space.BytesPerSector = answer->BytesPerSector;
        space.SectorsPerCluster = answer->SectorsPerCluster;
        space.TotalClusters = answer->TotalClusters;
        space.FreeClusters = answer->FreeClusters;
        space.TotalBytes = answer->TotalBytes;
        space.FreeBytes = answer->FreeBytes;
        if (space.FileSystem != QLatin1String("FAT")) {
            FitClusterCount(space);
            return true;
        }
    }
    GeometryFromSize(space);
    FitClusterCount(space);
    return true;
}

QString NormalizeVolumeLabel(const QString& label)
{
    QString result = label == label.toUpper() ? label.toLower() : label;
    if (!result.isEmpty()) {
        // The first character may be a surrogate pair; upper-case it as a whole.
        const int head = result.at(0).isHighSurrogate() && result.size() > 1 ? 2 : 1;
        result.replace(0, head, result.left(head).toUpper());
    }
    return result;
}

void ReadDriveInfo(const QString& drive, TDiskRec& disk)
{
    disk.KindFlags = ikDisk | ifInScope;
    disk.Slots = {-1, -1, -1};
    disk.FilesInMemory = 1;
    disk.Dirty = 1;
    disk.RecordOffset = disk.RecordLength = disk.FolderIndexOffset = -1;
    disk.FilesOffset = disk.FilesLength = -1;
    disk.FileCount = disk.TotalFiles = disk.TotalArchiveMembers = 0;
    disk.TotalFolders = 0;
    disk.ScanFlags = disk.Reserved91 = 0;
    disk.OtherClusters = 0;
    disk.Next = nullptr;
    disk.Node = nullptr;
    disk.Description.Reset();
    disk.VirtualRootPath.Reset();
    disk.MediaType = DriveMediaType(drive);
    disk.Catalogued = CurrentDateTime();

    TDriveSpace space;
    space.Drive = drive;
    uint32_t serial = 0;
    uint32_t maxName = 0;
    if (const std::optional<TVolumeInfo> info = Drives().VolumeInfo(drive)) {
        disk.VolumeLabel = CutUtf8(NormalizeVolumeLabel(info->Label), MaxVolumeLabel);
        disk.FileSystem =
            CutUtf8(info->FileSystem.toUpper().left(int(MaxFileSystemName)), MaxFileSystemName);
        serial = info->Serial;
        maxName = info->MaxComponentLength;
        if (info->FileSystemFlags & fsfCompressedVolume) disk.KindFlags |= ifCompressed;
    } else {
        disk.VolumeLabel = "(unknown)";
        disk.FileSystem = "unknown";
    }
    space.FileSystem = QString::fromStdString(disk.FileSystem);
    DriveSpace(space, false);
    disk.BytesPerSector = Narrow(space.BytesPerSector);
    disk.SectorsPerCluster = Narrow(space.SectorsPerCluster);
    disk.TotalClusters = Narrow(space.TotalClusters);
    disk.FreeClusters = Narrow(space.FreeClusters);
    disk.SerialNumber = serial;
    disk.MaxNameLength = Narrow(maxName);
}

bool WaitUntilReady(const QString& drive, bool prompt)
{
    for (;;) {
        if (Drives().FreeSpace(drive)) return true;
        if (!prompt) return false;
        const int answer =
            Prompt().Ask(QStringLiteral("Drive Not Ready"),
                         QStringLiteral("Drive ") + drive + QStringLiteral(": is not ready !"),
                         pbRetry | pbCancel, TPromptIcon::Error);
        if (answer != pbRetry) return false;
    }
}

bool EjectMedium(const QString& drive)
{
    return Drives().Eject(drive);
}

bool WriteSerial(const QString& drive, uint32_t serial)
{
    return Drives().WriteSerial(drive, serial);
}

QString FormatSerial(uint32_t serial)
{
    return QStringLiteral("%1-%2")
        .arg(serial >> 16, 4, 16, QLatin1Char('0'))
        .arg(serial & 0xFFFF, 4, 16, QLatin1Char('0'))
        .toUpper();
}

double CurrentDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate epoch(1899, 12, 30);
    const double days = double(epoch.daysTo(now.date()));
    const double dayPart = now.time().msecsSinceStartOfDay() / 86400000.0;
    return days + dayPart;
}

} // namespace quorvex
