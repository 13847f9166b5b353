#include "categories/CategoryReferences.h"

#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/ResultLists.h"
#include "catalog/TreeNode.h"
#include "categories/Categories.h"

namespace quorvex {

namespace {

class TReferenceWalk {
public:
    explicit TReferenceWalk(const TReferenceRemoval& removal) : m_removal(removal) {}

    void Walk(TTreeNode* node)
    {
        TItemRec* rec = node->Data;
        TFolderRec* folder = AsFolder(rec);
        TDiskRec* disk = AsDisk(rec);
        if (!folder && !disk) return;
        if (folder) Clean(folder->CategoryByte);

        const bool wasLoaded = folder ? folder->FilesInMemory : disk->FilesInMemory;
        LoadFiles(node);
        bool filesChanged = false;
        for (TFileRec* f = rec->Next; f; f = f->Next) filesChanged |= Clean(f->CategoryByte);
        if (!wasLoaded && !filesChanged) ReleaseFileList(rec, false);

        if (folder && folder->SubfolderOffset > 0) LoadSubfolders(node, false, false);
        for (int i = 0; i < node->Count(); ++i) Walk(node->Child(i));
    }

    int64_t Changed() const { return m_changed; }

private:
    bool Clean(uint8_t& categoryByte)
    {
        uint8_t value = categoryByte;
        if (m_removal.DeletedNumbers & (1u << CategoryNumber(value))) value &= uint8_t(~CategoryMask);
        value &= uint8_t(~m_removal.ClearFlagBits);
        if (value == categoryByte) return false;
        categoryByte = value;
        ++m_changed;
        return true;
    }

    TReferenceRemoval m_removal;
    int64_t m_changed = 0;
};

} // namespace

int64_t RemoveCategoryReferences(TTreeNode* catalogNode, const TReferenceRemoval& given)
{
    TReferenceRemoval removal = given;
    removal.DeletedNumbers &= ~1u; // number 0 means "no category"
    removal.ClearFlagBits &= AllFlagBits;
    if (!catalogNode || !removal.Any()) return 0;
    IProgress& progress = Progress();
    progress.SetStatus(QStringLiteral("Updating categories and flags, please wait..."), StatusBusy);
    progress.ShowWait(QStringLiteral("Updating categories and flags..."), false, false);
    progress.ShowWaitWindow();
    progress.ProcessEvents();
    TReferenceWalk walk(removal);
    TTreeNode* diskNode = nullptr;
    int64_t changedBefore = 0;
    try {
        for (int i = 0; i < catalogNode->Count(); ++i) {
            diskNode = catalogNode->Child(i);
            if (!AsDisk(diskNode->Data)) continue;
            changedBefore = walk.Changed();
            walk.Walk(diskNode);
            if (walk.Changed() != changedBefore) MarkDiskDirty(diskNode, true);
            progress.ProcessEvents();
        }
    } catch (...) {
        // What was changed before the failure must still be saved.
        if (diskNode && walk.Changed() != changedBefore) MarkDiskDirty(diskNode, true);
        ResultLists().CompactPending();
        progress.CloseWait();
        progress.SetStatus({}, 0);
        throw;
    }
    ResultLists().CompactPending();
    progress.CloseWait();
    progress.SetStatus({}, 0);
    return walk.Changed();
}

} // namespace quorvex
