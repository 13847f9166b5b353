#include "browser/BackItem.h"
#include "browser/ItemText.h"
#include "browser/Sorting.h"

#include "CatalogBuilder.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// A folder with sub-folders A, B, archive k.zip and files g.txt, m.txt, b.doc, a.doc, a.txt.
struct TListing : ::testing::Test {
    TCatalogTree tree;
    TCatalogBuilder b{tree};
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* disk = b.Disk(cat, "D");
    TTreeNode* root = b.Folder(disk, "root");
    TBackItem back;

    std::vector<TItemRec*> Items(const std::vector<std::string>& folders, const std::vector<std::string>& archives,
                                 const std::vector<std::pair<std::string, int>>& files)
    {
        std::vector<TItemRec*> list;
        for (const auto& f : folders) list.push_back(b.Folder(root, f)->Data);
        for (const auto& a : archives) list.push_back(b.Folder(root, a, ifArchive)->Data);
        for (const auto& [name, size] : files) list.push_back(b.File(root, name, size));
        return list;
    }
    static std::vector<QString> Names(const std::vector<TItemRec*>& list)
    {
        std::vector<QString> names;
        for (TItemRec* r : list) names.push_back(ItemName(r));
        return names;
    }
};

TEST_F(TListing, ArchivesAmongFilesOrFolders)
{
    auto list = Items({"B", "A"}, {"k.zip"}, {{"m.txt", 1}, {"g.txt", 2}});
    TSortContext ctx{0, false, false};
    SortList(list, ctx);
    EXPECT_EQ(Names(list), (std::vector<QString>{"A", "B", "g.txt", "k.zip", "m.txt"}));
    ctx.ArchivesAsFolders = true;
    SortList(list, ctx);
    EXPECT_EQ(Names(list), (std::vector<QString>{"A", "B", "k.zip", "g.txt", "m.txt"}));
    ctx.Reverse = true;
    SortList(list, ctx);
    EXPECT_EQ(Names(list), (std::vector<QString>{"m.txt", "g.txt", "k.zip", "B", "A"}));
}

TEST_F(TListing, KeysAndTieBreaks)
{
    auto list = Items({}, {}, {{"a.txt", 30}, {"b.doc", 10}, {"a.doc", 20}, {"C.DOC", 20}});
    SortList(list, TSortContext{1, false, true}); // extension, then name, no case
    EXPECT_EQ(Names(list), (std::vector<QString>{"a.doc", "b.doc", "C.DOC", "a.txt"}));
    SortList(list, TSortContext{2, false, true}); // size; equal sizes keep their order
    EXPECT_EQ(Names(list), (std::vector<QString>{"b.doc", "a.doc", "C.DOC", "a.txt"}));
    SortList(list, TSortContext{99, false, true}); // unknown key: all equal, order kept
    EXPECT_EQ(Names(list), (std::vector<QString>{"b.doc", "a.doc", "C.DOC", "a.txt"}));
}

TEST_F(TListing, LargeFolderSizesCompareByValue)
{
    TTreeNode* big = b.Folder(root, "big");
    TTreeNode* small = b.Folder(root, "small");
    static_cast<TFolderRec*>(big->Data)->TotalSize = int64_t(5) * 1024 * 1024 * 1024 * CurrencyScale;
    static_cast<TFolderRec*>(small->Data)->TotalSize = int64_t(1) * 1024 * 1024 * 1024 * CurrencyScale;
    std::vector<TItemRec*> list{big->Data, small->Data};
    SortList(list, TSortContext{2, false, true});
    EXPECT_EQ(Names(list), (std::vector<QString>{"small", "big"}));
}

TEST_F(TListing, BackItemStaysFirst)
{
    back.Prepare(root);
    auto list = Items({"Z"}, {}, {{"a.txt", 1}});
    list.insert(list.begin() + 1, back.Rec());
    SortList(list, TSortContext{0, true, true});
    EXPECT_EQ(Names(list), (std::vector<QString>{"..", "a.txt", "Z"}));
    ReverseList(list);
    EXPECT_EQ(Names(list), (std::vector<QString>{"..", "Z", "a.txt"}));
}

TEST_F(TListing, DisksByTheirOwnKeys)
{
    TTreeNode* d2 = b.Disk(cat, "alpha");
    static_cast<TDiskRec*>(d2->Data)->MediaType = 10;
    static_cast<TDiskRec*>(d2->Data)->FreeClusters = 10;
    std::vector<TItemRec*> list{disk->Data, d2->Data};
    SortList(list, TSortContext{0, false, true});
    EXPECT_EQ(Names(list), (std::vector<QString>{"alpha", "D"}));
    SortList(list, TSortContext{1, false, true});
    EXPECT_EQ(Names(list), (std::vector<QString>{"D", "alpha"}));
    SortList(list, TSortContext{4, false, true});
    EXPECT_EQ(Names(list), (std::vector<QString>{"alpha", "D"}));
    EXPECT_EQ(CompareItems(cat->Data, disk->Data, TSortContext{}), 0);
}

TEST_F(TListing, CancelledSortKeepsEveryItem)
{
    std::vector<std::pair<std::string, int>> files;
    for (int i = 0; i < 200; ++i) files.push_back({"f" + std::to_string((i * 7919) % 200), i});
    auto list = Items({}, {}, files);
    auto before = list;
    int calls = 0;
    EXPECT_FALSE(SortList(list, TSortContext{0, false, true}, [&] { return ++calls > 150; }));
    std::sort(before.begin(), before.end());
    auto after = list;
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
}

TEST_F(TListing, SortMatchesComparison)
{
    std::vector<std::pair<std::string, int>> files;
    for (int i = 0; i < 300; ++i) files.push_back({"n" + std::to_string((i * 37) % 101) + ".e" + std::to_string(i % 7), i % 13});
    // Punctuation, case, digits and a few texts beyond ASCII, mixed with plain ones.
    const char* odd[] = {"a-b", "a_b", "A b", "ab", "a.b", "a'b", "a~", "AB", "a+b", "A(1)", "a[2]", "a10", "a9",
                         "\xc3\xa9t\xc3\xa9", "ete", "\xc3\x89TE", "zz", "!x", "#y", "a\tb", "A B"};
    for (const char* name : odd) files.push_back({name, 1});
    auto list = Items({"x", "Y"}, {"q.zip"}, files);
    for (int key : {0, 1, 2, 3, 5}) {
        const TSortContext ctx{key, key == 2, key != 3};
        SortList(list, ctx);
        for (size_t i = 1; i < list.size(); ++i) ASSERT_LE(CompareItems(list[i - 1], list[i], ctx), 0) << key << " " << i;
    }
}

} // namespace
