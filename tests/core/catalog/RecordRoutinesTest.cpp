#include "CatalogBuilder.h"

#include "catalog/ItemRoutines.h"
#include "catalog/ResultLists.h"
#include "catalog/TreeNode.h"

#include <gtest/gtest.h>

using namespace quorvex;
using quorvex::testing::TCatalogBuilder;

TEST(FileRecord, NameFollowsFixedPartAndFitsInBudget)
{
    TFileRec* rec = TFileRec::New(std::string(300, 'x'));
    EXPECT_EQ(rec->NameData() - reinterpret_cast<char*>(rec), ptrdiff_t(TFileRec::NameOffset));
    EXPECT_EQ(rec->Name().size(), 255u) << "names are cut to 255 characters";
    for (size_t n : {0u, 1u, 7u, 8u, 100u, 255u}) EXPECT_LE(TFileRec::RecordBytes(n), 64 + n);
    FreeFileRec(rec);
}

TEST(KindsAndFlags, ItemIsAndSetItemBits)
{
    TDiskRec disk;
    disk.KindFlags = ikDisk;
    SetItemBits(&disk, ifCompressed, true);
    EXPECT_EQ(ItemKind(disk.KindFlags), ikDisk);
    EXPECT_TRUE(ItemIs(disk.KindFlags, ifCompressed));

    TFolderRec folder;
    folder.KindFlags = ikFile | 0x18;
    SetItemBits(&folder, ikFolder, true);
    EXPECT_EQ(folder.KindFlags, ikFolder | 0x18);
    SetItemBits(&folder, ifDescribedFiles, false);
    EXPECT_EQ(folder.KindFlags, ikFolder | 0x10);

    struct Case { uint8_t kindFlags, mask; bool expected; };
    for (const Case& c : {Case{ikDisk, 3, true}, Case{ikDisk | 0x08, 3, true}, Case{ikFolder | 0x08, 3, false},
                          Case{ikCatalog, 3, false}, Case{ikFile | 0x08, 8, true}, Case{ikDisk, 8, false},
                          Case{ikFolder | 0x10, 0x18, true}})
        EXPECT_EQ(ItemIs(c.kindFlags, c.mask), c.expected) << int(c.kindFlags) << " " << int(c.mask);
}

TEST(DiskSizes, DerivedFromClusters)
{
    TDiskRec d;
    d.BytesPerSector = 512;
    d.SectorsPerCluster = 4;
    d.TotalClusters = 1000;
    d.FreeClusters = 300;
    d.OtherClusters = 50;
    const int64_t cluster = 2048 * CurrencyScale;
    EXPECT_EQ(DiskSize(&d, TDiskSizeKind::Capacity), 1000 * cluster);
    EXPECT_EQ(DiskSize(&d, TDiskSizeKind::Free), 300 * cluster);
    EXPECT_EQ(DiskSize(&d, TDiskSizeKind::Used), 650 * cluster);
    EXPECT_EQ(DiskSize(&d, TDiskSizeKind::Other), 50 * cluster);
    d.KindFlags = ikDisk | ifVirtualRoot;
    EXPECT_EQ(DiskSize(&d, TDiskSizeKind::Capacity), 650 * cluster);
    EXPECT_EQ(DiskSize(&d, TDiskSizeKind::Free), 0);
}

class PathTest : public ::testing::Test {
protected:
    TCatalogTree tree;
    TCatalogBuilder b{tree};
};

TEST_F(PathTest, ItemPathOfFilesFoldersAndVirtualRoots)
{
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* disk = b.Disk(cat, "D");
    TTreeNode* a = b.Folder(disk, "A");
    TTreeNode* bb = b.Folder(a, "B");
    TFileRec* rootFile = b.File(disk, "r.txt", 1);
    TFileRec* deepFile = b.File(bb, "f.txt", 1);

    EXPECT_EQ(ItemPath(rootFile, false, false), "\\");
    EXPECT_EQ(ItemPath(deepFile, false, false), "\\A\\B");
    EXPECT_EQ(ItemPath(bb->Data, true, false), "\\A\\B");
    EXPECT_EQ(ItemPath(bb->Data, false, false), "\\A");
    EXPECT_EQ(ItemPath(a->Data, false, false), "\\");
    EXPECT_EQ(ItemPath(disk->Data, true, true), "\\");

    auto* d = static_cast<TDiskRec*>(disk->Data);
    d->KindFlags |= ifVirtualRoot;
    d->VirtualRootPath.Assign("\\DATA\\");
    EXPECT_EQ(ItemPath(a->Data, true, true), "\\DATA\\A");
    EXPECT_EQ(ItemPath(a->Data, true, false), "\\A");
    EXPECT_EQ(ItemPath(disk->Data, true, true), "\\DATA");
    EXPECT_EQ(ItemPath(rootFile, false, true), "\\DATA");

    EXPECT_EQ(OwningDisk(bb), disk);
    EXPECT_EQ(OwningCatalog(bb), cat);
    EXPECT_EQ(OwningCatalog(cat), cat);
    EXPECT_EQ(OwningDisk(cat), nullptr);
}

TEST_F(PathTest, DirtyAndModifiedMarks)
{
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* disk = b.Disk(cat, "D");
    TTreeNode* a = b.Folder(disk, "A");
    auto* d = static_cast<TDiskRec*>(disk->Data);
    auto* c = static_cast<TCatalogRec*>(cat->Data);
    d->Dirty = 0;
    int notified = 0;
    CatalogEvents().ModifiedChanged = [&](TTreeNode* n) { notified += n == cat; };
    MarkDiskDirty(a, true);
    EXPECT_EQ(d->Dirty, 1);
    EXPECT_EQ(c->Modified, 1);
    c->Modified = 0;
    MarkDiskDirty(cat, true); // no disk above a catalog: nothing happens
    EXPECT_EQ(c->Modified, 0);
    MarkCatalogModified(cat, true);
    EXPECT_EQ(c->Modified, 1);
    EXPECT_EQ(notified, 2);
    CatalogEvents().ModifiedChanged = nullptr;
}

TEST_F(PathTest, UniqueDiskNames)
{
    TTreeNode* cat = b.Catalog("C");
    b.Disk(cat, "Disk");
    b.Disk(cat, "Disk (2)");
    TTreeNode* xab = b.Disk(cat, "XAb");
    struct Case { const char* wanted; const char* expected; };
    for (const Case& c : {Case{"Disk (3)", "Disk (3)"}, Case{"Disk", "Disk (3)"}, Case{"Disk (2)", "Disk (3)"},
                          Case{"Ab", "Ab"}, Case{"disk", "disk"}, Case{"Disk (1)", "Disk (1)"},
                          Case{"Disk (x)", "Disk (x)"}, Case{"New (5) (7)", "New (5) (7)"}})
        EXPECT_EQ(UniqueDiskName(c.wanted, cat), c.expected) << c.wanted;
    EXPECT_EQ(UniqueDiskName("XAb", cat, xab), "XAb") << "a disk is not compared with itself";
}

TEST(SafeFileNameTest, ReplacesReservedCharacters)
{
    EXPECT_EQ(SafeFileName("a\\b/c:d*e?f\"g<h>i|j k.ctf"), "a_b_c_d_e_f_g_h_i_j k.ctf");
}

TEST_F(PathTest, ReleasingRecordsClearsResultListsBySlot)
{
    TResultList search(SearchSlot);
    TResultList user(UserListSlot);
    ResultLists().Search = &search;
    ResultLists().UserList = &user;

    TTreeNode* cat = b.Catalog("C");
    TTreeNode* disk = b.Disk(cat, "D");
    TTreeNode* a = b.Folder(disk, "A");
    TFileRec* f1 = b.File(a, "1", 1);
    TFileRec* f2 = b.File(disk, "2", 1);
    // Put enough entries in the list that slots wrap past 32768.
    TFolderRec filler;
    for (int i = 0; i < 32768; ++i) search.Add(&filler);
    search.Add(f1);
    search.Add(f2);
    search.Add(a->Data);
    user.Add(cat->Data);
    EXPECT_EQ(f1->Slots[SearchSlot], 0);

    int compactNotices = 0;
    search.OnCompactNeeded = [&] { ++compactNotices; };
    tree.Delete(a);
    EXPECT_EQ(search.Item(32768), nullptr);
    EXPECT_EQ(search.Item(32770), nullptr);
    EXPECT_EQ(search.Item(32769), f2);
    EXPECT_EQ(compactNotices, 1);
    search.Compact();
    EXPECT_EQ(search.Count(), 32769);
    EXPECT_EQ(f2->Slots[SearchSlot], 0);

    tree.Delete(cat);
    EXPECT_EQ(user.Item(0), nullptr);
    EXPECT_EQ(search.Item(32768), nullptr);
    ResultLists().Search = nullptr;
    ResultLists().UserList = nullptr;
}
