#pragma once
// A small catalog with every kind of stored content: several disks (one of them a virtual
// root, one empty), nested folders, an archive folder, descriptions, categories and flags.

#include "CatalogBuilder.h"
#include "TempDir.h"

#include "catalog/CatalogWriter.h"
#include "catalog/WriteTarget.h"

namespace quorvex::testing {

inline TTreeNode* BuildSampleCatalog(TCatalogTree& tree)
{
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("Sample", "All my disks");
    auto* rec = static_cast<TCatalogRec*>(cat->Data);
    rec->Categories = {{"Games", 1}, {"Music", 4}};
    rec->FlagNames[0].Assign("Backed up");
    rec->FlagNames[2].Assign("Broken");

    TTreeNode* d1 = b.Disk(cat, "Disk");
    static_cast<TDiskRec*>(d1->Data)->Description.Assign("First disk");
    b.File(d1, "README.TXT", 120, "Read me first");
    b.File(d1, "AUTOEXEC.BAT", 42);
    TTreeNode* a = b.Folder(d1, "A");
    b.File(a, "one.dat", 1000);
    TTreeNode* ab = b.Folder(a, "B");
    b.File(ab, "deep.txt", 7, "deep file");
    b.Folder(ab, "C");
    TTreeNode* zip = b.Folder(a, "PACK.ZIP", ifArchive);
    static_cast<TFolderRec*>(zip->Data)->Description.Assign("Archive comment");
    b.File(zip, "docs\\manual.txt", 5000);
    b.File(zip, "setup.exe", 70000, "installer");
    b.Folder(d1, "Empty");

    TTreeNode* d2 = b.Disk(cat, "Virtual", 0xCAFE0001);
    auto* vd = static_cast<TDiskRec*>(d2->Data);
    vd->KindFlags |= ifVirtualRoot;
    vd->VirtualRootPath.Assign("\\DATA\\");
    vd->OtherClusters = 77;
    TTreeNode* x = b.Folder(d2, "X");
    b.File(x, std::string(255, 'n'), 1);
    static_cast<TFolderRec*>(x->Data)->CategoryByte = 0x24;

    b.Disk(cat, "Blank", 0);
    return cat;
}

inline std::string EncodeToMemory(TTreeNode* cat)
{
    TMemoryWriter out;
    WriteCatalog(cat, out);
    return out.Data();
}

} // namespace quorvex::testing
