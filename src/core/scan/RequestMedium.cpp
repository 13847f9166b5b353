#include "scan/RequestMedium.h"

#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "platform/Drives.h"
#include "platform/Mounter.h"
#include "platform/Prompt.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"
#include "scan/MediumPrompt.h"

#include <vector>

namespace quorvex {

namespace {

std::vector<QString> CompatibleDrives(uint8_t mediaType)
{
    std::vector<QString> ids;
    for (const TDrive& d : Drives().List())
        if (DriveCompatible(DriveMediaType(d.Id), mediaType)) ids.push_back(d.Id);
    return ids;
}

QString TextOf(const std::string_view path)
{
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

// Drives come and go with their media here (a stick, a share), so every look is at the
// drives present now. A medium in a drive with nothing mounted is mounted first.
QString DriveHoldingDisk(const TDiskRec& disk)
{
    for (const QString& drive : CompatibleDrives(disk.MediaType))
        if (DriveHoldsDisk(drive, disk)) return drive;
    bool mounted = false;
    for (const QString& drive : CompatibleDrives(disk.MediaType))
        if (DriveRoot(drive).isEmpty()) mounted = Mounter().MountMedium(drive) || mounted;
    if (mounted)
        for (const QString& drive : CompatibleDrives(disk.MediaType))
            if (DriveHoldsDisk(drive, disk)) return drive;
    return {};
}

} // namespace

QString InsertMediaText(const QString& diskName, const QString& mediaTypeName)
{
    return QStringLiteral("Please insert media labeled:\r") + diskName +
           QStringLiteral("\r(Media type: ") + mediaTypeName + QLatin1Char(')');
}

bool DriveHoldsDisk(const QString& drive, const TDiskRec& disk)
{
    if (!WaitUntilReady(drive, false)) return false;
    TDiskRec info;
    ReadDriveInfo(drive, info);
    if (info.SerialNumber != disk.SerialNumber || info.VolumeLabel != disk.VolumeLabel ||
        !StrictlyCompatible(info.MediaType, disk.MediaType))
        return false;
    const bool virtualRoot = ItemIs(disk.KindFlags, ifVirtualRoot);
    if (virtualRoot && Drives().FolderExists(drive, TextOf(disk.VirtualRootPath.View())))
        return true;
    if (ItemIs(disk.KindFlags, ifCompressed)) return true;
    if (virtualRoot) return false;
    const int64_t capacity =
        int64_t(info.TotalClusters) * info.BytesPerSector * info.SectorsPerCluster;
    return DiskSize(&disk, TDiskSizeKind::Capacity) == capacity * CurrencyScale;
}

TRequestedMedium RequestMedium(TTreeNode* node, bool interactive, bool allowManual)
{
    Progress().ProcessEvents();
    TTreeNode* diskNode = OwningDisk(node);
    if (!diskNode) return {};
    const TDiskRec& disk = *static_cast<const TDiskRec*>(diskNode->Data);
    const QString typeName = MediaTypeName(disk.MediaType, disk.KindFlags);

    if (CompatibleDrives(disk.MediaType).empty()) {
        if (interactive)
            Prompt().Inform(
                QStringLiteral("No such device"),
                QStringLiteral(
                    "Sorry, there is no such device installed that could accept this media type."),
                TPromptIcon::Information);
        return {};
    }

    for (;;) {
        const QString drive = DriveHoldingDisk(disk);
        if (!drive.isEmpty()) return {TRequestedMedium::Found, drive};

        if (!IsRemovableMediaType(disk.MediaType)) {
            if (!interactive) return {};
            QString text = QStringLiteral("The media you requested (") + typeName +
                           QStringLiteral(") was not found\r\nand does not seem to be removable.");
            if (allowManual)
                text +=
                    QStringLiteral(" Please select \rthe appropriate drive yourself if available.");
            Prompt().Inform(QStringLiteral("Non-Removable Media"), text, TPromptIcon::Information);
            return {allowManual ? TRequestedMedium::ManualSelect : TRequestedMedium::NotFound, {}};
        }
        if (!interactive) return {};

        TMediumRequest request;
        request.DiskName = QString::fromStdString(diskNode->Text);
        request.MediaTypeName = typeName;
        request.Label = QString::fromStdString(disk.VolumeLabel);
        request.Serial = FormatSerial(disk.SerialNumber);
        request.AllowManual = allowManual;
        request.Present = [&disk] { return !DriveHoldingDisk(disk).isEmpty(); };
        const int answer = MediumPrompt().AskForMedium(request);
        if (answer == pbManualSelect && allowManual) return {TRequestedMedium::ManualSelect, {}};
        if (answer != pbOK) return {};
    }
}

} // namespace quorvex
