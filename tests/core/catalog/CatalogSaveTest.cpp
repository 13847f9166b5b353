#include "FailingWriter.h"
#include "SampleCatalog.h"

#include "catalog/CatalogDump.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogSaver.h"
#include "catalog/Progress.h"
#include "catalog/ReadAheadStream.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Prompt.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrompt(&prompt);
        SetFileDialogs(&dialogs);
        SetProgress(&progress);
    }
    void TearDown() override
    {
        SetPrompt(nullptr);
        SetFileDialogs(nullptr);
        SetProgress(nullptr);
    }
    TCatalogRec* Rec(TTreeNode* n) { return static_cast<TCatalogRec*>(n->Data); }
    // Saves the sample catalog to a file and opens that file again.
    TTreeNode* SavedSample(const std::string& name = "sample.ctf")
    {
        TTreeNode* built = BuildSampleCatalog(tree);
        Rec(built)->Modified = 1;
        dialogs.SaveAnswers = {dir.Path(name)};
        EXPECT_TRUE(SaveCatalog(built, false));
        DeleteNode(built);
        return ReadCatalogFile(tree, dir.Path(name));
    }
    void DeleteNode(TTreeNode* n) { tree.Delete(n); }
    // Everything a failed save must leave as it was.
    std::string State(TTreeNode* cat)
    {
        std::string s = DumpCatalog(cat);
        for (int i = 0; i < cat->Count(); ++i)
            s += " dirty=" + std::to_string(static_cast<TDiskRec*>(cat->Child(i)->Data)->Dirty);
        s += " modified=" + std::to_string(Rec(cat)->Modified) + " format=" + std::to_string(Rec(cat)->CurrentFormat);
        s += " stream=" + (Rec(cat)->Stream ? Rec(cat)->Stream->FileName() : std::string("none"));
        return s;
    }
    size_t TempFilesIn(const std::string& folder)
    {
        return QDir(QString::fromStdString(folder)).entryList({"ctf*.tmp"}, QDir::Files).size();
    }

    TScriptedPrompt prompt;
    TScriptedFileDialogs dialogs;
    TRecordingProgress progress;
    TTempDir dir;
    TCatalogTree tree;
    TCatalogBuilder b{tree};
};

} // namespace

TEST_F(SaveTest, UnmodifiedSaveDoesNothingButSaveAsAsks)
{
    TTreeNode* cat = SavedSample();
    EXPECT_TRUE(SaveCatalog(cat, false));
    EXPECT_TRUE(dialogs.SaveRequests.empty() || dialogs.SaveRequests.size() == 1);
    const size_t asked = dialogs.SaveRequests.size();
    EXPECT_FALSE(SaveCatalog(cat, true)) << "the dialog was cancelled";
    ASSERT_EQ(dialogs.SaveRequests.size(), asked + 1);
    EXPECT_EQ(dialogs.SaveRequests.back().Title, "Save Catalog \"Sample\" As ...");
    EXPECT_EQ(dialogs.SaveRequests.back().FileName, dir.Path("sample.ctf"));
    EXPECT_EQ(dialogs.SaveRequests.back().InitialDir, FolderOf(dir.Path("sample.ctf")));
}

TEST_F(SaveTest, NewCatalogIsWrittenAndReopenedOnItsFile)
{
    TTreeNode* cat = b.Catalog("Old: Files");
    Rec(cat)->Modified = 1;
    dialogs.SaveAnswers = {dir.Path("old.ctf")};
    TSaveOptions options;
    options.DefaultCatalogFolder = "/catalogs";
    ASSERT_TRUE(SaveCatalog(cat, false, options));
    EXPECT_EQ(dialogs.SaveRequests[0].FileName, "Old_ Files");
    EXPECT_EQ(dialogs.SaveRequests[0].InitialDir, "/catalogs");
    EXPECT_EQ(ReadFileBytes(dir.Path("old.ctf")), EncodeToMemory(cat));
    EXPECT_EQ(Rec(cat)->Modified, 0);
    EXPECT_EQ(Rec(cat)->FileName, dir.Path("old.ctf"));
    ASSERT_NE(Rec(cat)->Stream, nullptr);
    EXPECT_EQ(TempFilesIn(FolderOf(dir.Path("old.ctf"))), 0u);
    EXPECT_NE(std::find(progress.Log.begin(), progress.Log.end(), "status:Saving catalog..."), progress.Log.end());
    EXPECT_NE(std::find(progress.Log.begin(), progress.Log.end(), "wait:Saving catalog, please wait..."),
              progress.Log.end());
}

TEST_F(SaveTest, FileOfAnotherOpenCatalogIsRefused)
{
    TTreeNode* first = SavedSample("first.ctf");
    TTreeNode* second = b.Catalog("Second");
    Rec(second)->Modified = 1;
    dialogs.SaveAnswers = {Rec(first)->FileName, dir.Path("second.ctf")};
    prompt.Answers = {pbOK}; // someone reads the message and picks another name
    const size_t asked = dialogs.SaveRequests.size();
    ASSERT_TRUE(SaveCatalog(second, false));
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "File create error");
    EXPECT_EQ(prompt.Shown[0].Text, "This file already exists and is in use.\rEnter new file name or close "
                                    "this file in other applications.");
    EXPECT_EQ(dialogs.SaveRequests.size(), asked + 2);

    dialogs.SaveAnswers = {"/nonexistent-dir/x.ctf"};
    EXPECT_FALSE(SaveCatalog(second, true));
    EXPECT_EQ(prompt.Shown.back().Text, "Can not create this file for writing.\rPlease enter a valid file "
                                        "name and path, on write-enabled device.");
}

TEST_F(SaveTest, EditedDiskIsRewrittenAndTheRestCopied)
{
    TTreeNode* cat = SavedSample();
    const std::string before = ReadFileBytes(Rec(cat)->FileName);
    TTreeNode* virtualDisk = cat->Child(1);
    static_cast<TDiskRec*>(virtualDisk->Data)->Description.Assign("A new description for this disk");
    MarkDiskDirty(virtualDisk, true);
    ASSERT_TRUE(SaveCatalog(cat, false));
    const std::string after = ReadFileBytes(Rec(cat)->FileName);
    EXPECT_EQ(after.size(), before.size() + 31);

    auto* d0 = static_cast<TDiskRec*>(cat->Child(0)->Data);
    auto* d2 = static_cast<TDiskRec*>(cat->Child(2)->Data);
    EXPECT_EQ(after.substr(size_t(d0->RecordOffset), size_t(d0->RecordLength)),
              before.substr(size_t(d0->RecordOffset), size_t(d0->RecordLength)));
    EXPECT_EQ(d2->RecordOffset + d2->RecordLength, int32_t(after.size())) << "offsets describe the new file";
    EXPECT_EQ(static_cast<TDiskRec*>(virtualDisk->Data)->Dirty, 0);

    TCatalogTree other;
    TTreeNode* reread = ReadCatalogFile(other, Rec(cat)->FileName);
    EXPECT_EQ(DumpCatalog(reread), DumpCatalog(cat));
}

TEST_F(SaveTest, BackupKeepsTheOldFile)
{
    TTreeNode* cat = SavedSample();
    const std::string path = Rec(cat)->FileName;
    const std::string before = ReadFileBytes(path);
    WriteFileBytes(BackupNameOf(path), "an older backup");
    Rec(cat)->Modified = 1;
    TSaveOptions options;
    options.CreateBackup = true;
    ASSERT_TRUE(SaveCatalog(cat, false, options));
    EXPECT_EQ(BackupNameOf(path), dir.Path("sample.BAK"));
    EXPECT_EQ(ReadFileBytes(dir.Path("sample.BAK")), before);
    EXPECT_EQ(ReadFileBytes(path), before) << "nothing changed, so the same bytes";
}

TEST_F(SaveTest, FailedWritesLeaveCatalogAndFileAsTheyWere)
{
    TTreeNode* cat = SavedSample();
    const std::string path = Rec(cat)->FileName;
    const std::string fileBefore = ReadFileBytes(path);
    LoadSubfolders(cat->Child(0)->Child(0), false, true);
    static_cast<TDiskRec*>(cat->Child(0)->Data)->Description.Assign("edited");
    MarkDiskDirty(cat->Child(0), true);
    const std::string stateBefore = State(cat);

    for (int64_t budget : {int64_t(0), int64_t(13), int64_t(40), int64_t(100), int64_t(300),
                           int64_t(fileBefore.size()) - 10}) {
        TSaveOptions options;
        options.OpenWriter = [budget](const std::string& p) { return std::make_unique<TFailingWriter>(p, budget); };
        prompt.Shown.clear();
        EXPECT_FALSE(SaveCatalog(cat, false, options)) << budget;
        ASSERT_EQ(prompt.Shown.size(), 1u);
        EXPECT_EQ(prompt.Shown[0].Caption, "Save error");
        EXPECT_EQ(prompt.Shown[0].Text.toStdString(),
                  "An error occurred while saving the catalog " + path + ".\rNo space left on device");
        EXPECT_EQ(State(cat), stateBefore) << budget;
        EXPECT_EQ(ReadFileBytes(path), fileBefore);
        EXPECT_EQ(TempFilesIn(FolderOf(path)), 0u);
    }
    ASSERT_TRUE(SaveCatalog(cat, false));
    TCatalogTree other;
    EXPECT_EQ(DumpCatalog(ReadCatalogFile(other, path)), DumpCatalog(cat));
}

TEST_F(SaveTest, RenameFailuresAndLowSpace)
{
    TTreeNode* cat = SavedSample();
    const std::string path = Rec(cat)->FileName;
    const std::string fileBefore = ReadFileBytes(path);
    MarkDiskDirty(cat->Child(2), true);
    const std::string stateBefore = State(cat);

    int renames = 0;
    TSaveOptions options;
    options.Sleep = [](int) {};
    options.Rename = [&](const std::string&, const std::string&) { return ++renames, EXDEV; };
    EXPECT_FALSE(SaveCatalog(cat, false, options));
    EXPECT_EQ(renames, 6);
    EXPECT_EQ(prompt.Shown.back().Text,
              "There was a problem while trying to replace old catalog file.\rIf everything else fails, you "
              "can select 'Cancel', and use 'Save As...'\rto save the catalog under different name.");
    EXPECT_EQ(State(cat), stateBefore) << "the stream is back on the old file";
    EXPECT_EQ(ReadFileBytes(path), fileBefore);

    prompt.Shown.clear();
    options.Rename = [&](const std::string&, const std::string&) { return EACCES; };
    prompt.Answers = {pbRetry, pbCancel};
    EXPECT_FALSE(SaveCatalog(cat, false, options));
    ASSERT_EQ(prompt.Shown.size(), 2u) << "Retry asks again, Cancel ends without a further message";
    EXPECT_TRUE(prompt.Shown[0].Text.contains("It seems this file is still in use"));
    EXPECT_EQ(State(cat), stateBefore);

    // No free space at all: the new file must fit where the old one was, and it is larger.
    prompt.Shown.clear();
    static_cast<TDiskRec*>(cat->Child(2)->Data)->Description.Assign("grows the file");
    const std::string grownState = State(cat);
    const size_t tempsBefore = TempFilesIn(TempFolder());
    TSaveOptions low;
    low.FreeSpace = [](const std::string&) { return int64_t(0); };
    EXPECT_FALSE(SaveCatalog(cat, false, low));
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Text, "There is not enough disk space on destination drive to save the catalog.");
    EXPECT_EQ(State(cat), grownState);
    EXPECT_EQ(ReadFileBytes(path), fileBefore);
    EXPECT_EQ(TempFilesIn(TempFolder()), tempsBefore) << "the temporary file went to the temporary folder and is gone";
}

TEST_F(SaveTest, OldFormatCatalogIsRewrittenInFull)
{
    TTreeNode* cat = SavedSample();
    std::string bytes = ReadFileBytes(Rec(cat)->FileName);
    const std::string current = bytes;
    bytes.replace(8, 4, "1.00");
    WriteFileBytes(dir.Path("old.ctf"), bytes);
    TTreeNode* old = ReadCatalogFile(tree, dir.Path("old.ctf"));
    EXPECT_EQ(Rec(old)->Modified, 1);
    ASSERT_TRUE(SaveCatalog(old, false));
    EXPECT_EQ(ReadFileBytes(dir.Path("old.ctf")), current);
}

TEST_F(SaveTest, LargeUnchangedDisksAreCopiedExactly)
{
    TTreeNode* cat = b.Catalog("Big");
    TTreeNode* big = b.Disk(cat, "Big");
    for (int i = 0; i < 4000; ++i) b.File(big, "file" + std::to_string(i) + ".dat", i, i % 3 ? "" : "desc");
    TTreeNode* small = b.Disk(cat, "Small");
    b.File(small, "x", 1);
    Rec(cat)->Modified = 1;
    dialogs.SaveAnswers = {dir.Path("big.ctf")};
    ASSERT_TRUE(SaveCatalog(cat, false));
    const std::string dumpBefore = DumpCatalog(cat);
    ASSERT_GT(static_cast<TDiskRec*>(big->Data)->RecordLength, 65536);

    // A longer catalog name moves the big record, which is copied file to file.
    cat->Text = "Big catalog with a longer name";
    MarkDiskDirty(small, true);
    ASSERT_TRUE(SaveCatalog(cat, false));
    TCatalogTree other;
    TTreeNode* reread = ReadCatalogFile(other, dir.Path("big.ctf"));
    EXPECT_EQ(DumpCatalog(reread), DumpCatalog(cat));
    EXPECT_NE(DumpCatalog(cat), dumpBefore);
}
