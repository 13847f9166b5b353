#include "ScanTestSupport.h"

#include "catalog/CatalogOpener.h"

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

class ScanUpdateTest : public ScanTest
{
protected:
    void SetUp() override
    {
        ScanTest::SetUp();
        Fixture("docs.zip", "DOCS.ZIP");
        File("README.TXT", "Top readme.\n");
        int length = 0;
        for (const char* f : {"A", "B", "C"}) { // X.TXT of another size in each
            Folder(f);
            File(std::string(f) + "/X.TXT", std::string(size_t(++length), *f));
        }
        StampFolders({"A", "B", "C"});
    }

    TTreeNode* FirstScan()
    {
        const TScanResult result = Run(TScanOptions{});
        EXPECT_EQ(result.Outcome, TScanOutcome::Finished);
        return result.NewDisk;
    }
};

// Cancels once the walk has reached a given folder; sees what the scan built until then.
class TCancelAtFolder : public TRecordingProgress
{
public:
    void SetScanDir(const QString& dir) override
    {
        TRecordingProgress::SetScanDir(dir);
        if (dir.endsWith(Folder)) {
            if (AtCancel) AtCancel();
            PressScanCancel();
        }
    }
    QString Folder;
    std::function<void()> AtCancel;
};

} // namespace

TEST_F(ScanUpdateTest, CancelHalfwayLeavesTheOldDiskAsItWas)
{
    FirstScan();
    const std::string file = Reopen();
    TCatalogTree before;
    TTreeNode* beforeCat = ReadCatalogFile(before, file);
    LoadEverything(beforeCat);
    const std::vector<std::string> expected = StableDump(beforeCat);
    const std::string bytes = ReadFileBytes(file);

    TTreeNode* old = catalog->Child(0);
    TCancelAtFolder cancel;
    cancel.Folder = "/B/";
    bool takenOver = false;
    cancel.AtCancel = [&] {
        TTreeNode* oldZip = ChildNamed(old, "Docs.zip");
        TTreeNode* newZip =
            catalog->Count() == 2 ? ChildNamed(catalog->Child(1), "Docs.zip") : nullptr;
        takenOver =
            oldZip && newZip && oldZip->Data == newZip->Data && oldZip->Data->Node == newZip;
    };
    SetProgress(&cancel);
    TScanOptions options;
    options.ArchiveQuickScan = true;
    options.KeepCurrentCheck = true;
    const TScanResult result = Run(options, old);
    SetProgress(&progress);

    EXPECT_EQ(result.Outcome, TScanOutcome::Aborted);
    EXPECT_TRUE(takenOver) << "the quick archive scan had taken the archive over before the cancel";
    ASSERT_EQ(catalog->Count(), 1);
    EXPECT_EQ(catalog->Child(0), old);
    EXPECT_EQ(static_cast<TCatalogRec*>(catalog->Data)->Modified, 0);
    TTreeNode* oldZip = ChildNamed(old, "Docs.zip");
    ASSERT_TRUE(oldZip);
    EXPECT_EQ(oldZip->Data->Node, oldZip);
    for (TFileRec* f = oldZip->Data->Next; f; f = f->Next)
        EXPECT_EQ(f->Node, oldZip);
    EXPECT_EQ(static_cast<TFolderRec*>(oldZip->Data)->DiskNode, old);
    LoadEverything(catalog);
    EXPECT_EQ(StableDump(catalog), expected);

    const std::string again = dir.Path("again.ctf");
    {
        TFileWriter out(again);
        WriteCatalog(catalog, out);
        out.Close();
    }
    EXPECT_EQ(ReadFileBytes(again), bytes) << "the old disk is copied unchanged";
}

TEST_F(ScanUpdateTest, DescriptionsSurviveARescan)
{
    TTreeNode* first = FirstScan();
    // A second disk whose descriptions are offered only when every disk is the source.
    TTreeNode* other = b.Disk(catalog, "Other");
    TFileRec* elsewhere = FileNamed(ChildNamed(first, "B"), "X.txt");
    TFileRec* copy = b.File(other, "X.txt", elsewhere->Size, "from the other disk");
    copy->Modified = elsewhere->Modified;
    FileNamed(first, "Readme.txt")->Description.Assign("kept readme");
    FileNamed(first, "Readme.txt")->CategoryByte = 0x25;
    static_cast<TFolderRec*>(ChildNamed(first, "A")->Data)->Description.Assign("folder A");
    TTreeNode* zip = ChildNamed(first, "Docs.zip");
    static_cast<TFolderRec*>(zip->Data)->Description.Assign("kept archive");
    FileNamed(zip, "Docs\\Read.me")->Description.Assign("kept member");
    FileNamed(ChildNamed(first, "C"), "X.txt")->Description.Assign("lost: the file changes");
    Reopen();
    File("C/X.TXT", "C text, longer now");

    for (const bool quick : {false, true}) {
        for (const int source : {0, 1}) {
            TTreeNode* old = catalog->Child(0);
            TScanOptions options;
            options.KeepCurrentCheck = true;
            options.ImportDescCombo = source;
            options.ArchiveQuickScan = quick;
            options.DiskName = old->Text;
            const TScanResult result = Run(options, old);
            ASSERT_EQ(result.Outcome, TScanOutcome::Finished) << result.Error;
            ASSERT_EQ(catalog->Count(), 2) << "the old disk is gone, the other one stays";
            EXPECT_EQ(catalog->Child(0), result.NewDisk) << "the updated disk keeps its place";
            EXPECT_EQ(result.NewDisk->Text, "Medium");
            TTreeNode* disk = result.NewDisk;
            EXPECT_EQ(FileNamed(disk, "Readme.txt")->Description.Str(), "kept readme");
            EXPECT_EQ(FileNamed(disk, "Readme.txt")->CategoryByte, 0x25);
            EXPECT_EQ(static_cast<TFolderRec*>(ChildNamed(disk, "A")->Data)->Description.Str(),
                      "folder A");
            TTreeNode* newZip = ChildNamed(disk, "Docs.zip");
            ASSERT_TRUE(newZip);
            EXPECT_EQ(static_cast<TFolderRec*>(newZip->Data)->Description.Str(), "kept archive");
            EXPECT_EQ(FileNamed(newZip, "Docs\\Read.me")->Description.Str(), "kept member");
            EXPECT_TRUE(FileNamed(ChildNamed(disk, "C"), "X.txt")->Description.IsNull());
            EXPECT_EQ(FileNamed(ChildNamed(disk, "B"), "X.txt")->Description.Str(),
                      source == 1 ? "from the other disk" : "");
            // Put the new disk first again, saved, for the next round.
            FileNamed(ChildNamed(disk, "B"), "X.txt")->Description.Reset();
            tree.Move(disk, catalog, 0);
            Reopen();
            LoadFiles(catalog->Child(0));
            EXPECT_EQ(FileNamed(catalog->Child(0), "Readme.txt")->Description.Str(), "kept readme");
        }
    }
}
