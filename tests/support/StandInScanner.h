#pragma once
// A small stand-in for the disk scanner, so the add/update flow can be driven end to end in
// tests: it walks a drive's folder (or its virtual root) into a new Disk, keeps descriptions
// of same-named items from the old Disk when asked, honours the abort flag between entries and
// replaces the old Disk only at a successful end. No archives, no description files.

#include "adddisk/DiskScanJob.h"
#include "catalog/CatalogOpener.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "platform/Drives.h"
#include "scan/DriveInfo.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace quorvex::testing {

// Runs before each directory entry; tests press Cancel from here.
inline std::function<void(int entries)>& StandInScanEntryHook()
{
    static std::function<void(int)> hook;
    return hook;
}

namespace standin {

inline TTreeNode* OldChild(TTreeNode* old, const std::string& name)
{
    if (!old) return nullptr;
    for (const auto& c : old->Children())
        if (c->Text == name) return c.get();
    return nullptr;
}

inline const TFileRec* OldFile(TTreeNode* old, std::string_view name)
{
    if (!old || !old->Data) return nullptr;
    LoadFiles(old);
    for (const TFileRec* f = old->Data->Next; f; f = f->Next)
        if (f->Name() == name) return f;
    return nullptr;
}

// False when aborted.
inline bool Walk(const TDiskScanJob& job, TTreeNode* node, TTreeNode* old, const QString& path, int& entries)
{
    TCatalogTree& tree = *node->Tree();
    TFileRec* tail = nullptr;
    const QFileInfoList list =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : list) {
        if (StandInScanEntryHook()) StandInScanEntryHook()(entries);
        ++entries;
        Progress().ProcessEvents();
        if (job.Flags->Abort) return false;
        const std::string name = e.fileName().toStdString();
        if (e.isDir()) {
            auto* rec = new TFolderRec;
            rec->KindFlags = ikFolder;
            rec->Attr = faDirectory;
            rec->DiskNode = OwningDisk(node);
            TTreeNode* child = tree.AddChild(node, name, rec);
            rec->Node = child;
            node->HasChildren = true;
            TTreeNode* oldChild = OldChild(old, name);
            if (job.Switches.KeepCurrent.Checked && oldChild && oldChild->Data)
                rec->Description = static_cast<TFolderRec*>(oldChild->Data)->Description;
            if (!Walk(job, child, oldChild, e.filePath(), entries)) return false;
            if (auto* parent = AsFolder(node->Data)) parent->TotalSize += rec->TotalSize;
            continue;
        }
        TFileRec* f = TFileRec::New(name);
        f->KindFlags = ikFile;
        f->Node = node;
        f->Size = int32_t(e.size());
        f->Attr = faArchive;
        if (job.Switches.KeepCurrent.Checked)
            if (const TFileRec* was = OldFile(old, name)) f->Description = was->Description;
        (tail ? tail->Next : node->Data->Next) = f;
        tail = f;
        if (auto* folder = AsFolder(node->Data)) {
            folder->FileCount++;
            folder->TotalSize += int64_t(f->Size) * CurrencyScale;
        } else if (auto* disk = AsDisk(node->Data)) {
            disk->FileCount++;
        }
        if (!f->Description.IsNull()) SetItemBits(node->Data, ifDescribedFiles, true);
    }
    return true;
}

} // namespace standin

inline void StandInScan(const TDiskScanJob& job)
{
    TTreeNode* cat = job.CatalogNode;
    TCatalogTree& tree = *cat->Tree();
    const std::string wanted = job.DiskName.empty() ? "Disk " + job.Drive.toStdString() + ":" : job.DiskName;
    const std::string name = UniqueDiskName(wanted, cat, job.OldDisk);
    // The real scanner writes a fresh random number; a fixed one does for tests.
    if (job.ChangeSerial) WriteSerial(job.Drive, 0x5EED0001);
    auto* disk = new TDiskRec;
    ReadDriveInfo(job.Drive, *disk);
    disk->KindFlags = ikDisk | ifInScope;
    if (!job.VirtualRoot.isEmpty()) {
        disk->KindFlags |= ifVirtualRoot;
        disk->VirtualRootPath.Assign(job.VirtualRoot.toStdString());
    }
    if (job.OldDisk) disk->Description = AsDisk(job.OldDisk->Data)->Description;
    TTreeNode* node = tree.AddChild(cat, name, disk);
    disk->Node = node;
    QString root = DriveRoot(job.Drive);
    if (!job.VirtualRoot.isEmpty()) root += QString(job.VirtualRoot).replace('\\', '/');
    int entries = 0;
    if (!standin::Walk(job, node, job.OldDisk, root, entries)) {
        DeleteItemNode(node);
        return;
    }
    MarkCatalogModified(cat, true);
    if (job.OldDisk) DeleteItemNode(job.OldDisk);
    job.Flags->Finished = true;
}

} // namespace quorvex::testing
