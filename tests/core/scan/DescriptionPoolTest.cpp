#include "CatalogBuilder.h"

#include "scan/DescriptionPool.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TFileRec* Described(TCatalogBuilder& b, TTreeNode* owner, const std::string& name, int32_t size, const char* desc,
                    uint8_t category = 0)
{
    TFileRec* f = b.File(owner, name, size, desc);
    f->CategoryByte = category;
    return f;
}

} // namespace

TEST(DescriptionPoolTest, MatchesByNameSizeTimeAndKind)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* old = b.Disk(cat, "Old");
    TTreeNode* folder = b.Folder(old, "Docs");
    static_cast<TFolderRec*>(folder->Data)->Description.Assign("the docs");
    static_cast<TFolderRec*>(folder->Data)->CategoryByte = 3;
    Described(b, old, "setup.exe", 100, "installer", 0x25);
    Described(b, old, "readme.txt", 1, "small readme");
    Described(b, old, "readme.txt", 2, "bigger readme");
    Described(b, old, "_under", 5, "underscore");
    Described(b, old, "DATA.ZIP", 9, "data file");
    TFileRec* onlyCategory = b.File(old, "cat.only", 1);
    onlyCategory->CategoryByte = 7;
    TTreeNode* zip = b.Folder(old, "PACK.ZIP", ifArchive);
    static_cast<TFolderRec*>(zip->Data)->Description.Assign("pack archive");

    TDescriptionPool pool;
    pool.Empty();
    pool.Build({old});
    pool.SortAndIndex();
    EXPECT_EQ(pool.Size(), 7);

    TTreeNode* fresh = b.Disk(cat, "New");
    auto file = [&](const std::string& name, int32_t size) {
        TFileRec* f = b.File(fresh, name, size);
        pool.CopyOnto(f);
        return f;
    };
    TFileRec* setup = file("setup.exe", 100);
    EXPECT_EQ(setup->Description.Str(), "installer");
    EXPECT_EQ(setup->CategoryByte, 0x25);
    EXPECT_TRUE(file("Setup.exe", 100)->Description.IsNull()) << "names must match exactly";
    EXPECT_EQ(file("readme.txt", 2)->Description.Str(), "bigger readme");
    EXPECT_TRUE(file("readme.txt", 3)->Description.IsNull());
    EXPECT_EQ(file("_under", 5)->Description.Str(), "underscore");
    EXPECT_EQ(file("PACK.ZIP", 77)->Description.Str(), "pack archive") << "another kind needs no size test";
    EXPECT_EQ(file("cat.only", 1)->CategoryByte, 0) << "an item with only a category is not pooled";

    TTreeNode* docs = b.Folder(fresh, "Docs");
    EXPECT_TRUE(pool.CopyOnto(docs->Data));
    EXPECT_EQ(static_cast<TFolderRec*>(docs->Data)->CategoryByte, 3);
    TTreeNode* dataZip = b.Folder(fresh, "DATA.ZIP", ifArchive);
    EXPECT_TRUE(pool.CopyOnto(dataZip->Data));
    EXPECT_EQ(static_cast<TFolderRec*>(dataZip->Data)->Description.Str(), "data file");
    TTreeNode* otherDocs = b.Folder(fresh, "Docs");
    static_cast<TFolderRec*>(otherDocs->Data)->Modified = 1;
    EXPECT_FALSE(pool.CopyOnto(otherDocs->Data)) << "a folder needs the same modified time";

    pool.Empty();
    EXPECT_FALSE(pool.CopyOnto(b.File(fresh, "setup.exe", 100)));
}
