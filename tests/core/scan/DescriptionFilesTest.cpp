#include "CatalogBuilder.h"
#include "TempDir.h"

#include "scan/DescriptionFiles.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class DescFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cat = b.Catalog("C");
        disk = b.Disk(cat, "D");
        folder = b.Folder(disk, "F");
        readme = b.File(folder, "README.TXT", 10);
        longName = b.File(folder, "My Long Name.txt", 20);
        foo = b.File(folder, "FOO.ZIP", 30);
        sub = b.Folder(folder, "Sub");
    }
    std::string Desc(TFileRec* f) { return f->Description.Str(); }
    std::string Write(const std::string& name, const std::string& text)
    {
        WriteFileBytes(dir.Path(name), text);
        return dir.Path(name);
    }
    TItemRec* Owner() { return folder->Data; }

    TTempDir dir;
    TCatalogTree tree;
    TCatalogBuilder b{tree};
    TTreeNode *cat, *disk, *folder, *sub;
    TFileRec *readme, *longName, *foo;
};

} // namespace

TEST_F(DescFilesTest, DescriptIonLines)
{
    const std::string path = Write("DESCRIPT.ION", "\"My Long Name.txt\" A text file\r\n"
                                                   "readme.txt   Read me first\r\n"
                                                   "foo.zip\r\n"
                                                   " sub indented lines are ignored\r\n"
                                                   "sub The sub folder\r\n"
                                                   "nothing matches this\r\n");
    ApplyDescriptIon(Owner(), path, false, 0);
    EXPECT_EQ(Desc(longName), "A text file");
    EXPECT_EQ(Desc(readme), "Read me first");
    EXPECT_TRUE(foo->Description.IsNull());
    EXPECT_EQ(static_cast<TFolderRec*>(sub->Data)->Description.Str(), "The sub folder");
    EXPECT_TRUE(ItemIs(Owner(), ifDescribedFiles));

    ApplyDescriptIon(Owner(), Write("D2", "readme.txt other\r\n"), false, 0);
    EXPECT_EQ(Desc(readme), "Read me first") << "kept without replace";
    ApplyDescriptIon(Owner(), Write("D3", "readme.txt other\r\n"), true, 0);
    EXPECT_EQ(Desc(readme), "other");
    ApplyDescriptIon(Owner(), Write("D4", "foo.zip " + std::string(120, 'x') + "\r\n"), false, 2);
    EXPECT_EQ(Desc(foo), std::string(50, 'x') + "\r\n" + std::string(50, 'x'));
}

TEST_F(DescFilesTest, FilesBbsEntriesAndContinuations)
{
    const std::string path = Write("FILES.BBS", "Header line\r\n"
                                                "FOO.ZIP    First line\r\n"
                                                "           second line\r\n"
                                                "README.TXT  |Piped text that starts the entry\r\n"
                                                "Sub        Folder text\r\n");
    ApplyFilesBbs(Owner(), path, 0);
    EXPECT_EQ(Desc(foo), "First line\r\nsecond line");
    EXPECT_EQ(Desc(readme), "Piped text that starts the entry");
    EXPECT_EQ(static_cast<TFolderRec*>(sub->Data)->Description.Str(), "Folder text")
        << "the last line is its own entry";

    foo->Description.Assign("kept");
    static_cast<TFolderRec*>(sub->Data)->Description.Assign("replaced");
    ApplyFilesBbs(Owner(), Write("F2", "FOO.ZIP    new\r\nSub        always replaced\r\n"), 0);
    EXPECT_EQ(Desc(foo), "kept");
    EXPECT_EQ(static_cast<TFolderRec*>(sub->Data)->Description.Str(), "always replaced");

    readme->Description.Reset();
    ApplyFilesBbs(Owner(), Write("F4", "README.TXT one\r\n            two\r\n            three\r\n"), 2);
    EXPECT_EQ(Desc(readme), "one\r\ntwo");
}

TEST_F(DescFilesTest, FileIdDizIsCleanedAndCapped)
{
    EXPECT_EQ(ReadFileIdDiz(Write("FILE_ID.DIZ", "  \xC9\xCD\xBB Title \r\n\r\n")), "+-+ Title");
    EXPECT_EQ(ReadFileIdDiz(Write("Z.DIZ", std::string("abc\0def", 7))), "abc");
    EXPECT_EQ(ReadFileIdDiz(Write("BIG.DIZ", std::string(10000, 'y'))).size(), 4095u);
    EXPECT_EQ(ReadFileIdDiz(dir.Path("missing")), "");

    EXPECT_TRUE(SetDescriptionIfEmpty(folder->Data, "folder text"));
    EXPECT_FALSE(SetDescriptionIfEmpty(folder->Data, "other"));
    EXPECT_EQ(static_cast<TFolderRec*>(folder->Data)->Description.Str(), "folder text");
}
