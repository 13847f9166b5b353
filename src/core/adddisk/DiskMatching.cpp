#include "adddisk/DiskMatching.h"

#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"

namespace quorvex {

namespace {

bool SameVolume(const TDiskRec& disk, const TDiskRec& medium)
{
    return disk.SerialNumber == medium.SerialNumber && disk.VolumeLabel == medium.VolumeLabel &&
           StrictlyCompatible(disk.MediaType, medium.MediaType);
}

QString StoredRoot(const TDiskRec& disk)
{
    return NormalizedVirtualRoot(QString::fromStdString(disk.VirtualRootPath.Str()));
}

} // namespace

QString NormalizedVirtualRoot(const QString& root)
{
    QString r = root;
    r.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (r.startsWith(QLatin1Char('\\'))) r.remove(0, 1);
    while (r.endsWith(QLatin1Char('\\'))) r.chop(1);
    return r.isEmpty() ? QString() : QLatin1Char('\\') + r + QLatin1Char('\\');
}

std::vector<TTreeNode*> FindMatchingDisks(TTreeNode* catalogNode, const TMediumChoice& choice)
{
    std::vector<TTreeNode*> matches;
    if (!catalogNode || !choice.Medium) return matches;
    const TDiskRec& medium = *choice.Medium;
    for (const auto& child : catalogNode->Children()) {
        const TDiskRec* disk = AsDisk(child->Data);
        if (!disk || !SameVolume(*disk, medium)) continue;
        const bool virtualDisk = ItemIs(disk, ifVirtualRoot);
        if (virtualDisk != choice.VirtualRootChecked) continue;
        if (virtualDisk) {
            // Two folders of one drive are two Disks: the roots must be the same folder.
            if (StoredRoot(*disk) != NormalizedVirtualRoot(choice.VirtualRoot)) continue;
        } else if (!ItemIs(disk, ifCompressed) &&
                   DiskSize(disk, TDiskSizeKind::Capacity) != DiskSize(&medium, TDiskSizeKind::Capacity)) {
            continue;
        }
        matches.push_back(child.get());
    }
    return matches;
}

bool MediumMatchesDisk(const TDiskRec& disk, const TMediumChoice& choice)
{
    if (!choice.Medium || !SameVolume(disk, *choice.Medium)) return false;
    if (choice.VirtualRootChecked && StoredRoot(disk) == NormalizedVirtualRoot(choice.VirtualRoot)) return true;
    if (ItemIs(&disk, ifCompressed)) return true;
    if (choice.VirtualRootChecked) return false;
    return DiskSize(&disk, TDiskSizeKind::Capacity) == DiskSize(choice.Medium, TDiskSizeKind::Capacity);
}

QString AddDiskStatusLine(TAddDiskMode mode, const TMediumChoice* choice, bool matched)
{
    if (!choice || !choice->Medium) return QStringLiteral("No drive selected");
    const QString head = MediaTypeName(choice->Medium->MediaType) + QStringLiteral(" (") + choice->Drive +
                         QStringLiteral(":), ");
    if (mode == TAddDiskMode::Add)
        return head + QStringLiteral("Serial num: ") + FormatSerial(choice->Medium->SerialNumber) +
               (matched ? QStringLiteral(", already exists in catalog") : QStringLiteral(", not found in catalog"));
    return head + (matched ? QStringLiteral("media match confirmed, ready to update")
                           : QStringLiteral("does NOT match the media selected for update"));
}

} // namespace quorvex
