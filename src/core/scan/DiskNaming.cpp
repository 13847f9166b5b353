#include "scan/DiskNaming.h"

#include "catalog/ItemRecords.h"
#include "platform/Drives.h"
#include "scan/DriveInfo.h"

#include <QDir>
#include <QStringList>

namespace quorvex
{

namespace
{

constexpr char UnknownLabel[] = "(unknown)";

} // namespace

std::string DefaultDiskName(const TDiskRec& medium, const QString& drive,
                            const QString& virtualRoot)
{
    const QStringList parts = QString(virtualRoot).split(u'\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty()) return parts.last().toStdString();
    const std::string& label = medium.VolumeLabel;
    if (!label.empty() && label != UnknownLabel) return label;
    const QString root = QDir::cleanPath(DriveRoot(drive));
    const QString folder = root.mid(root.lastIndexOf(u'/') + 1);
    if (!folder.isEmpty()) return folder.toStdString();
    return "Disk " + drive.toStdString() + ":";
}

QString VolumeCaption(const QString& drive)
{
    const QString root = DriveRoot(drive);
    if (root.isEmpty()) return {};
    if (const std::optional<TVolumeInfo> info = Drives().VolumeInfo(drive))
        if (!info->Label.trimmed().isEmpty()) return NormalizeVolumeLabel(info->Label.trimmed());
    return QDir::cleanPath(root);
}

} // namespace quorvex
