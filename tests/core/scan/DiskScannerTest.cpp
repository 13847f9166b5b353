#include "ScanTestSupport.h"

#include "../archive/HandBuilt.h"

#include "catalog/CatalogOpener.h"
#include "platform/FolderReader.h"
#include "scan/NameCase.h"

#include <sys/stat.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

// A medium with everything the scan treats in its own way.
class DiskScanTest : public ScanTest
{
protected:
    void MakeTree()
    {
        File("README.TXT", "Top readme.\n");
        File("MixedCase.TXT", "mixed");
        File("lower.txt", "lower");
        File("My Long Name.txt", "long");
        File(".hidden", "hidden file");
        Folder(".HIDDIR");
        File(".HIDDIR/INSIDE.TXT", "never seen");
        Folder("RECYCLED");
        File("RECYCLED/GONE.TXT", "deleted");
        ASSERT_EQ(mkfifo(At("PIPE").c_str(), 0644), 0);
        SetTimes(At("PIPE"), FixedTime);
        File("OLD1979.TXT", "old", 283996800);  // 1979-01-01
        File("NEW2100.TXT", "new", 4107542400); // 2100-03-01
        File("FILE_ID.DIZ", "Disk text\r\n");
        File("DESCRIPT.ION",
             "\"My Long Name.txt\" A text file\r\nreadme.txt   Read me first\r\nlower.txt\r\n"
             "SUB From the descript file\r\n");
        Fixture("docs.zip", "DOCS.ZIP");
        Fixture("data.tar", "DATA.TAR");
        Fixture("notes.txt.gz", "notes.txt.gz");
        Fixture("comment.zip", "comment.zip");
        Folder("SUB");
        File("SUB/FILE_ID.DIZ", "Sub folder text");
        File("SUB/Recycled", "a file of that name is kept");
        Folder("BBS");
        File("BBS/FILES.BBS",
             "FOO.ZIP     First line\r\n            second line\r\nBAR.TXT     Bar text\r\n");
        File("BBS/FOO.ZIP", "not an archive at all");
        File("BBS/BAR.TXT", "bar");
        Folder("EMPTY");
        ASSERT_EQ(symlink("SUB", At("LINK").c_str()), 0); // recorded, never followed
        SetTimes(At("LINK"), FixedTime);
        StampFolders({"SUB", "BBS", "EMPTY", "RECYCLED", ".HIDDIR"});
    }
};

// "@" stands for the time every entry of the tree was given.
const char* const ExpectedTree[] = {
    "disk\tMedium"
    "\tkind=0x2B\tfiles=10\tdescBytes=44\tmediaType=5\tscanFlags=0x01\tbytesPerSector="
    "512\tsectorsPerCluster=16\tmaxNameLength=255\ttotalFiles=19\ttotalArchiveMembers="
    "6\ttotalFolders=3\ttotalClusters=50000\tfreeClusters=20000\totherClusters=0\tserial="
    "0x1A2B3C4D\treserved91=0\tlabel=Medium\tfileSystem=FAT\tvirtualRoot=\tdescription=Disk text",
    "file\t\\Bbs\\Bar.txt\tkind=0x01\tattr=0x20\tmodified=@\tsize=3\tcategory=0x00\tdescription="
    "Bar text",
    "file\t\\Bbs\\Files.bbs\tkind=0x01\tattr=0x20\tmodified=@\tsize=71\tcategory="
    "0x00\tdescription=",
    "file\t\\Bbs\\Foo.zip\tkind=0x01\tattr=0x20\tmodified=@\tsize=21\tcategory=0x00\tdescription="
    "First line\\x0d\\x0asecond line",
    "file\t\\Data.tar\\DOCS\\READ.ME\tkind=0x11\tattr=0x00\tcreated=0x00001564\tmodified="
    "0x52CF528F\taccessed=0x00000009\tsize=9\tcategory=0x00\tdescription=",
    "file\t\\Descript.ion\tkind=0x01\tattr=0x20\tmodified=@\tsize=99\tcategory=0x00\tdescription=",
    "file\t\\Docs.zip\\Docs\\Read.me\tkind=0x11\tattr=0x00\tcreated=0x314130BF\tmodified="
    "0x52CF528F\taccessed=0x00000009\tsize=9\tcategory=0x00\tdescription=",
    "file\t\\Docs.zip\\File_id.diz\tkind=0x11\tattr=0x00\tcreated=0x1AB9D27F\tmodified="
    "0x52CF528F\taccessed=0x0000001F\tsize=31\tcategory=0x00\tdescription=",
    "file\t\\Docs.zip\\Readme.txt\tkind=0x11\tattr=0x00\tcreated=0x075FFC23\tmodified="
    "0x52CF528F\taccessed=0x0000000C\tsize=12\tcategory=0x00\tdescription=member note",
    "file\t\\File_id.diz\tkind=0x01\tattr=0x20\tmodified=@\tsize=11\tcategory=0x00\tdescription=",
    "file\t\\Link\tkind=0x01\tattr=0x20\tmodified=@\tsize=3\tcategory=0x00\tdescription=",
    "file\t\\MixedCase.TXT\tkind=0x01\tattr=0x20\tmodified=@\tsize=5\tcategory=0x00\tdescription=",
    "file\t\\My Long "
    "Name.txt\tkind=0x01\tattr=0x20\tmodified=@\tsize=4\tcategory=0x00\tdescription=A text file",
    "file\t\\New2100.txt\tkind=0x01\tattr=0x20\tmodified=0x00000000\tsize=3\tcategory="
    "0x00\tdescription=",
    "file\t\\Old1979.txt\tkind=0x01\tattr=0x20\tmodified=0x00000000\tsize=3\tcategory="
    "0x00\tdescription=",
    "file\t\\Pipe\tkind=0x01\tattr=0x04\tmodified=@\tsize=0\tcategory=0x00\tdescription=",
    "file\t\\Readme.txt\tkind=0x01\tattr=0x20\tmodified=@\tsize=12\tcategory=0x00\tdescription="
    "Read me first",
    "file\t\\Sub\\File_id.diz\tkind=0x01\tattr=0x20\tmodified=@\tsize=15\tcategory="
    "0x00\tdescription=",
    "file\t\\Sub\\Recycled\tkind=0x01\tattr=0x20\tmodified=@\tsize=27\tcategory=0x00\tdescription=",
    "file\t\\comment.zip\\Readme.txt\tkind=0x11\tattr=0x00\tcreated=0x075FFC23\tmodified="
    "0x52CF528F\taccessed=0x0000000C\tsize=12\tcategory=0x00\tdescription=",
    "file\t\\lower.txt\tkind=0x01\tattr=0x20\tmodified=@\tsize=5\tcategory=0x00\tdescription=",
    "file\t\\notes.txt.gz\\notes.txt\tkind=0x11\tattr=0x20\tcreated=0x075FFC23\tmodified="
    "0x52CF528F\taccessed=0x00000022\tsize=12\tcategory=0x00\tdescription=",
    "folder\t\\Bbs\tdepth=1\tkind=0x0A\tfiles=3\tdescBytes=37\ttotalSize=950000\tattr="
    "0x10\tmodified=@\treserved57=0\tcategory=0x00\tdescription=",
    "folder\t\\Data.tar\tdepth=1\tkind=0x12\tfiles=1\tdescBytes=2\ttotalSize=102400000\tattr="
    "0x20\tmodified=@\treserved57=0\tcategory=0x00\tdescription=",
    "folder\t\\Docs.zip\tdepth=1\tkind=0x1A\tfiles=3\tdescBytes=17\ttotalSize=3940000\tattr="
    "0x20\tmodified=@\treserved57=0\tcategory=0x00\tdescription=The docs archive\\x0d\\x0asecond line",
    "folder\t\\Empty\tdepth=1\tkind=0x02\tfiles=0\tdescBytes=0\ttotalSize=0\tattr=0x10\tmodified=@"
    "\treserved57=0\tcategory=0x00\tdescription=",
    "folder\t\\Sub\tdepth=1\tkind=0x02\tfiles=2\tdescBytes=4\ttotalSize=420000\tattr="
    "0x10\tmodified=@\treserved57=0\tcategory=0x00\tdescription=Sub folder text",
    "folder\t\\comment.zip\tdepth=1\tkind=0x12\tfiles=1\tdescBytes=2\ttotalSize=1420000\tattr="
    "0x20\tmodified=@\treserved57=0\tcategory=0x00\tdescription=Comment only",
    "folder\t\\notes.txt.gz\tdepth=1\tkind=0x12\tfiles=1\tdescBytes=2\ttotalSize=420000\tattr="
    "0x20\tmodified=@\treserved57=0\tcategory=0x00\tdescription=",
};

} // namespace

TEST_F(DiskScanTest, TreeSavedAndReopenedHoldsExactlyTheExpectedItems)
{
    MakeTree();
    const TScanResult result = Run(TScanOptions{});
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished) << result.Error;
    ASSERT_EQ(catalog->Count(), 1);
    EXPECT_EQ(result.NewDisk, catalog->Child(0));
    EXPECT_EQ(static_cast<TCatalogRec*>(catalog->Data)->Modified, 1);
    auto* disk = static_cast<TDiskRec*>(result.NewDisk->Data);
    EXPECT_EQ(disk->Dirty, 1);
    // 30000 clusters in use, 19 of them (8 KiB each) taken by the scanned files.
    EXPECT_EQ(disk->OtherClusters, 30000 - 19);
    EXPECT_TRUE(result.UnreadableFolders.empty());

    std::vector<std::string> expected;
    char dos[16];
    std::snprintf(dos, sizeof dos, "0x%08X", uint32_t(FixedDos));
    for (std::string line : ExpectedTree) {
        const size_t at = line.find('@');
        if (at != std::string::npos) line.replace(at, 1, dos);
        expected.push_back(line);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SavedDump(), expected);
}

TEST_F(DiskScanTest, DescriptIonAboveFileIdDizReplacesWhatTheDizFilesGave)
{
    MakeTree();
    using S = TDescSource;
    const struct {
        TDescSourceOrder Order;
        const char* Sub;
    } cases[] = {
        {{S::FileIdDiz, S::FilesBbs, S::DescriptIon, S::ArchiveComment}, "Sub folder text"},
        {{S::DescriptIon, S::FileIdDiz, S::FilesBbs, S::ArchiveComment}, "From the descript file"},
        {{S::ArchiveComment, S::DescriptIon, S::FileIdDiz, S::FilesBbs}, "Sub folder text"},
    };
    for (const auto& c : cases) {
        TScanOptions options;
        options.ImportDescList = c.Order;
        const TScanResult result = Run(options);
        ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
        TTreeNode* sub = nullptr;
        for (const auto& child : result.NewDisk->Children())
            if (child->Text == "Sub") sub = child.get();
        ASSERT_TRUE(sub);
        EXPECT_EQ(static_cast<TFolderRec*>(sub->Data)->Description.Str(), c.Sub);
        DeleteItemNode(result.NewDisk);
    }
}

TEST_F(DiskScanTest, DescriptionFilesTakenOutOfArchives)
{
    Fixture("docs.zip", "DOCS.ZIP");
    TScanOptions options;
    std::vector<std::string> asked;
    options.TakeOut = [&](int kind, const std::string& archive, const std::string& member) {
        EXPECT_EQ(kind, akZIP);
        asked.push_back(archive.substr(archive.rfind('/') + 1) + ":" + member);
        const std::string copy = dir.Path("out-" + member);
        WriteFileBytes(copy, "Text of the DIZ\r\n");
        return copy;
    };
    TScanResult result = Run(options);
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    EXPECT_EQ(asked, std::vector<std::string>{"DOCS.ZIP:FILE_ID.DIZ"});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.Path("out-FILE_ID.DIZ"))))
        << "the copy is removed";
    ASSERT_EQ(result.NewDisk->Count(), 1);
    // The comment ranks below FILE_ID.DIZ and does not replace its text.
    EXPECT_EQ(static_cast<TFolderRec*>(result.NewDisk->Child(0)->Data)->Description.Str(),
              "Text of the DIZ");
    DeleteItemNode(result.NewDisk);

    options.ArchiveDescOnly = true;
    result = Run(options);
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    EXPECT_EQ(result.NewDisk->Count(), 0) << "the archive is a plain file";
    TFileRec* file = result.NewDisk->Data->Next;
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Name(), "Docs.zip");
    EXPECT_EQ(file->Description.Str(), "Text of the DIZ");
    EXPECT_EQ(static_cast<TDiskRec*>(result.NewDisk->Data)->TotalArchiveMembers, 0);
}

TEST_F(DiskScanTest, CapacityFromTheScannedClusters)
{
    File("A.BIN", std::string(20000, 'a')); // 3 clusters of 8 KiB
    const struct {
        int64_t Total, Free;
        QString VirtualRoot;
        int32_t Files, TotalClusters, FreeClusters, Other;
        bool Compressed;
    } cases[] = {
        {100000, 40000, {}, 1, 50000, 20000, 30000 - 3, false},
        {100000, 100000, {}, 0, 50000, 50000, 0, false}, // nothing in use: not walked
        {4, 2, {}, 1, 40, 0, 0, true}, // 512-byte clusters: more found than the volume says it
                                       // holds
        {100000, 40000, "\\", 1, 50000, 20000, 30000 - 3, false},
    };
    for (const auto& c : cases) {
        drives.Find("fx")->Medium->TotalClusters = c.Total;
        drives.Find("fx")->Medium->FreeClusters = c.Free;
        const TScanResult result = Run(TScanOptions{}, nullptr, c.VirtualRoot);
        ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
        auto* d = static_cast<TDiskRec*>(result.NewDisk->Data);
        EXPECT_EQ(d->TotalFiles, c.Files) << c.Total;
        EXPECT_EQ(d->TotalClusters, c.TotalClusters) << c.Total;
        EXPECT_EQ(d->FreeClusters, c.FreeClusters) << c.Total;
        EXPECT_EQ(d->OtherClusters, c.Other) << c.Total;
        EXPECT_EQ(ItemIs(d, ifCompressed), c.Compressed) << c.Total;
        EXPECT_EQ(ItemIs(d, ifVirtualRoot), !c.VirtualRoot.isEmpty());
        if (!c.VirtualRoot.isEmpty()) {
            EXPECT_EQ(DiskSize(d, TDiskSizeKind::Capacity), 3 * 8192 * CurrencyScale);
        }
        DeleteItemNode(result.NewDisk);
    }
}

TEST_F(DiskScanTest, VirtualRootPathsHaveNoDoubledSeparators)
{
    Folder("SUB/INNER");
    File("SUB/INNER/A.TXT", "a");
    struct TDirs : TRecordingProgress {
        std::vector<QString> Dirs;
        void SetScanDir(const QString& dir) override
        {
            Dirs.push_back(dir);
            TRecordingProgress::SetScanDir(dir);
        }
    } dirs;
    SetProgress(&dirs);
    // A drive root given with its closing separator, as the file system's own root "/" is.
    for (const QString& driveRoot : {QString::fromStdString(root), QString::fromStdString(root) + "/"}) {
        drives.Find("fx")->Root = driveRoot;
        dirs.Dirs.clear();
        const TScanResult result = Run(TScanOptions{}, nullptr, "\\SUB\\");
        ASSERT_EQ(result.Outcome, TScanOutcome::Finished) << driveRoot.toStdString();
        EXPECT_NE(std::find(dirs.Dirs.begin(), dirs.Dirs.end(), QString::fromStdString(root) + "/SUB/INNER/"),
                  dirs.Dirs.end());
        for (const QString& d : dirs.Dirs) EXPECT_FALSE(d.contains("//")) << d.toStdString();
        EXPECT_EQ(static_cast<TDiskRec*>(result.NewDisk->Data)->TotalFiles, 1);
        DeleteItemNode(result.NewDisk);
    }
    SetProgress(&progress);
}

TEST_F(DiskScanTest, FilesOfTwoGigabytesAndMoreKeepTheLargestSizeTheRecordHolds)
{
    Folder("BIG");
    const int64_t size = (int64_t(3) << 30) + 5;
    const int fd = ::open(At("BIG/HUGE.BIN").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
    File("BIG/SMALL.TXT", "x");
    const TScanResult result = Run(TScanOptions{});
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    auto* big = static_cast<TFolderRec*>(result.NewDisk->Child(0)->Data);
    int32_t hugeSize = 0;
    for (TFileRec* f = big->Next; f; f = f->Next)
        if (f->Name() == "Huge.bin") hugeSize = f->Size;
    EXPECT_EQ(hugeSize, INT32_MAX);
    EXPECT_EQ(big->TotalSize, (size + 1) * CurrencyScale);
}

TEST_F(DiskScanTest, UnreadableFoldersAreRecordedEmpty)
{
    if (geteuid() == 0) GTEST_SKIP() << "every folder is readable for root";
    Folder("LOCKED");
    File("LOCKED/X.TXT", "x");
    ASSERT_EQ(chmod(At("LOCKED").c_str(), 0), 0);
    const TScanResult result = Run(TScanOptions{});
    chmod(At("LOCKED").c_str(), 0755);
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    EXPECT_EQ(result.UnreadableFolders, std::vector<std::string>{At("LOCKED")});
    ASSERT_EQ(result.NewDisk->Count(), 1);
    EXPECT_EQ(result.NewDisk->Child(0)->Data->Next, nullptr);
}

TEST_F(DiskScanTest, RefusedFoldersAreRecordedEmptyAndFailingOnesRollBack)
{
    struct TCase {
        int Error;
        bool Finished;
    };
    for (const TCase c : {TCase{EACCES, true}, TCase{EPERM, true}, TCase{EIO, false}}) {
        SCOPED_TRACE(c.Error);
        Folder("A/LOCKED");
        File("A/LOCKED/X.TXT", "x");
        File("A/KEPT.TXT", "kept");
        TRefusedFolders refused;
        refused.Refuse(At("A/LOCKED"), c.Error);
        const TScanResult result = Run(TScanOptions{});
        if (!c.Finished) {
            EXPECT_EQ(result.Outcome, TScanOutcome::Failed);
            EXPECT_NE(result.Error.find("A/LOCKED"), std::string::npos) << result.Error;
            EXPECT_EQ(catalog->Count(), 0) << "an I/O error rolls the scan back";
            continue;
        }
        ASSERT_EQ(result.Outcome, TScanOutcome::Finished) << result.Error;
        EXPECT_EQ(result.UnreadableFolders, std::vector<std::string>{At("A/LOCKED")});
        TTreeNode* a = result.NewDisk->Child(0);
        ASSERT_EQ(a->Count(), 1);
        EXPECT_EQ(a->Child(0)->Text, "Locked");
        EXPECT_EQ(a->Child(0)->Data->Next, nullptr) << "recorded as an empty folder";
        ASSERT_NE(a->Data->Next, nullptr);
        EXPECT_EQ(a->Data->Next->Name(), "Kept.txt");
        DeleteItemNode(result.NewDisk);
    }
}

TEST_F(DiskScanTest, ProgressBaseFitsWhatIsScanned)
{
    Folder("Photos/Old");
    File("Photos/A.JPG", std::string(5000, 'a')); // one cluster of 8 KiB
    File("Photos/Old/B.JPG", std::string(100, 'b'));
    File("OTHER.TXT", "elsewhere");

    progress.ShowScan();
    ASSERT_EQ(Run(TScanOptions{}).Outcome, TScanOutcome::Finished);
    EXPECT_EQ(progress.ScanProgressMax(), 30000) << "a whole medium goes by its used clusters";

    TScanOptions options;
    options.DiskName = "Photos";
    progress.ShowScan();
    const TScanResult added = Run(options, nullptr, "\\Photos\\");
    ASSERT_EQ(added.Outcome, TScanOutcome::Finished) << added.Error;
    EXPECT_EQ(progress.ScanProgressMax(), 0) << "a folder of a large drive: no base, a busy bar";
    EXPECT_EQ(progress.ScanBarPosition(), 0);
    EXPECT_EQ(progress.ScanCounts().Files, 2);
    EXPECT_EQ(progress.ScanCounts().Folders, 1);
    EXPECT_EQ(progress.ScanCounts().Bytes, 5100);

    File("Photos/C.JPG", std::string(4096, 'c'));
    progress.ShowScan();
    const TScanResult updated = Run(options, added.NewDisk, "\\Photos\\");
    ASSERT_EQ(updated.Outcome, TScanOutcome::Finished) << updated.Error;
    EXPECT_EQ(progress.ScanProgressMax(), 2) << "an update goes by the clusters the old disk held";
    EXPECT_EQ(progress.ScanBarPosition(), 150) << "the folder grew; the window shows 100 at most";
    EXPECT_EQ(progress.ScanCounts().Files, 3);
}

TEST_F(DiskScanTest, MissingRootFailsAndLeavesNothing)
{
    const TScanResult result = Run(TScanOptions{}, nullptr, "\\NOT-THERE\\");
    EXPECT_EQ(result.Outcome, TScanOutcome::Failed);
    EXPECT_FALSE(result.Error.empty());
    EXPECT_EQ(catalog->Count(), 0);
    EXPECT_EQ(static_cast<TCatalogRec*>(catalog->Data)->Modified, 0);
}

TEST_F(DiskScanTest, NotReadyDriveCreatesNothing)
{
    drives.Remove("fx");
    const TScanResult result = Run(TScanOptions{});
    EXPECT_EQ(result.Outcome, TScanOutcome::NotReady);
    EXPECT_EQ(catalog->Count(), 0);
}

TEST(NameCaseRule, CapitalsOnly)
{
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {
        {"README.TXT", "Readme.txt"},
        {"DOCS\\READ.ME", "Docs\\Read.me"},
        {"ReadMe.TXT", "ReadMe.TXT"},
        {"A", "A"},
        {"AB", "Ab"},
        {"123.TXT", "123.txt"},
        {"ÄRGER.TXT", "Ärger.txt"},
        {"ÉTÉ\\ÀB", "Été\\Àb"},
        {"Ärger.TXT", "Ärger.TXT"},
        {"\xFF\xFE"
         "ABC",
         "\xFF\xFE"
         "abc"},
    };
    for (const auto& c : cases) {
        std::string name = c.In;
        ApplyNameCaseRule(name);
        EXPECT_EQ(name, c.Out) << c.In;
    }
}

TEST(FolderTimes, DosDateTimesInLocalTime)
{
    setenv("TZ", "UTC", 1);
    tzset();
    const struct {
        int64_t Unix;
        int32_t Dos;
    } cases[] = {
        {FixedTime, FixedDos},
        {315532800, int32_t(0x00210000)},  // 1980-01-01 00:00:00
        {315532799, 0},                    // the last second of 1979
        {4102444799, int32_t(0xEF9FBF7D)}, // 2099-12-31 23:59:58 (two-second steps)
        {4102444800, 0},                   // 2100-01-01
        {-1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DosDateTimeFromUnix(c.Unix), c.Dos) << c.Unix;
}

TEST_F(DiskScanTest, NewSerialBeforeTheVolumeIsReadAndEjectAfterwards)
{
    File("A.TXT", "a");
    TScanRequest request;
    request.Catalog = catalog;
    request.Drive = "fx";
    request.ChangeSerial = true;
    TScanOptions options;
    options.EjectMediaCheck = true;
    options.DiskName = "Backup (3)";
    const TScanResult result = Scan(request, options);
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    EXPECT_EQ(result.NewDisk->Text, "Backup");
    EXPECT_NE(static_cast<TDiskRec*>(result.NewDisk->Data)->SerialNumber, 0x1A2B3C4Du);
    EXPECT_FALSE(drives.Find("fx")->Medium.has_value()) << "ejected";
    EXPECT_EQ(progress.ScanTop(), "Finished, ejecting media...");
}

namespace
{

// Moves a folder away just before the walk opens it.
class TFolderVanishes : public TRecordingProgress
{
public:
    void SetScanDir(const QString& dir) override
    {
        TRecordingProgress::SetScanDir(dir);
        if (dir.endsWith("/GONE/")) QDir().rename(dir, dir.chopped(1) + "-moved");
    }
};

} // namespace

TEST_F(DiskScanTest, FolderThatCannotBeOpenedIsRecordedEmpty)
{
    Folder("GONE");
    File("GONE/X.TXT", "x");
    TFolderVanishes vanish;
    SetProgress(&vanish);
    const TScanResult result = Run(TScanOptions{});
    SetProgress(&progress);
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    EXPECT_EQ(result.UnreadableFolders, std::vector<std::string>{At("GONE")});
    ASSERT_EQ(result.NewDisk->Count(), 1);
    EXPECT_EQ(result.NewDisk->Child(0)->Text, "Gone");
    EXPECT_EQ(result.NewDisk->Child(0)->Data->Next, nullptr);
}

TEST_F(DiskScanTest, CabinetSetGivesOneArchiveNodePerCabinet)
{
    using quorvex::test::Built;
    using quorvex::test::Cabinet;
    using quorvex::test::TBuiltCabFile;
    auto files = [](std::initializer_list<const char*> names, uint16_t last) {
        std::vector<TBuiltCabFile> out;
        for (const char* name : names)
            out.push_back({Built(name, QByteArray(name) + " data")});
        if (last) out.back().Folder = last;
        return out;
    };
    // Sets under several names: the folders list their entries in an order of their own, so
    // some meet the second cabinet first.
    constexpr int Sets = 8;
    std::vector<int64_t> secondSizes;
    for (int i = 0; i < Sets; ++i) {
        const std::string a = "SET" + std::to_string(i) + "A.CAB",
                          b = "SET" + std::to_string(i) + "B.CAB";
        // B.TXT starts in the first cabinet and goes on in the second.
        const QByteArray first =
            Cabinet(files({"A.TXT", "B.TXT"}, 0xFFFE), 0, {}, QByteArray::fromStdString(b));
        const QByteArray second =
            Cabinet(files({"B.TXT", "C.TXT"}, 0), 1, QByteArray::fromStdString(a), {}, 1);
        Folder("F" + std::to_string(i));
        File("F" + std::to_string(i) + "/" + a, first.toStdString());
        File("F" + std::to_string(i) + "/" + b, second.toStdString());
        secondSizes.push_back(second.size());
    }
    const TScanResult result = Run(TScanOptions{});
    ASSERT_EQ(result.Outcome, TScanOutcome::Finished);
    auto* d = static_cast<TDiskRec*>(result.NewDisk->Data);
    EXPECT_EQ(d->TotalFiles, 2 * Sets) << "every cabinet is a file of its own, recorded once";
    int members = 0;
    for (int i = 0; i < Sets; ++i) {
        const std::string folder = "F" + std::to_string(i);
        TTreeNode* node = ChildNamed(result.NewDisk, folder);
        ASSERT_TRUE(node);
        EXPECT_EQ(node->Data->Next, nullptr) << folder;
        ASSERT_EQ(node->Count(), 2) << folder;
        TTreeNode* one = ChildNamed(node, "Set" + std::to_string(i) + "a.cab");
        TTreeNode* two = ChildNamed(node, "Set" + std::to_string(i) + "b.cab");
        ASSERT_TRUE(one && two) << folder;
        EXPECT_TRUE(FileNamed(one, "A.txt"));
        EXPECT_TRUE(FileNamed(one, "B.txt"));
        EXPECT_TRUE(FileNamed(two, "C.txt"));
        EXPECT_EQ(static_cast<TFolderRec*>(two->Data)->TotalSize,
                  secondSizes[size_t(i)] * CurrencyScale);
        for (TTreeNode* n : {one, two})
            for (TFileRec* f = n->Data->Next; f; f = f->Next)
                ++members;
    }
    EXPECT_EQ(d->TotalArchiveMembers, members);
}
