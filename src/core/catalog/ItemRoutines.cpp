#include "catalog/ItemRoutines.h"

#include "catalog/ReadAheadStream.h"
#include "catalog/ResultLists.h"
#include "catalog/TreeNode.h"

#include <cctype>
#include <limits>

namespace quorvex {

void SetItemBits(TItemRec* rec, uint8_t m, bool on)
{
    if (m <= 7) {
        rec->KindFlags = static_cast<uint8_t>((rec->KindFlags & ~7) | m);
    } else if (on) {
        rec->KindFlags |= m;
    } else {
        rec->KindFlags &= static_cast<uint8_t>(~m);
    }
}

int64_t DiskSize(const TDiskRec* disk, TDiskSizeKind which)
{
    const int64_t cluster = int64_t(disk->BytesPerSector) * disk->SectorsPerCluster;
    const bool virtualRoot = ItemIs(disk->KindFlags, ifVirtualRoot);
    const int64_t used = int64_t(disk->TotalClusters) - disk->FreeClusters - disk->OtherClusters;
    int64_t clusters = 0;
    switch (which) {
    case TDiskSizeKind::Capacity: clusters = virtualRoot ? used : disk->TotalClusters; break;
    case TDiskSizeKind::Free: clusters = virtualRoot ? 0 : disk->FreeClusters; break;
    case TDiskSizeKind::Used: clusters = used; break;
    case TDiskSizeKind::Other: clusters = disk->OtherClusters; break;
    }
    // Damaged or hostile values must not overflow: the product saturates.
    const __int128 size = static_cast<__int128>(clusters) * cluster * CurrencyScale;
    if (size > std::numeric_limits<int64_t>::max()) return std::numeric_limits<int64_t>::max();
    if (size < std::numeric_limits<int64_t>::min()) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(size);
}

int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t r;
    if (!__builtin_add_overflow(a, b, &r)) return r;
    return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

static TTreeNode* WalkUpTo(TTreeNode* node, uint8_t kind)
{
    for (; node; node = node->Parent())
        if (node->Data && ItemIs(node->Data->KindFlags, kind)) return node;
    return nullptr;
}

TTreeNode* OwningDisk(TTreeNode* node) { return WalkUpTo(node, ikDisk); }
TTreeNode* OwningCatalog(TTreeNode* node) { return WalkUpTo(node, ikCatalog); }

TTreeNode* ItemNode(TItemRec* rec) { return rec ? rec->Node : nullptr; }

TDiskRec* OwningDiskRec(TTreeNode* node)
{
    TTreeNode* disk = OwningDisk(node);
    return disk ? static_cast<TDiskRec*>(disk->Data) : nullptr;
}

TCatalogRec* OwningCatalogRec(TTreeNode* node)
{
    TTreeNode* cat = OwningCatalog(node);
    return cat ? static_cast<TCatalogRec*>(cat->Data) : nullptr;
}

static const std::string& FolderPath(TTreeNode* node)
{
    auto* folder = static_cast<TFolderRec*>(node->Data);
    if (folder->PathCache.empty()) {
        std::string path;
        for (TTreeNode* n = node; n && n->Data && ItemIs(n->Data, ikFolder); n = n->Parent())
            path.insert(0, "\\" + n->Text);
        folder->PathCache = path;
    }
    return folder->PathCache;
}

std::string ItemPath(TItemRec* rec, bool withSelf, bool withRoot)
{
    if (!rec) return {};
    if (ItemIs(rec, ikFile)) withSelf = true;
    TTreeNode* node = rec->Node;
    if (!node || !node->Data) return {};
    std::string path;
    if (ItemIs(node->Data, ikFolder)) {
        path = FolderPath(node);
        if (!withSelf) path.erase(path.rfind('\\') + 1);
    } else if (ItemIs(node->Data, ikDisk)) {
        path = "\\";
    } else {
        return {};
    }
    if (withRoot) {
        TDiskRec* disk = OwningDiskRec(node);
        if (disk && ItemIs(disk->KindFlags, ifVirtualRoot) && !disk->VirtualRootPath.IsNull())
            path.replace(0, 1, disk->VirtualRootPath.View());
    }
    if (path.size() > 1 && path.back() == '\\') path.pop_back();
    return path;
}

TCatalogEvents& CatalogEvents()
{
    static TCatalogEvents events;
    return events;
}

void MarkCatalogModified(TTreeNode* node, bool on)
{
    TTreeNode* catNode = OwningCatalog(node);
    if (!catNode) return;
    static_cast<TCatalogRec*>(catNode->Data)->Modified = on ? 1 : 0;
    if (CatalogEvents().ModifiedChanged) CatalogEvents().ModifiedChanged(catNode);
}

void MarkDiskDirty(TTreeNode* node, bool on)
{
    TTreeNode* diskNode = OwningDisk(node);
    if (!diskNode) return;
    static_cast<TDiskRec*>(diskNode->Data)->Dirty = on ? 1 : 0;
    MarkCatalogModified(diskNode, on);
}

static void FreeFileChain(TFileRec* first, bool linked, bool keepSlots)
{
    for (TFileRec* f = first; f;) {
        TFileRec* next = f->Next;
        if (!keepSlots) ResultLists().ClearSlots(f);
        if (linked) f->~TFileRec();
        else FreeFileRec(f);
        f = next;
    }
}

void ReleaseFileList(TItemRec* owner, bool keepSlots)
{
    if (auto* folder = AsFolder(owner)) {
        folder->FilesInMemory = 0;
        FreeFileChain(folder->Next, ItemIs(owner, ifFilesLinked), keepSlots);
        folder->FileBlock.reset();
    } else if (auto* disk = AsDisk(owner)) {
        disk->FilesInMemory = 0;
        FreeFileChain(disk->Next, ItemIs(owner, ifFilesLinked), keepSlots);
        disk->FileBlock.reset();
    } else {
        return;
    }
    owner->Next = nullptr;
    SetItemBits(owner, ifFilesLinked, false);
}

void ReleaseNodeRecords(TTreeNode* node, bool freeOwn, bool keepSlots)
{
    if (!node || !node->Data) return;
    TItemRec* rec = node->Data;
    ReleaseFileList(rec, keepSlots);
    if (!keepSlots) ResultLists().ClearSlots(rec, ItemIs(rec, ikCatalog));
    if (!freeOwn) return;
    switch (ItemKind(rec->KindFlags)) {
    case ikFolder: delete static_cast<TFolderRec*>(rec); break;
    case ikDisk: delete static_cast<TDiskRec*>(rec); break;
    case ikCatalog: delete static_cast<TCatalogRec*>(rec); break;
    default: break;
    }
    node->Data = nullptr;
}

static bool IsNumberAbove1(std::string_view s)
{
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return std::stol(std::string(s)) > 1;
}

std::string UniqueDiskName(std::string_view wanted, TTreeNode* catalogNode, const TTreeNode* self)
{
    std::string base(wanted);
    if (!base.empty() && base.back() == ')') {
        const size_t open = base.find(" (");
        if (open != std::string::npos && open + 2 < base.size() &&
            IsNumberAbove1(std::string_view(base).substr(open + 2, base.size() - open - 3)))
            base.erase(open);
    }
    auto taken = [&](const std::string& candidate) {
        if (!catalogNode) return false;
        for (const auto& disk : catalogNode->Children())
            if (disk.get() != self && disk->Text == candidate) return true;
        return false;
    };
    for (int n = 1;; ++n) {
        std::string candidate = n == 1 ? base : base + " (" + std::to_string(n) + ")";
        if (!taken(candidate)) return candidate;
    }
}

std::string SafeFileName(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            c = '_';
            break;
        default: break;
        }
    return out;
}

} // namespace quorvex
