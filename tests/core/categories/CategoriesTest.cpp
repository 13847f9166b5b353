// Category lists and the "Categories Setup" working state, with the removal of references
// from items of catalogs read lazily from files.
#include "SampleCatalog.h"

#include "catalog/CatalogReader.h"
#include "catalog/CatalogSaver.h"
#include "catalog/ItemRoutines.h"
#include "categories/Categories.h"
#include "categories/CategorySetup.h"
#include "platform/Prompt.h"
#include "search/SearchGuard.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TFileRec* FileNamed(TTreeNode* owner, std::string_view name)
{
    LoadFiles(owner);
    for (TFileRec* f = owner->Data->Next; f; f = f->Next)
        if (f->Name() == name) return f;
    return nullptr;
}

TTreeNode* Child(TTreeNode* node, const std::string& text)
{
    if (AsFolder(node->Data)) LoadSubfolders(node, false, false);
    for (int i = 0; i < node->Count(); ++i)
        if (node->Child(i)->Text == text) return node->Child(i);
    return nullptr;
}

bool FilesLoaded(TTreeNode* node)
{
    if (auto* f = AsFolder(node->Data)) return f->FilesInMemory;
    return AsDisk(node->Data)->FilesInMemory;
}

class CategorySetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrompt(&prompt);
        TCatalogTree built;
        TTreeNode* c = BuildSampleCatalog(built); // Games 1, Music 4; flags "Backed up", -, "Broken"
        TTreeNode* d = c->Child(0);
        FileNamed(d, "README.TXT")->CategoryByte = 1 | FlagBit(2);
        FileNamed(d, "AUTOEXEC.BAT")->CategoryByte = 4;
        TTreeNode* a = Child(d, "A");
        FileNamed(a, "one.dat")->CategoryByte = 1;
        FileNamed(Child(a, "B"), "deep.txt")->CategoryByte = 4 | FlagBit(0);
        static_cast<TFolderRec*>(a->Data)->CategoryByte = 1 | FlagBit(0);
        path = dir.Path("cat.ctf");
        WriteFileBytes(path, EncodeToMemory(c));
        cat = ReadCatalogFile(tree, path);
        disk = cat->Child(0);
    }
    void TearDown() override { SetPrompt(nullptr); }
    TCatalogRec& Rec() { return *static_cast<TCatalogRec*>(cat->Data); }
    int RowOf(const TCategorySetup& s, const std::string& name)
    {
        for (size_t i = 0; i < s.Rows().size(); ++i)
            if (s.Rows()[i].Name == name) return int(i);
        return -1;
    }

    TScriptedPrompt prompt;
    TTempDir dir;
    std::string path;
    TCatalogTree tree;
    TTreeNode* cat = nullptr;
    TTreeNode* disk = nullptr;
};

} // namespace

TEST(Categories, ListOperations)
{
    TCatalogRec cat;
    cat.Categories = {{"Games", 1}, {"Music", 4}, {"Other", 4}};
    cat.FlagNames[1].Assign("Checked");
    EXPECT_EQ(CategoryName(cat, 4 | 0x20), "Music");
    EXPECT_EQ(CategoryName(cat, 5), "");
    EXPECT_EQ(CategoryNumberByName(cat, "Music"), 4);
    EXPECT_EQ(CategoryNumberByName(cat, "music"), 0);
    EXPECT_EQ(FlagNamesOf(cat, 0xE0), std::vector<std::string>{"Checked"});

    TCategoryList list = cat.Categories;
    EXPECT_EQ(AddCategory(list, "New"), 2);
    EXPECT_EQ(AddCategory(list, ""), 0);
    EXPECT_TRUE(RenameCategory(list, 2, "Newer"));
    EXPECT_FALSE(RenameCategory(list, 2, "Newer"));
    EXPECT_TRUE(RemoveCategory(list, 1));
    EXPECT_EQ(AddCategory(list, "Again"), 1) << "a freed number is used at once";
    while (list.size() < 31) ASSERT_NE(AddCategory(list, std::string("c").append(std::to_string(list.size()))), 0);
    EXPECT_EQ(AddCategory(list, "one too many"), 0);

    TCategoryList mine = {{"Games", 1}};
    EXPECT_EQ(CopyCategories(mine, {}), TCopyResult::NothingToCopy);
    EXPECT_EQ(CopyCategories(mine, {{"GAMES", 3}, {"games", 7}}), TCopyResult::Copied);
    EXPECT_EQ(mine.size(), 1u) << "names differing only in case are not copied";
    TCategoryList full = list;
    EXPECT_EQ(CopyCategories(mine, full), TCopyResult::NotEnoughRoom);
    EXPECT_EQ(mine.size(), 31u);
}

TEST_F(CategorySetup, LimitAndFreedNumbers)
{
    TCategorySetup s(tree, disk);
    for (int i = 0; s.Rows().size() < 31; ++i) ASSERT_TRUE(s.Add(std::string("c").append(std::to_string(i))));
    EXPECT_FALSE(s.EditEnabled());
    EXPECT_FALSE(s.Add("more"));
    const int row = RowOf(s, "c5");
    const int number = s.Rows()[size_t(row)].Number;
    EXPECT_TRUE(s.Delete(row)); // added in this dialog: no question
    EXPECT_TRUE(prompt.Shown.empty());
    EXPECT_TRUE(s.EditEnabled());
    ASSERT_TRUE(s.Add("late"));
    EXPECT_EQ(s.Rows()[size_t(RowOf(s, "late"))].Number, number);
    EXPECT_EQ(std::string(MaxCategoriesText), "(max. number of categories reached)");
}

TEST_F(CategorySetup, DeletingACategoryRemovesItsReferencesOnly)
{
    TCategorySetup s(tree, disk);
    prompt.Answers = {pbYes};
    ASSERT_TRUE(s.Delete(RowOf(s, "Games")));
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, QString("Warning"));
    ASSERT_TRUE(s.Add("Fresh"));
    EXPECT_EQ(s.Rows()[size_t(RowOf(s, "Fresh"))].Number, 1) << "the deleted number is free again";
    ASSERT_TRUE(s.Accept());

    EXPECT_EQ(Rec().Categories, (TCategoryList{{"Fresh", 1}, {"Music", 4}}));
    EXPECT_EQ(FileNamed(disk, "README.TXT")->CategoryByte, FlagBit(2)) << "the flag stays";
    EXPECT_EQ(FileNamed(disk, "AUTOEXEC.BAT")->CategoryByte, 4);
    TTreeNode* a = Child(disk, "A");
    EXPECT_EQ(static_cast<TFolderRec*>(a->Data)->CategoryByte, FlagBit(0));
    EXPECT_TRUE(static_cast<TDiskRec*>(disk->Data)->Dirty);
    EXPECT_FALSE(static_cast<TDiskRec*>(cat->Child(1)->Data)->Dirty) << "nothing changed there";
    EXPECT_FALSE(FilesLoaded(Child(a, "B"))) << "loaded for the update, unchanged, released";
    EXPECT_FALSE(FilesLoaded(Child(a, "PACK.ZIP")));
    EXPECT_EQ(Rec().Modified, 1);

    // The changes survive saving and reading back.
    ASSERT_TRUE(SaveCatalog(cat, false));
    TCatalogTree again;
    TTreeNode* reread = ReadCatalogFile(again, path);
    EXPECT_EQ(FileNamed(Child(reread->Child(0), "A"), "one.dat")->CategoryByte, 0);
    EXPECT_EQ(FileNamed(Child(Child(reread->Child(0), "A"), "B"), "deep.txt")->CategoryByte, 4 | FlagBit(0));
}

TEST_F(CategorySetup, RenamingKeepsEveryItemsCategory)
{
    TCategorySetup s(tree, disk);
    ASSERT_TRUE(s.Rename(RowOf(s, "Music"), "Songs"));
    ASSERT_TRUE(s.Accept());
    EXPECT_EQ(CategoryName(Rec(), FileNamed(disk, "AUTOEXEC.BAT")->CategoryByte), "Songs");
    EXPECT_FALSE(static_cast<TDiskRec*>(disk->Data)->Dirty) << "no item had to change";
}

TEST_F(CategorySetup, BlankingAFlagRemovesItFromEveryItem)
{
    TCategorySetup s(tree, disk);
    prompt.Answers = {pbNo};
    s.LeaveFlagEdit(0, "");
    EXPECT_EQ(s.FlagText(0), "Backed up") << "No puts the name back";
    EXPECT_FALSE(s.RemoveAll(0));
    prompt.Answers = {pbYes};
    s.LeaveFlagEdit(0, "");
    EXPECT_TRUE(s.RemoveAll(0));
    s.SetRemoveAll(0, false);
    EXPECT_TRUE(s.RemoveAll(0)) << "a blanked defined flag keeps its removal";
    ASSERT_EQ(prompt.Shown.size(), 2u);
    EXPECT_TRUE(prompt.Shown[1].Text.startsWith("You have deleted flag that may have references in the catalog."));
    s.SetRemoveAll(1, true);
    EXPECT_FALSE(s.RemoveAll(1)) << "flag 2 is not defined";
    ASSERT_TRUE(s.Accept());

    EXPECT_TRUE(Rec().FlagNames[0].IsNull());
    TTreeNode* a = Child(disk, "A");
    EXPECT_EQ(static_cast<TFolderRec*>(a->Data)->CategoryByte, 1);
    EXPECT_EQ(FileNamed(Child(a, "B"), "deep.txt")->CategoryByte, 4);
    EXPECT_EQ(FileNamed(disk, "README.TXT")->CategoryByte, 1 | FlagBit(2));
}

TEST_F(CategorySetup, RemoveAllAsksWithTheFlagsNameAndCancelRestoresEverything)
{
    const uint8_t modified = Rec().Modified;
    TCategorySetup s(tree, disk);
    prompt.Answers = {pbYes};
    s.SetRemoveAll(2, true);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Text, QString("Checking this box will remove all references to \"Broken\" flag from the "
                                            "catalog.\r\rAre you really sure you want to do this?"));
    ASSERT_TRUE(s.Rename(RowOf(s, "Games"), "Play"));
    prompt.Answers = {pbNo};
    EXPECT_FALSE(s.Cancel()) << "No keeps the dialog open";
    EXPECT_EQ(prompt.Shown.back().Caption, QString("Discard Changes?"));
    prompt.Answers = {pbYes};
    ASSERT_TRUE(s.Cancel());
    EXPECT_EQ(Rec().Categories, (TCategoryList{{"Games", 1}, {"Music", 4}}));
    EXPECT_EQ(Rec().FlagNames[2].Str(), "Broken");
    EXPECT_EQ(Rec().Modified, modified);
    EXPECT_FALSE(FilesLoaded(disk)) << "no item was touched";
}

TEST_F(CategorySetup, SwitchingCatalogsWritesTheShownOneAndCopiesAcrossCatalogs)
{
    TCatalogTree built;
    TCatalogBuilder b(built);
    TTreeNode* other = b.Catalog("Other");
    static_cast<TCatalogRec*>(other->Data)->Categories = {{"GAMES", 2}, {"Books", 9}};
    b.Disk(other, "D");
    WriteFileBytes(dir.Path("other.ctf"), EncodeToMemory(other));
    TTreeNode* second = ReadCatalogFile(tree, dir.Path("other.ctf"));

    TCategorySetup s(tree, second);
    EXPECT_EQ(s.Shown(), 1);
    EXPECT_TRUE(s.CopyFromEnabled());
    s.CopyFrom(0); // Games (as GAMES) is there already; Music comes over
    EXPECT_EQ(s.Rows().size(), 3u);
    EXPECT_EQ(s.Rows()[size_t(RowOf(s, "Music"))].Number, 1);
    s.ShowCatalog(0);
    EXPECT_EQ(static_cast<TCatalogRec*>(second->Data)->Categories.size(), 3u) << "written when switching";
    EXPECT_EQ(static_cast<TCatalogRec*>(second->Data)->Modified, 1);
    EXPECT_EQ(RowOf(s, "Games"), 0);
    ASSERT_TRUE(s.Accept());
}

TEST_F(CategorySetup, RemovingReferencesIsRefusedWhileASearchRuns)
{
    TCategorySetup s(tree, disk);
    prompt.Answers = {pbYes};
    ASSERT_TRUE(s.Delete(RowOf(s, "Games")));
    SetSearchRunning(true);
    EXPECT_FALSE(s.Accept());
    SetSearchRunning(false);
    EXPECT_EQ(prompt.Shown.back().Caption, QString("Can't Update Data"));
    EXPECT_EQ(Rec().Categories.size(), 2u) << "nothing was written";
    EXPECT_TRUE(s.Accept());
    EXPECT_EQ(Rec().Categories.size(), 1u);
}
