#include "catalog/CatalogReader.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogFormat.h"
#include "catalog/ItemRoutines.h"
#include "catalog/ReadAheadStream.h"
#include "catalog/TreeNode.h"
#include "platform/Prompt.h"

#include <QDir>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace quorvex {

TSaveState& SaveState()
{
    static TSaveState state;
    return state;
}

std::string DamagedListMessage(const std::string& folderPath)
{
    return "Program detected an error while trying to load files in folder \"" + folderPath +
           "\". Catalog file may be damaged.\r\n"
           "Program will try to recover by skipping the rest of files in this folder.";
}

namespace {

void ShowRecoveryMessage(TTreeNode* owner)
{
    // The user reads the folder's path in this platform's separators.
    std::string path = ItemPath(owner->Data, true, false);
    std::replace(path.begin(), path.end(), '\\', char(QDir::separator().toLatin1()));
    Prompt().Inform("Error Loading Catalog", QString::fromStdString(DamagedListMessage(path)), TPromptIcon::Error);
}

} // namespace

TCatalogReaderEvents& CatalogReaderEvents()
{
    static TCatalogReaderEvents events{ShowRecoveryMessage, ShowRecoveryMessage};
    return events;
}

namespace {

[[noreturn]] void StructureError() { throw EInvalidCatalog(MsgStructureError); }

int32_t DiskBase(const TDiskRec* disk)
{
    const TSaveState& s = SaveState();
    return s.Saving && s.Disk == disk ? s.OldRecordOffset : disk->RecordOffset;
}

int32_t RootFilesOffset(const TDiskRec* disk)
{
    const TSaveState& s = SaveState();
    return s.Saving && s.Disk == disk ? s.OldRootFilesOffset : disk->FilesOffset;
}

TReadAheadStream* CatalogStream(TTreeNode* node)
{
    TCatalogRec* cat = OwningCatalogRec(node);
    return cat ? cat->Stream.get() : nullptr;
}

// A stored list must be absent (-1/-1) or lie inside its disk record.
void CheckListBounds(int32_t offset, int32_t length, int32_t count, int32_t descBytes,
                     int32_t recordLength)
{
    if (offset == -1 && length == -1) return;
    if (offset <= 0 || length <= 0 || int64_t(offset) + length > recordLength) StructureError();
    if (count < 0 || descBytes < 0 || descBytes > length ||
        int64_t(count) * int64_t(MinFileEntrySize) > length)
        StructureError();
}

void ReadCategories(TCatalogInput& in, TCatalogRec& cat)
{
    const uint8_t count = in.U8();
    if (count == 0) return;
    if (count != 0xFF) {
        for (int i = 0; i < count; ++i) {
            std::string name = in.String();
            const uint8_t number = in.U8();
            cat.Categories.emplace_back(std::move(name), number);
        }
    }
    for (TText& flag : cat.FlagNames) flag.Assign(in.String());
}

void ReadDisk(TCatalogInput& in, TTreeNode* catNode, int64_t fileSize)
{
    TReadAheadStream& s = in.Stream();
    const uint8_t kind = in.U8();
    if (!ItemIs(kind, ikDisk)) StructureError();
    auto disk = std::make_unique<TDiskRec>();
    disk->RecordOffset = static_cast<int32_t>(s.Position() - 1);
    unsigned char counts[DiskCountsSize];
    in.Read(counts, sizeof counts);
    disk->RecordLength = GetI32(counts);
    disk->FolderIndexOffset = GetI32(counts + 4);
    disk->FilesOffset = GetI32(counts + 8);
    disk->FilesLength = GetI32(counts + 12);
    disk->FileCount = GetI32(counts + 16);
    disk->FileDescBytes = GetI32(counts + 20);
    if (disk->RecordLength <= 0 || disk->RecordOffset + int64_t(disk->RecordLength) > fileSize)
        StructureError();
    std::string name = in.String();
    disk->KindFlags = kind | ifInScope;
    disk->FilesInMemory = disk->FilesOffset < 0 ? 1 : 0;
    disk->Dirty = 0;
    unsigned char run[DiskRunSize];
    in.Read(run, sizeof run);
    DecodeDiskRun(run, *disk);
    disk->VolumeLabel = in.ShortString().substr(0, MaxVolumeLabel);
    disk->FileSystem = in.ShortString().substr(0, MaxFileSystemName);
    if (ItemIs(kind, ifVirtualRoot)) {
        disk->VirtualRootPath.Assign(in.String());
        disk->OtherClusters = in.I32();
    }
    disk->Description.Assign(in.String());
    const int64_t headerLength = s.Position() - disk->RecordOffset;
    if (disk->FolderIndexOffset < headerLength || disk->FolderIndexOffset > disk->RecordLength)
        StructureError();
    CheckListBounds(disk->FilesOffset, disk->FilesLength, disk->FileCount, disk->FileDescBytes,
                    disk->RecordLength);
    TTreeNode* node = catNode->Tree()->AddChild(catNode, std::move(name));
    disk->Node = node;
    node->Data = disk.release();
}

// Parses a stored list from memory into one block of records linked after owner.
// Returns false when the list is damaged; the records parsed so far stay linked.
// The block is sized from the stored counts: each entry takes 19 + n bytes of the list besides
// its description and at most 64 + n bytes as a record.
bool ParseFileList(TItemRec* owner, TTreeNode* ownerNode, const unsigned char* data, size_t length,
                   size_t blockSize, std::unique_ptr<unsigned char[]>& block)
{
    SetItemBits(owner, ifFilesLinked, true);
    block.reset(new (std::nothrow) unsigned char[blockSize ? blockSize : 1]);
    if (!block) return false;
    const uint8_t memberFlag = ItemIs(owner, ifArchive) ? ifArchive : 0;
    size_t used = 0;
    size_t pos = 0;
    TFileRec** link = &owner->Next;
    while (pos < length) {
        const size_t nameLen = data[pos];
        if (pos + 1 + nameLen + FileRunSize + 2 > length) return false;
        const size_t bytes = TFileRec::RecordBytes(nameLen);
        if (used + bytes > blockSize) return false;
        const unsigned char* run = data + pos + 1 + nameLen;
        const size_t descLen = GetU16(run + FileRunSize);
        if (descLen > MaxStoredString) return false;
        if (pos + 1 + nameLen + FileRunSize + 2 + descLen > length) return false;
        auto* rec = new (block.get() + used) TFileRec;
        used += bytes;
        rec->KindFlags = ikFile | memberFlag;
        rec->Node = ownerNode;
        rec->NameLen = static_cast<uint8_t>(nameLen);
        std::memcpy(rec->NameData(), data + pos + 1, nameLen);
        DecodeFileRun(run, *rec);
        if (descLen) {
            rec->Description.Assign({reinterpret_cast<const char*>(run + FileRunSize + 2), descLen});
            SetItemBits(owner, ifDescribedFiles, true);
        }
        *link = rec;
        link = &rec->Next;
        pos += 1 + nameLen + FileRunSize + 2 + descLen;
    }
    return true;
}

struct TListInfo {
    int32_t Offset, Length, Count, DescBytes;
};

void ReadFileList(TTreeNode* node, TItemRec* owner, const TListInfo& list, int32_t base,
                  std::unique_ptr<unsigned char[]>& block)
{
    TReadAheadStream* stream = CatalogStream(node);
    std::vector<unsigned char> data(static_cast<size_t>(list.Length));
    stream->Seek(int64_t(base) + list.Offset);
    const int32_t got = stream->Read(data.data(), list.Length);
    const size_t blockSize = size_t(list.Length - list.DescBytes) +
                             size_t(list.Count) * (sizeof(TFileRec) - (1 + FileRunSize));
    const bool ok = ParseFileList(owner, node, data.data(), static_cast<size_t>(got), blockSize, block);
    if (!ok || got != list.Length) {
        if (CatalogReaderEvents().FileListDamaged) CatalogReaderEvents().FileListDamaged(node);
    }
}

} // namespace

TTreeNode* ReadCatalogFile(TCatalogTree& tree, const std::string& fileName)
{
    auto stream = std::make_unique<TReadAheadStream>(fileName, TReadAheadStream::CatalogBufferSize);
    TCatalogInput in(*stream);
    char signature[SignatureSize];
    if (stream->Read(signature, SignatureSize) != SignatureSize ||
        std::memcmp(signature, "Catalog ", 8) != 0)
        throw EInvalidCatalog(MsgNotACatalog);
    const bool oldFormat = std::memcmp(signature + 8, "1.00", 4) == 0;
    const int64_t fileSize = stream->Size();

    std::string name = in.String();
    auto* cat = new TCatalogRec;
    TTreeNode* node = tree.AddChild(nullptr, std::move(name), cat);
    cat->Node = node;
    try {
        cat->FileName = fileName.substr(0, MaxShortString);
        cat->Modified = oldFormat ? 1 : 0;
        cat->CurrentFormat = oldFormat ? 0 : 1;
        cat->Description.Assign(in.String());
        ReadCategories(in, *cat);
        cat->Stream = std::move(stream);
        TReadAheadStream& s = *cat->Stream;
        while (!s.Eof()) {
            ReadDisk(in, node, fileSize);
            TTreeNode* diskNode = node->Child(node->Count() - 1);
            auto* disk = static_cast<TDiskRec*>(diskNode->Data);
            LoadSubfolders(diskNode, false, false);
            s.Seek(int64_t(disk->RecordOffset) + disk->RecordLength);
        }
    } catch (...) {
        cat->Stream.reset();
        tree.Delete(node);
        throw;
    }
    return node;
}

void LoadSubfolders(TTreeNode* node, bool recursive, bool withFiles)
{
    if (!node || !node->Data) return;
    TFolderRec* startFolder = AsFolder(node->Data);
    if (!startFolder && !ItemIs(node->Data, ikDisk)) return;
    // Folders read before (and a disk's top-level folders, read when it is opened) must not be
    // read again, which would add them twice; a recursive load goes on below them, where the
    // folders' own offsets say what is left.
    const bool childrenRead = startFolder ? startFolder->SubfolderOffset <= 0 : node->Count() > 0;
    if (childrenRead) {
        if (withFiles) LoadFiles(node);
        if (recursive)
            for (int i = 0; i < node->Count(); ++i) LoadSubfolders(node->Child(i), true, withFiles);
        return;
    }
    TTreeNode* diskNode = OwningDisk(node);
    if (!diskNode) return;
    auto* disk = static_cast<TDiskRec*>(diskNode->Data);
    const int startDepth = node->Level() - diskNode->Level() + 1;
    TReadAheadStream* stream = CatalogStream(node);
    if (!stream || disk->RecordOffset < 0) return;
    const int64_t base = DiskBase(disk);
    const int64_t end = base + disk->RecordLength;

    if (withFiles) LoadFiles(node);
    if (startFolder) {
        stream->Seek(base + startFolder->SubfolderOffset);
        startFolder->SubfolderOffset = -startFolder->SubfolderOffset;
    } else {
        stream->Seek(base + disk->FolderIndexOffset);
    }

    TCatalogInput in(*stream);
    TTreeNode* parent = node;
    int depth = startDepth;
    TTreeNode* lastCreated = nullptr;
    bool first = true;
    while (stream->Position() < end) {
        const int64_t entryPos = stream->Position();
        const uint8_t kind = in.U8();
        if (!ItemIs(kind, ikFolder)) StructureError();
        const int d = in.U8();
        if (first && d != startDepth) StructureError();
        first = false;
        if (d == depth + 1 && lastCreated) {
            auto* last = static_cast<TFolderRec*>(lastCreated->Data);
            if (last->SubfolderOffset == 0) last->SubfolderOffset = static_cast<int32_t>(entryPos - base);
            lastCreated->HasChildren = true;
        }
        if (recursive) {
            if (d > depth) StructureError();
            while (d < depth && parent != node) {
                parent = parent->Parent();
                --depth;
            }
        }
        if (d < startDepth) break;
        if (d != depth) {
            in.SkipString();
            unsigned char skip[FolderRunSize];
            in.Read(skip, sizeof skip);
            in.SkipString();
            continue;
        }
        auto folder = std::make_unique<TFolderRec>();
        std::string name = in.String();
        unsigned char run[FolderRunSize];
        in.Read(run, sizeof run);
        DecodeFolderRun(run, *folder);
        CheckListBounds(folder->FilesOffset, folder->FilesLength, folder->FileCount,
                        folder->FileDescBytes, disk->RecordLength);
        folder->Description.Assign(in.String());
        folder->KindFlags = kind;
        folder->FilesInMemory = folder->FilesOffset < 0 ? 1 : 0;
        folder->DiskNode = diskNode;
        TTreeNode* child = node->Tree()->AddChild(parent, std::move(name));
        folder->Node = child;
        child->Data = folder.release();
        parent->HasChildren = true;
        lastCreated = child;
        if (withFiles) {
            const int64_t resume = stream->Position();
            LoadFiles(child);
            stream->Seek(resume);
        }
        if (recursive) {
            parent = child;
            depth = d + 1;
        }
    }
}

void LoadFiles(TTreeNode* node)
{
    if (!node || !node->Data) return;
    TItemRec* rec = node->Data;
    TTreeNode* diskNode = OwningDisk(node);
    if (!diskNode || !CatalogStream(node)) return;
    auto* disk = static_cast<TDiskRec*>(diskNode->Data);
    if (auto* folder = AsFolder(rec)) {
        if (folder->FilesInMemory) return;
        folder->FilesInMemory = 1;
        ReadFileList(node, rec,
                     {folder->FilesOffset, folder->FilesLength, folder->FileCount, folder->FileDescBytes},
                     DiskBase(disk), folder->FileBlock);
    } else if (auto* d = AsDisk(rec)) {
        if (d->FilesInMemory) return;
        d->FilesInMemory = 1;
        ReadFileList(node, rec, {RootFilesOffset(d), d->FilesLength, d->FileCount, d->FileDescBytes},
                     DiskBase(d), d->FileBlock);
    }
}

void BrowseSubfolders(TTreeNode* node)
{
    try {
        LoadSubfolders(node, false, false);
    } catch (const EInvalidCatalog&) {
        // The folders read before the damage stay, and the folder counts as read.
        if (CatalogReaderEvents().FolderIndexDamaged) CatalogReaderEvents().FolderIndexDamaged(node);
    }
}

void LoadEverything(TTreeNode* node)
{
    if (!node || !node->Data) return;
    if (ItemIs(node->Data, ikCatalog)) {
        for (int i = 0; i < node->Count(); ++i) LoadEverything(node->Child(i));
        return;
    }
    LoadFiles(node);
    if (ItemIs(node->Data, ikFolder)) LoadSubfolders(node, false, false);
    for (int i = 0; i < node->Count(); ++i) LoadEverything(node->Child(i));
}

} // namespace quorvex
