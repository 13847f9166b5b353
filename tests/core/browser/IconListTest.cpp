#include "browser/IconList.h"

#include "CatalogBuilder.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TEST(IconList, OneLookupPerExtension)
{
    TIconList icons;
    std::vector<QString> asked;
    icons.LookupExtension = [&](const QString& ext) {
        asked.push_back(ext);
        return ext == ".txt" ? TIconList::TLookup{100, "Text"} : TIconList::TLookup{};
    };
    EXPECT_EQ(icons.AddIcon("a.txt"), 100);
    EXPECT_EQ(icons.AddIcon("b.TXT"), 100);
    EXPECT_EQ(icons.AddIcon("noext"), siDefault);
    EXPECT_EQ(icons.AddIcon("other"), siDefault);
    EXPECT_EQ(asked, (std::vector<QString>{".txt", ".", "."})); // the default icon is not cached
    EXPECT_EQ(icons.AddIcon("SETUP.EXE"), siSetup);
    EXPECT_EQ(icons.AddIcon("dir\\Install.exe"), siSetup);
    EXPECT_EQ(icons.AddIcon("prog.exe"), siApplication);
    EXPECT_TRUE(icons.FindExt("TXT"));
    EXPECT_EQ(icons.CurrentTypeName(), "Text");
    EXPECT_FALSE(icons.FindExt("doc"));
}

TEST(IconList, DriveIconsByMediaType)
{
    struct Case {
        uint8_t media;
        int icon;
    } cases[] = {{0, siFloppy525}, {1, siFloppy525}, {3, siFloppy525}, {4, siFloppy525}, {2, siFloppy35},
                 {7, siFloppy35},  {9, siFloppy35},  {5, siHardDisk},  {6, siTape},       {8, siCdRom},
                 {10, siCdRom},    {11, siNetwork},  {12, siRamDisk},  {13, siRemovable}, {14, siZipDrive},
                 {15, siJazDrive}, {255, siHardDisk}};
    for (const Case& c : cases) EXPECT_EQ(GetDriveIcon(c.media, ikDisk), c.icon) << int(c.media);
    EXPECT_EQ(GetDriveIcon(14, ikDisk | ifVirtualRoot), siVirtual);
}

TEST(IconList, ItemImagesAreKeptInFileRecords)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* disk = b.Disk(cat, "D");
    TTreeNode* zip = b.Folder(disk, "x.zip", ifArchive);
    TFileRec* file = b.File(disk, "a.txt", 1);
    TIconList icons;
    int lookups = 0;
    icons.LookupExtension = [&](const QString&) {
        ++lookups;
        return TIconList::TLookup{42, {}};
    };
    EXPECT_EQ(ItemImage(file, icons), 42);
    EXPECT_EQ(file->IconIndex, 42);
    icons.LookupExtension = nullptr;
    EXPECT_EQ(ItemImage(file, icons), 42);
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(ItemImage(zip->Data, icons), siArchiveClosed);
    EXPECT_EQ(ItemImage(zip->Data, icons, true), siArchiveOpen);
    EXPECT_EQ(ItemImage(cat->Data, icons), siCatalog);
    EXPECT_EQ(ItemImage(disk->Data, icons), siHardDisk);
}

} // namespace
