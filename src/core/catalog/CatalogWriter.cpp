#include "catalog/CatalogWriter.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogFormat.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/ReadAheadStream.h"
#include "catalog/TreeNode.h"
#include "catalog/WriteTarget.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quorvex {

namespace {

// The flag that only describes memory is never stored.
constexpr uint8_t StoredKindMask = static_cast<uint8_t>(~ifFilesLinked);

class TSavingMark {
public:
    TSavingMark() { SaveState() = TSaveState{true, nullptr, -1, -1}; }
    ~TSavingMark() { SaveState() = TSaveState{}; }
};

int32_t OffsetOf(const TWriteTarget& out)
{
    const int64_t pos = out.Position();
    if (pos > std::numeric_limits<int32_t>::max())
        throw EStreamError("The catalog file would exceed 2 GB.");
    return static_cast<int32_t>(pos);
}

class TCatalogEncoder {
public:
    TCatalogEncoder(TTreeNode* catNode, TWriteTarget& out, const TWriteCallbacks& cb, TSaveUndo* undo)
        : m_catNode(catNode), m_cat(static_cast<TCatalogRec*>(catNode->Data)), m_out(out), m_cb(cb),
          m_undo(undo)
    {
    }

    void Run()
    {
        if (m_undo) {
            m_undo->Remember(m_cat);
            for (int i = 0; i < m_catNode->Count(); ++i)
                m_undo->Remember(static_cast<TDiskRec*>(m_catNode->Child(i)->Data));
        }
        WriteHeader();
        m_cat->Modified = 0;
        for (int i = 0; i < m_catNode->Count(); ++i) {
            TTreeNode* diskNode = m_catNode->Child(i);
            auto* disk = static_cast<TDiskRec*>(diskNode->Data);
            if (m_cat->CurrentFormat == 1 && !disk->Dirty && disk->RecordOffset > 0 && m_cat->Stream) {
                CopyDiskUnchanged(disk);
                Advance(DiskSize(disk, TDiskSizeKind::Capacity));
            } else {
                WriteDiskInFull(diskNode, disk);
                disk->Dirty = 0;
            }
        }
        m_cat->CurrentFormat = 1;
        m_out.Flush();
    }

private:
    void Advance(int64_t amount)
    {
        if (m_cb.Advance) m_cb.Advance(amount);
    }
    void Idle()
    {
        if (m_cb.Idle) m_cb.Idle();
    }

    void WriteHeader()
    {
        m_out.Write(CatalogSignature, SignatureSize);
        WriteString(m_out, m_catNode->Text);
        WriteString(m_out, m_cat->Description.View());
        bool anyFlagName = false;
        for (const TText& flag : m_cat->FlagNames) anyFlagName |= !flag.IsNull();
        const size_t count = m_cat->Categories.size();
        const uint8_t countByte = count > 0 ? static_cast<uint8_t>(count) : anyFlagName ? 0xFF : 0;
        WriteU8(m_out, countByte);
        for (const auto& [name, number] : m_cat->Categories) {
            WriteString(m_out, name);
            WriteU8(m_out, number);
        }
        if (countByte != 0)
            for (const TText& flag : m_cat->FlagNames) WriteString(m_out, flag.View());
    }

    void CopyOld(int64_t offset, int64_t length)
    {
        TReadAheadStream& old = *m_cat->Stream;
        if (offset + length > old.Size())
            throw EStreamError("Read error in catalog file " + m_cat->FileName + ".");
        // Large unchanged runs go file to file in the kernel where the target allows it.
        if (length >= 65536 && m_out.CopyFromFile(old.Handle(), offset, length)) return;
        old.Seek(offset);
        if (!old.CopyToStream(m_out, length))
            throw EStreamError("Read error in catalog file " + m_cat->FileName + ".");
    }

    void CopyDiskUnchanged(TDiskRec* disk)
    {
        const int32_t oldOffset = disk->RecordOffset;
        disk->RecordOffset = OffsetOf(m_out);
        CopyOld(oldOffset, disk->RecordLength);
    }

    void WriteDiskCounts(const TDiskRec* disk)
    {
        unsigned char counts[DiskCountsSize];
        EncodeDiskCounts(counts, *disk);
        m_out.Write(counts, sizeof counts);
    }

    void WriteDiskInFull(TTreeNode* diskNode, TDiskRec* disk)
    {
        TSaveState& state = SaveState();
        state.Disk = disk;
        state.OldRecordOffset = disk->RecordOffset;
        state.OldRootFilesOffset = disk->FilesOffset;
        const int32_t start = OffsetOf(m_out);
        disk->RecordOffset = start;

        WriteU8(m_out, disk->KindFlags & StoredKindMask);
        WriteDiskCounts(disk);
        WriteString(m_out, diskNode->Text);
        unsigned char run[DiskRunSize];
        EncodeDiskRun(run, *disk);
        m_out.Write(run, sizeof run);
        WriteShortString(m_out, disk->VolumeLabel.substr(0, MaxVolumeLabel));
        WriteShortString(m_out, disk->FileSystem.substr(0, MaxFileSystemName));
        if (ItemIs(disk->KindFlags, ifVirtualRoot)) {
            WriteString(m_out, disk->VirtualRootPath.View());
            WriteI32(m_out, disk->OtherClusters);
        }
        WriteString(m_out, disk->Description.View());

        WriteLists(diskNode, start);
        disk->FolderIndexOffset = OffsetOf(m_out) - start;
        for (int i = 0; i < diskNode->Count(); ++i) WriteFolderEntries(diskNode->Child(i), 1);
        disk->RecordLength = OffsetOf(m_out) - start;

        const int64_t end = m_out.Position();
        m_out.SeekTo(start + 1);
        WriteDiskCounts(disk);
        m_out.SeekTo(end);
        state.Disk = nullptr;
    }

    // A list in memory is encoded; one never loaded is copied from the old file.
    template <typename Owner>
    void WriteList(TTreeNode* node, Owner* owner, int32_t recordStart, int64_t oldListOffset)
    {
        if (m_cat->CurrentFormat == 0) LoadFiles(node);
        if (m_undo) {
            if (auto* folder = AsFolder(owner)) m_undo->Remember(folder);
        }
        const int32_t listStart = OffsetOf(m_out);
        if (owner->FilesInMemory || !m_cat->Stream) {
            int32_t count = 0;
            int32_t descBytes = 0;
            bool described = false;
            // One write per entry: name, fixed run and description length in one piece.
            unsigned char entry[1 + MaxShortString + FileRunSize + 2];
            for (TFileRec* f = owner->Next; f; f = f->Next) {
                const size_t n = f->NameLen;
                entry[0] = f->NameLen;
                std::memcpy(entry + 1, f->NameData(), n);
                EncodeFileRun(entry + 1 + n, *f);
                const std::string_view desc = f->Description.View().substr(0, MaxStoredString);
                PutU16(entry + 1 + n + FileRunSize, static_cast<uint16_t>(desc.size()));
                m_out.Write(entry, 1 + n + FileRunSize + 2);
                if (!desc.empty()) m_out.Write(desc.data(), desc.size());
                descBytes += 2 + static_cast<int32_t>(desc.size());
                described |= !desc.empty();
                ++count;
            }
            owner->FileCount = count;
            owner->FileDescBytes = descBytes;
            SetItemBits(owner, ifDescribedFiles, described);
        } else if (owner->FilesLength > 0) {
            CopyOld(oldListOffset, owner->FilesLength);
        }
        owner->FilesLength = OffsetOf(m_out) - listStart;
        if (owner->FilesLength == 0) {
            owner->FilesOffset = owner->FilesLength = -1;
        } else {
            owner->FilesOffset = listStart - recordStart;
        }
        Idle();
    }

    void WriteLists(TTreeNode* node, int32_t recordStart)
    {
        const int64_t oldBase = SaveState().OldRecordOffset;
        if (auto* disk = AsDisk(node->Data)) {
            WriteList(node, disk, recordStart, oldBase + SaveState().OldRootFilesOffset);
        } else if (auto* folder = AsFolder(node->Data)) {
            WriteList(node, folder, recordStart, oldBase + folder->FilesOffset);
            LoadSubfolders(node, false, false);
        }
        int64_t childTotal = 0;
        for (int i = 0; i < node->Count(); ++i) {
            TTreeNode* child = node->Child(i);
            WriteLists(child, recordStart);
            if (auto* f = AsFolder(child->Data)) childTotal = SaturatingAdd(childTotal, f->TotalSize);
        }
        const int64_t own = AsDisk(node->Data) ? DiskSize(AsDisk(node->Data), TDiskSizeKind::Used)
                                               : static_cast<TFolderRec*>(node->Data)->TotalSize;
        Advance(SaturatingAdd(own, -std::max<int64_t>(childTotal, -std::numeric_limits<int64_t>::max())));
    }

    void WriteFolderEntries(TTreeNode* node, int depth)
    {
        auto* folder = static_cast<TFolderRec*>(node->Data);
        WriteU8(m_out, folder->KindFlags & StoredKindMask);
        WriteU8(m_out, static_cast<uint8_t>(depth));
        WriteString(m_out, node->Text);
        unsigned char run[FolderRunSize];
        EncodeFolderRun(run, *folder);
        m_out.Write(run, sizeof run);
        WriteString(m_out, folder->Description.View());
        Idle();
        for (int i = 0; i < node->Count(); ++i) WriteFolderEntries(node->Child(i), depth + 1);
    }

    TTreeNode* m_catNode;
    TCatalogRec* m_cat;
    TWriteTarget& m_out;
    const TWriteCallbacks& m_cb;
    TSaveUndo* m_undo;
};

} // namespace

void WriteCatalog(TTreeNode* catNode, TWriteTarget& out, const TWriteCallbacks& callbacks,
                  TSaveUndo* undo)
{
    TSavingMark saving;
    TCatalogEncoder(catNode, out, callbacks, undo).Run();
}

void TSaveUndo::Remember(TCatalogRec* cat)
{
    m_cat = cat;
    m_modified = cat->Modified;
    m_currentFormat = cat->CurrentFormat;
}

void TSaveUndo::Remember(TDiskRec* d)
{
    m_disks.push_back({d, d->RecordOffset, d->RecordLength, d->FolderIndexOffset, d->FilesOffset,
                       d->FilesLength, d->FileCount, d->FileDescBytes, d->Dirty, d->KindFlags});
}

void TSaveUndo::Remember(TFolderRec* f)
{
    m_folders.push_back({f, f->FilesOffset, f->FilesLength, f->FileCount, f->FileDescBytes, f->KindFlags});
}

void TSaveUndo::Restore()
{
    // Newest first, so a record remembered twice ends with its oldest state.
    for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it) {
        TFolderRec* f = it->Folder;
        f->FilesOffset = it->FilesOffset;
        f->FilesLength = it->FilesLength;
        f->FileCount = it->FileCount;
        f->FileDescBytes = it->FileDescBytes;
        f->KindFlags = static_cast<uint8_t>((it->KindFlags & ~ifFilesLinked) | (f->KindFlags & ifFilesLinked));
    }
    for (auto it = m_disks.rbegin(); it != m_disks.rend(); ++it) {
        TDiskRec* d = it->Disk;
        d->RecordOffset = it->RecordOffset;
        d->RecordLength = it->RecordLength;
        d->FolderIndexOffset = it->FolderIndexOffset;
        d->FilesOffset = it->FilesOffset;
        d->FilesLength = it->FilesLength;
        d->FileCount = it->FileCount;
        d->FileDescBytes = it->FileDescBytes;
        d->Dirty = it->Dirty;
        d->KindFlags = static_cast<uint8_t>((it->KindFlags & ~ifFilesLinked) | (d->KindFlags & ifFilesLinked));
    }
    if (m_cat) {
        m_cat->Modified = m_modified;
        m_cat->CurrentFormat = m_currentFormat;
    }
    Clear();
}

void TSaveUndo::Clear()
{
    m_cat = nullptr;
    m_disks.clear();
    m_folders.clear();
}

int64_t CatalogProgressTotal(TTreeNode* catNode)
{
    int64_t total = 0;
    for (int i = 0; i < catNode->Count(); ++i) {
        TTreeNode* diskNode = catNode->Child(i);
        int64_t diskTotal = 0;
        for (int j = 0; j < diskNode->Count(); ++j)
            if (auto* f = AsFolder(diskNode->Child(j)->Data)) diskTotal = SaturatingAdd(diskTotal, f->TotalSize);
        if (diskNode->Count() == 0)
            diskTotal = DiskSize(static_cast<TDiskRec*>(diskNode->Data), TDiskSizeKind::Capacity);
        total = SaturatingAdd(total, diskTotal);
    }
    return total > 0 ? total : 1;
}

} // namespace quorvex
