#pragma once
// Builds catalogs in memory for tests and benchmarks.

#include "catalog/ItemRecords.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvex::testing {

class TCatalogBuilder {
public:
    explicit TCatalogBuilder(TCatalogTree& tree) : m_tree(tree) {}

    TTreeNode* Catalog(const std::string& name, std::string_view description = {})
    {
        auto* cat = new TCatalogRec;
        cat->Description.Assign(description);
        TTreeNode* node = m_tree.AddChild(nullptr, name, cat);
        cat->Node = node;
        return node;
    }

    TTreeNode* Disk(TTreeNode* catNode, const std::string& name, uint32_t serial = 0x1234ABCD)
    {
        auto* d = new TDiskRec;
        d->KindFlags = ikDisk | ifInScope;
        d->MediaType = 5;
        d->BytesPerSector = 512;
        d->SectorsPerCluster = 8;
        d->MaxNameLength = 255;
        d->TotalClusters = 100000;
        d->FreeClusters = 40000;
        d->Catalogued = 46000.5;
        d->SerialNumber = serial;
        d->VolumeLabel = "LABEL_" + name;
        d->FileSystem = "FAT32";
        TTreeNode* node = m_tree.AddChild(catNode, name, d);
        d->Node = node;
        return node;
    }

    TTreeNode* Folder(TTreeNode* parent, const std::string& name, uint8_t flags = 0)
    {
        auto* f = new TFolderRec;
        f->KindFlags = ikFolder | flags;
        f->Attr = faDirectory;
        f->Modified = 0x5A2B6000;
        f->DiskNode = OwningDisk(parent);
        TTreeNode* node = m_tree.AddChild(parent, name, f);
        f->Node = node;
        parent->HasChildren = true;
        return node;
    }

    TFileRec* File(TTreeNode* owner, std::string_view name, int32_t size,
                   std::string_view description = {})
    {
        TFileRec* f = TFileRec::New(name);
        f->KindFlags = ikFile | (ItemIs(owner->Data, ifArchive) ? ifArchive : 0);
        f->Node = owner;
        f->Size = size;
        f->Attr = faArchive;
        f->Modified = 0x5A2B6000 + size % 1000;
        f->Created = 0x12345678;
        f->Description.Assign(description);
        TFileRec*& tail = m_tails[owner];
        if (!tail)
            for (TFileRec* t = owner->Data->Next; t; t = t->Next) tail = t;
        if (tail) tail->Next = f;
        else owner->Data->Next = f;
        tail = f;
        if (auto* folder = AsFolder(owner->Data)) {
            folder->FileCount++;
            for (TTreeNode* n = owner; n && AsFolder(n->Data); n = n->Parent())
                static_cast<TFolderRec*>(n->Data)->TotalSize += int64_t(size) * CurrencyScale;
        } else if (auto* disk = AsDisk(owner->Data)) {
            disk->FileCount++;
        }
        if (!description.empty()) SetItemBits(owner->Data, ifDescribedFiles, true);
        return f;
    }

private:
    TCatalogTree& m_tree;
    std::unordered_map<TTreeNode*, TFileRec*> m_tails;
};

} // namespace quorvex::testing
