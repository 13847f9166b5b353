// Columns and sorting of the found list.
#include "CatalogBuilder.h"

#include "catalog/ItemRoutines.h"
#include "search/FoundList.h"
#include "search/FoundListColumns.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

std::vector<QString> Names(const TFoundList& list)
{
    std::vector<QString> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(FoundItemText(list.Item(i), 0));
    return names;
}

void ExpectSlotsMatchPositions(const TFoundList& list)
{
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Item(i)->Slots[SearchSlot], i);
}

} // namespace

TEST(FoundListSort, ByColumnThenReversedWithSlotsRenumbered)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("Cat");
    TTreeNode* disk = b.Disk(cat, "Zeta disk");
    TTreeNode* folder = b.Folder(disk, "Middle");
    TFileRec* big = b.File(disk, "b.txt", 900);
    TFileRec* small = b.File(folder, "c.doc", 10);
    TFileRec* mid = b.File(disk, "a.bin", 300);

    TFoundList list(SearchSlot);
    for (TItemRec* r : {static_cast<TItemRec*>(big), static_cast<TItemRec*>(small), disk->Data,
                        static_cast<TItemRec*>(mid), folder->Data})
        list.Entries().Add(r);

    SortFoundList(list, 0, true);
    // Disks before folders before files, each kind by name.
    EXPECT_EQ(Names(list),
              (std::vector<QString>{"Zeta disk", "Middle", "a.bin", "b.txt", "c.doc"}));
    EXPECT_EQ(list.SortColumn, 0);
    ExpectSlotsMatchPositions(list);

    SortFoundList(list, 2, true); // Item Size
    EXPECT_EQ(Names(list),
              (std::vector<QString>{"Zeta disk", "Middle", "c.doc", "a.bin", "b.txt"}));
    SortFoundList(list, 2, true); // the same column again: reversed, not sorted again
    EXPECT_TRUE(list.SortReversed);
    EXPECT_EQ(Names(list),
              (std::vector<QString>{"b.txt", "a.bin", "c.doc", "Middle", "Zeta disk"}));
    ExpectSlotsMatchPositions(list);

    SortFoundList(list, 7, true); // Location: the parent's path
    EXPECT_FALSE(list.SortReversed);
    EXPECT_EQ(FoundItemText(small, 7), QDir::separator() + QStringLiteral("Middle"));
    EXPECT_EQ(FoundItemText(folder->Data, 7), QString(QDir::separator()));
    EXPECT_EQ(Names(list).back(), "c.doc");
    ExpectSlotsMatchPositions(list);
}

TEST(FoundListColumns, DisksShowTheirOwnFields)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("Shelf");
    TTreeNode* disk = b.Disk(cat, "CD");
    static_cast<TDiskRec*>(disk->Data)->Description.Assign("My disk");
    TFileRec* file = b.File(disk, "x.txt", 5);
    EXPECT_EQ(FoundItemText(disk->Data, 0), "CD");
    EXPECT_EQ(FoundItemText(disk->Data, 1), "");
    EXPECT_EQ(FoundItemText(disk->Data, 5), "");
    EXPECT_EQ(FoundItemText(disk->Data, 7), "Shelf");
    EXPECT_EQ(FoundItemText(disk->Data, 8), "");
    EXPECT_EQ(FoundItemText(disk->Data, 9), "My disk");
    EXPECT_EQ(FoundItemText(file, 1), "txt");
    EXPECT_EQ(FoundItemText(file, 5), "CD");
    EXPECT_EQ(FoundColumnTitle(0), "File, Folder or Disk");
}
