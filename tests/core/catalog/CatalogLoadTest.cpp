#include "SampleCatalog.h"

#include "catalog/CatalogFormat.h"
#include "catalog/CatalogReader.h"
#include "platform/Prompt.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class LoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrompt(&prompt);
        file = dir.Path("c.ctf");
    }
    void TearDown() override { SetPrompt(nullptr); }
    TTreeNode* Open(const std::string& bytes)
    {
        WriteFileBytes(file, bytes);
        return ReadCatalogFile(readTree, file);
    }
    TScriptedPrompt prompt;
    TTempDir dir;
    std::string file;
    TCatalogTree tree;
    TCatalogTree readTree;
};

} // namespace

TEST_F(LoadTest, SkeletonHasTopFoldersOnlyAndLoadsOnDemand)
{
    TTreeNode* cat = Open(EncodeToMemory(BuildSampleCatalog(tree)));
    ASSERT_EQ(cat->Count(), 3);
    TTreeNode* disk = cat->Child(0);
    auto* d = static_cast<TDiskRec*>(disk->Data);
    EXPECT_EQ(d->FilesInMemory, 0);
    EXPECT_EQ(d->Next, nullptr);
    EXPECT_TRUE(ItemIs(d, ifInScope));
    ASSERT_EQ(disk->Count(), 2);
    TTreeNode* a = disk->Child(0);
    EXPECT_EQ(a->Text, "A");
    EXPECT_EQ(a->Count(), 0);
    EXPECT_TRUE(a->HasChildren);
    EXPECT_FALSE(disk->Child(1)->HasChildren);
    auto* af = static_cast<TFolderRec*>(a->Data);
    EXPECT_GT(af->SubfolderOffset, 0);
    EXPECT_EQ(af->SubfolderOffset, af->FilesOffset < 0 ? af->SubfolderOffset : af->SubfolderOffset);

    LoadSubfolders(a, false, false);
    ASSERT_EQ(a->Count(), 2) << "exactly the direct sub-folders";
    EXPECT_EQ(a->Child(0)->Text, "B");
    EXPECT_EQ(a->Child(0)->Count(), 0);
    EXPECT_TRUE(a->Child(0)->HasChildren);
    EXPECT_TRUE(ItemIs(a->Child(1)->Data, ifArchive));
    EXPECT_LT(af->SubfolderOffset, 0);
    LoadSubfolders(a, false, false);
    EXPECT_EQ(a->Count(), 2) << "a second expansion reads nothing";

    LoadFiles(disk);
    EXPECT_EQ(d->FilesInMemory, 1);
    ASSERT_NE(d->Next, nullptr);
    EXPECT_EQ(d->Next->Name(), "README.TXT");
    EXPECT_EQ(d->Next->Description.Str(), "Read me first");
    EXPECT_EQ(d->Next->Node, disk);
    EXPECT_EQ(d->Next->Next->Name(), "AUTOEXEC.BAT");
    EXPECT_TRUE(ItemIs(d, ifFilesLinked | ifDescribedFiles));

    TTreeNode* zip = a->Child(1);
    LoadFiles(zip);
    ASSERT_NE(zip->Data->Next, nullptr);
    EXPECT_TRUE(ItemIs(zip->Data->Next, ifArchive)) << "members inherit the archive flag";

    ReleaseNodeRecords(zip, false, true);
    EXPECT_EQ(static_cast<TFolderRec*>(zip->Data)->FilesInMemory, 0);
    EXPECT_EQ(zip->Data->Next, nullptr);
    LoadFiles(zip);
    EXPECT_EQ(zip->Data->Next->Name(), "docs\\manual.txt");
}

TEST_F(LoadTest, RecursiveLoadBuildsTheWholeSubtree)
{
    TTreeNode* cat = Open(EncodeToMemory(BuildSampleCatalog(tree)));
    TTreeNode* a = cat->Child(0)->Child(0);
    LoadSubfolders(a, true, true);
    ASSERT_EQ(a->Count(), 2);
    TTreeNode* bNode = a->Child(0);
    ASSERT_EQ(bNode->Count(), 1);
    EXPECT_EQ(bNode->Child(0)->Text, "C");
    EXPECT_EQ(static_cast<TFolderRec*>(bNode->Data)->FilesInMemory, 1);
    EXPECT_EQ(bNode->Data->Next->Name(), "deep.txt");
    EXPECT_EQ(ItemPath(bNode->Child(0)->Data, true, false), "\\A\\B\\C");

    TTreeNode* disk = cat->Child(0);
    LoadSubfolders(disk, true, true);
    EXPECT_EQ(disk->Count(), 2) << "a disk's top-level folders are not added twice";
    EXPECT_EQ(disk->Child(1)->Text, "Empty");
}

TEST_F(LoadTest, RecursiveLoadGoesOnBelowFoldersReadBefore)
{
    TTreeNode* cat = Open(EncodeToMemory(BuildSampleCatalog(tree)));
    TTreeNode* disk = cat->Child(0);
    TTreeNode* a = disk->Child(0);
    LoadSubfolders(a, false, false);
    TTreeNode* bNode = a->Child(0);
    ASSERT_EQ(bNode->Count(), 0);

    LoadSubfolders(disk, true, true);
    ASSERT_EQ(a->Count(), 2) << "folders read before are not added again";
    ASSERT_EQ(bNode->Count(), 1);
    EXPECT_EQ(bNode->Child(0)->Text, "C");
    EXPECT_EQ(bNode->Data->Next->Name(), "deep.txt");
    EXPECT_EQ(static_cast<TFolderRec*>(a->Data)->FilesInMemory, 1);

    LoadSubfolders(bNode->Child(0), false, true);
    EXPECT_EQ(static_cast<TFolderRec*>(bNode->Child(0)->Data)->FilesInMemory, 1)
        << "a folder without sub-folders still gets its files";
}

TEST_F(LoadTest, DamagedFileListKeepsEntriesBeforeTheDamage)
{
    TTreeNode* built = BuildSampleCatalog(tree);
    TTreeNode* disk = built->Child(0);
    TTreeNode* zip = disk->Child(0)->Child(1);
    TCatalogBuilder b(tree);
    b.File(zip, "third.txt", 3, "third description");
    std::string bytes = EncodeToMemory(built);
    auto* z = static_cast<TFolderRec*>(zip->Data);
    auto* d = static_cast<TDiskRec*>(disk->Data);
    // The third entry's description length is the last field before its text.
    const size_t descLenPos = size_t(d->RecordOffset + z->FilesOffset + z->FilesLength) - 17 - 2;
    ASSERT_EQ(bytes.substr(descLenPos + 2, 17), "third description");
    bytes[descLenPos] = 0x01;
    bytes[descLenPos + 1] = 0x10; // 4097

    TTreeNode* cat = Open(bytes);
    TTreeNode* zipRead = cat->Child(0)->Child(0);
    LoadSubfolders(zipRead, false, false);
    zipRead = zipRead->Child(1);
    LoadFiles(zipRead);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Error Loading Catalog");
    // The path as the user reads it, in this platform's separators.
    const std::string path = QDir::toNativeSeparators("/A/PACK.ZIP").toStdString();
    EXPECT_EQ(prompt.Shown[0].Text.toStdString(),
              "Program detected an error while trying to load files in folder \"" + path + "\". "
              "Catalog file may be damaged.\r\nProgram will try to recover by skipping the rest of "
              "files in this folder.");
    int count = 0;
    for (TFileRec* f = zipRead->Data->Next; f; f = f->Next) ++count;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(static_cast<TFolderRec*>(zipRead->Data)->FilesInMemory, 1);
}

TEST_F(LoadTest, CatalogWithoutDisksOpens)
{
    TCatalogBuilder b(tree);
    TTreeNode* cat = Open(EncodeToMemory(b.Catalog("Empty")));
    EXPECT_EQ(cat->Text, "Empty");
    EXPECT_EQ(cat->Count(), 0);
    auto* rec = static_cast<TCatalogRec*>(cat->Data);
    EXPECT_EQ(rec->FileName, file);
    EXPECT_NE(rec->Stream, nullptr);
    EXPECT_TRUE(ItemIs(rec, ifInScope));
}
