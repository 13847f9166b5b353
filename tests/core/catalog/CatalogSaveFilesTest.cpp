// Saving as the file system sees it: prompts nobody answers, a temporary folder on another
// file system, permissions, links, read-only catalogs and temporary files left behind.
#include "FailingWriter.h"
#include "FakeMachine.h"
#include "SampleCatalog.h"

#include "catalog/CatalogDump.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogSaver.h"
#include "catalog/Progress.h"
#include "catalog/SaveTempFile.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

int DefaultRenameOf(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

mode_t ModeOf(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
}

class SaveFilesTest : public ::testing::Test
{
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
    // The sample catalog written to path and opened from there, with one disk edited.
    TTreeNode* EditedSample(const std::string& path)
    {
        TCatalogTree scratch;
        WriteFileBytes(path, EncodeToMemory(BuildSampleCatalog(scratch)));
        TTreeNode* cat = ReadCatalogFile(tree, path);
        static_cast<TDiskRec*>(cat->Child(1)->Data)->Description.Assign("edited");
        MarkDiskDirty(cat->Child(1), true);
        return cat;
    }
    QStringList OurTempsIn(const std::string& folder)
    {
        return QDir(QString::fromStdString(folder))
            .entryList({"ctf*.tmp"}, QDir::Files | QDir::Hidden);
    }

    TScriptedPrompt prompt;
    TScriptedFileDialogs dialogs;
    TRecordingProgress progress;
    TTempDir dir;
    TCatalogTree tree;
};

} // namespace

TEST_F(SaveFilesTest, NameThatCannotBeCreatedEndsTheSaveWhenNobodyAnswers)
{
    TCatalogBuilder b{tree};
    TTreeNode* cat = b.Catalog("New");
    Rec(cat)->Modified = 1;
    const std::string bad = dir.Path("missing/new.ctf");
    dialogs.SaveAnswers.assign(50, bad); // a dialog without a user offers the same name again
    EXPECT_FALSE(SaveCatalog(cat, false));
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "File create error");
    EXPECT_EQ(dialogs.SaveRequests.size(), 1u);
    EXPECT_EQ(Rec(cat)->Modified, 1);

    // With a user who reads the message, the dialog comes back.
    prompt.Shown.clear();
    dialogs.SaveRequests.clear();
    prompt.Answers = {pbOK};
    dialogs.SaveAnswers = {bad, dir.Path("new.ctf")};
    EXPECT_TRUE(SaveCatalog(cat, false));
    EXPECT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(dialogs.SaveRequests.size(), 2u);
}

TEST_F(SaveFilesTest, RetryIsNeverTheAnswerWithoutAUser)
{
    TConsolePrompt console;
    EXPECT_EQ(NoUserAnswer({"c", "t", pbRetry | pbCancel, TPromptIcon::Error, pbRetry}), pbCancel);
    EXPECT_EQ(NoUserAnswer({"c", "t", pbAbort | pbRetry | pbIgnore, TPromptIcon::Error, pbRetry}),
              pbAbort);
    EXPECT_EQ(NoUserAnswer({"c", "t", pbYes | pbNo, TPromptIcon::Question, pbNo}), pbNo);
    EXPECT_EQ(NoUserAnswer({"c", "t", pbOK, TPromptIcon::None, pbNone}), pbOK);
    EXPECT_FALSE(console.HasUser());
    EXPECT_FALSE(prompt.HasUser());
    prompt.Answers = {pbRetry};
    EXPECT_TRUE(prompt.HasUser());
}

// The temporary folder (where a save low on space writes) on another file system: the new
// file is copied beside the target and renamed over it.
TEST_F(SaveFilesTest, TemporaryFileOnAnotherFileSystemIsCopiedIntoPlace)
{
    const std::string path = dir.Path("sample.ctf");
    TTreeNode* cat = EditedSample(path);
    const std::string before = ReadFileBytes(path);
    std::vector<std::string> renamedFrom;
    TSaveOptions options;
    options.Sleep = [](int) {};
    // Low on space, but the new file fits.
    options.FreeSpace = [&](const std::string&) { return CatalogSizeEstimate(cat) * 3 / 2; };
    options.Rename = [&](const std::string& from, const std::string& to) {
        renamedFrom.push_back(from);
        return FolderOf(from) == FolderOf(to) ? DefaultRenameOf(from, to) : EXDEV;
    };
    ASSERT_TRUE(SaveCatalog(cat, false, options)) << prompt.Shown.size();
    ASSERT_EQ(renamedFrom.size(), 2u);
    EXPECT_EQ(FolderOf(renamedFrom[0]), TempFolder());
    EXPECT_FALSE(FileExists(renamedFrom[0])) << "the temporary file is gone once copied";
    EXPECT_EQ(ReadFileBytes(path), EncodeToMemory(cat));
    EXPECT_TRUE(OurTempsIn(dir.Path("")).isEmpty());

    // The copy fails: the old file stays, and the message says where the new one is.
    const std::string saved = ReadFileBytes(path);
    static_cast<TDiskRec*>(cat->Child(1)->Data)->Description.Assign("edited again");
    MarkDiskDirty(cat->Child(1), true);
    options.OpenWriter = [&](const std::string& p) -> std::unique_ptr<TWriteTarget> {
        if (FolderOf(p) == FolderOf(path)) return std::make_unique<TFailingWriter>(p, 100);
        return std::make_unique<TFileWriter>(p);
    };
    renamedFrom.clear();
    prompt.Shown.clear();
    EXPECT_FALSE(SaveCatalog(cat, false, options));
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_TRUE(OurTempsIn(dir.Path("")).isEmpty()) << "the partial copy is removed";
    ASSERT_EQ(prompt.Shown.size(), 1u);
    const std::string text = prompt.Shown[0].Text.toStdString();
    EXPECT_EQ(prompt.Shown[0].Caption, "Save error");
    EXPECT_NE(text.find("No space left on device"), std::string::npos) << text;
    ASSERT_EQ(renamedFrom.size(), 1u);
    EXPECT_NE(text.find("the new one was left as " + renamedFrom[0] + "."), std::string::npos)
        << text;
    TCatalogTree other;
    TTreeNode* left = ReadCatalogFile(other, renamedFrom[0]);
    EXPECT_EQ(static_cast<TDiskRec*>(left->Child(1)->Data)->Description.Str(), "edited again");
    EXPECT_EQ(Rec(cat)->Modified, 1);
    std::remove(renamedFrom[0].c_str());
}

TEST_F(SaveFilesTest, PermissionsAndLinksOfTheCatalogFileStay)
{
    const mode_t oldMask = ::umask(027);
    TCatalogBuilder b{tree};
    TTreeNode* fresh = b.Catalog("Fresh");
    Rec(fresh)->Modified = 1;
    dialogs.SaveAnswers = {dir.Path("fresh.ctf")};
    EXPECT_TRUE(SaveCatalog(fresh, false));
    EXPECT_EQ(ModeOf(dir.Path("fresh.ctf")), 0640u) << "0666 less the umask";
    ::umask(oldMask);

    const std::string path = dir.Path("shared.ctf");
    TTreeNode* cat = EditedSample(path);
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    struct stat st {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const gid_t otherGroup = st.st_gid + 1;
    const bool groupChanged = ::chown(path.c_str(), uid_t(-1), otherGroup) == 0;
    ASSERT_TRUE(SaveCatalog(cat, false));
    EXPECT_EQ(ModeOf(path), 0664u);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    if (groupChanged) {
        EXPECT_EQ(st.st_gid, otherGroup);
    }

    // Saved through a link: the file it leads to gets the bytes, the link stays a link.
    ASSERT_EQ(QDir().mkpath(QString::fromStdString(dir.Path("real"))), true);
    const std::string real = dir.Path("real/linked.ctf");
    const std::string link = dir.Path("link.ctf");
    TTreeNode* linked = EditedSample(real);
    tree.Delete(linked);
    ASSERT_EQ(::symlink("real/linked.ctf", link.c_str()), 0);
    linked = ReadCatalogFile(tree, link);
    static_cast<TDiskRec*>(linked->Child(0)->Data)->Description.Assign("through the link");
    MarkDiskDirty(linked->Child(0), true);
    ASSERT_TRUE(SaveCatalog(linked, false));
    struct stat lst {
    };
    ASSERT_EQ(::lstat(link.c_str(), &lst), 0);
    EXPECT_TRUE(S_ISLNK(lst.st_mode));
    EXPECT_EQ(ReadFileBytes(real), EncodeToMemory(linked));
    EXPECT_EQ(Rec(linked)->FileName, link);
    EXPECT_TRUE(OurTempsIn(dir.Path("")).isEmpty());
    EXPECT_TRUE(OurTempsIn(dir.Path("real")).isEmpty());
}

// Tests run as root, for whom the file system refuses nothing: the mode alone decides.
TEST_F(SaveFilesTest, ReadOnlyCatalogIsNotReplaced)
{
    const std::string path = dir.Path("locked.ctf");
    TTreeNode* cat = EditedSample(path);
    const std::string before = ReadFileBytes(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    for (const bool backup : {false, true}) {
        prompt.Shown.clear();
        prompt.Answers = {pbRetry, pbCancel};
        TSaveOptions options;
        options.CreateBackup = backup;
        EXPECT_FALSE(SaveCatalog(cat, false, options)) << backup;
        ASSERT_EQ(prompt.Shown.size(), 2u) << "Retry asks again, Cancel ends";
        EXPECT_EQ(prompt.Shown[0].Caption, "Save error");
        EXPECT_EQ(prompt.Shown[0].Text,
                  "There was a problem while trying to replace old catalog file.\r"
                  "It seems this file is still in use, probably in some other "
                  "application.\r\rIf everything else fails, you can select "
                  "'Cancel', and use 'Save As...'\rto save the catalog under "
                  "different name.");
        EXPECT_EQ(prompt.Shown[0].Buttons, pbRetry | pbCancel);
        EXPECT_EQ(ReadFileBytes(path), before);
        EXPECT_EQ(ModeOf(path), 0444u);
        EXPECT_FALSE(FileExists(BackupNameOf(path)));
        EXPECT_TRUE(OurTempsIn(dir.Path("")).isEmpty());
        EXPECT_EQ(Rec(cat)->Modified, 1);
    }

    // Nobody to answer: the first prompt ends the save.
    prompt.Shown.clear();
    EXPECT_FALSE(SaveCatalog(cat, false));
    EXPECT_EQ(prompt.Shown.size(), 1u);

    // The user makes it writable and presses Retry: the save goes on.
    TCallbackPrompt user;
    user.Answer = [&](const TPromptMessage&) { return ::chmod(path.c_str(), 0644), pbRetry; };
    SetPrompt(&user);
    EXPECT_TRUE(SaveCatalog(cat, false));
    EXPECT_EQ(user.Shown.size(), 1u);
    EXPECT_EQ(ReadFileBytes(path), EncodeToMemory(cat));
}

TEST_F(SaveFilesTest, StaleTemporaryFilesOfOursAreRemovedByTheNextSave)
{
    const std::string path = dir.Path("sample.ctf");
    TTreeNode* cat = EditedSample(path);
    const time_t old = std::time(nullptr) - 2 * TSaveTempFile::StaleSeconds;
    auto make = [&](const std::string& name, bool aged) {
        const std::string p = dir.Path(name);
        WriteFileBytes(p, "partial");
        if (aged) {
            const utimbuf times{old, old};
            ::utime(p.c_str(), &times);
        }
        return p;
    };
    const std::string stale = make("ctf.quorvex.AbC123.tmp", true);
    const std::string young = make("ctf.quorvex.young1.tmp", false);
    const std::string busy = make("ctf.quorvex.busy12.tmp", true);
    const std::string foreign = make("ctfQ1w2E3.tmp", true); // not a name of ours
    const int busyFd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0) << "a save still writing holds its lock";

    ASSERT_TRUE(SaveCatalog(cat, false));
    EXPECT_FALSE(FileExists(stale));
    EXPECT_TRUE(FileExists(young));
    EXPECT_TRUE(FileExists(busy));
    EXPECT_TRUE(FileExists(foreign));
    ::close(busyFd);
}

// The same on real file systems: the catalog on a small tmpfs, the temporary folder elsewhere.
// Mounting needs root; without it the fake file system above has to do.
TEST_F(SaveFilesTest, LowSpaceSaveOnASmallFileSystem)
{
    const std::string mnt = dir.Path("mnt");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(mnt)));
    struct stat tmpSt {
    };
    ASSERT_EQ(::stat(TempFolder().c_str(), &tmpSt), 0);

    TCatalogBuilder b{tree};
    TTreeNode* built = b.Catalog("Big");
    TTreeNode* disk = b.Disk(built, "Disk");
    for (int i = 0; i < 2000; ++i)
        b.File(disk, "file" + std::to_string(i) + ".dat", i);
    static_cast<TDiskRec*>(disk->Data)->TotalFiles = 2000;
    const std::string oldBytes = EncodeToMemory(built);
    static_cast<TDiskRec*>(disk->Data)->Description.Assign("edited");
    const std::string newBytes = EncodeToMemory(built);
    const int64_t estimate = CatalogSizeEstimate(built);
    tree.Delete(built);
    auto pages = [](int64_t n) { return (n + 4095) / 4096 * 4096; };

    struct TCase {
        int64_t free;
        bool fits;
    };
    const int64_t fitting = (int64_t(newBytes.size()) + estimate * 3 / 2) / 2;
    ASSERT_GT(estimate * 3 / 2, pages(int64_t(newBytes.size())) + 4096);
    for (const TCase& c :
         {TCase{pages(fitting), true}, TCase{pages(int64_t(newBytes.size()) / 2), false}}) {
        const std::string size = "size=" + std::to_string(pages(int64_t(oldBytes.size())) + c.free);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", QString::fromStdString(size), "tmpfs",
                                        QString::fromStdString(mnt)}) != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        struct TUnmount {
            std::string at;
            ~TUnmount() { QProcess::execute("umount", {"-l", QString::fromStdString(at)}); }
        } unmount{mnt};
        struct stat mntSt {
        };
        ASSERT_EQ(::stat(mnt.c_str(), &mntSt), 0);
        if (mntSt.st_dev == tmpSt.st_dev)
            GTEST_SKIP() << "the temporary folder is on the same file system";

        const std::string path = mnt + "/big.ctf";
        WriteFileBytes(path, oldBytes);
        TTreeNode* cat = ReadCatalogFile(tree, path);
        static_cast<TDiskRec*>(cat->Child(0)->Data)->Description.Assign("edited");
        MarkDiskDirty(cat->Child(0), true);
        prompt.Shown.clear();
        EXPECT_EQ(SaveCatalog(cat, false), c.fits) << size;
        if (c.fits) {
            EXPECT_TRUE(prompt.Shown.empty());
            EXPECT_EQ(ReadFileBytes(path), newBytes);
        } else {
            EXPECT_EQ(ReadFileBytes(path), oldBytes) << "the old catalog stays as it was";
            ASSERT_EQ(prompt.Shown.size(), 1u);
            const std::string text = prompt.Shown[0].Text.toStdString();
            const size_t at = text.find("the new one was left as ");
            ASSERT_NE(at, std::string::npos) << text;
            const std::string left = text.substr(at + 24, text.size() - at - 25);
            EXPECT_EQ(ReadFileBytes(left), newBytes);
            std::remove(left.c_str());
        }
        EXPECT_TRUE(OurTempsIn(mnt).isEmpty());
        tree.Delete(cat);
    }
}
