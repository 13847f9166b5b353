// save-as as a user meets it: names that cannot be created, and saves killed half-way.
#include "RunCli.h"
#include "SampleCatalog.h"

#include "catalog/SaveTempFile.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <ctime>
#include <sys/stat.h>
#include <utime.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

class SaveCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TCatalogTree tree;
        TCatalogBuilder b(tree);
        TTreeNode* cat = b.Catalog("Big");
        TTreeNode* disk = b.Disk(cat, "Disk");
        for (int i = 0; i < 2000; ++i)
            b.File(disk, "file" + std::to_string(i) + ".dat", i);
        WriteFileBytes(dir.Path("big.ctf"), EncodeToMemory(cat));
        QDir().mkpath(QString::fromStdString(dir.Path("out")));
    }
    QStringList TempsIn(const std::string& folder)
    {
        return QDir(QString::fromStdString(folder))
            .entryList({"ctf*.tmp"}, QDir::Files | QDir::Hidden);
    }
    TTempDir dir;
};

} // namespace

TEST_F(SaveCli, NameThatCannotBeCreatedFailsOnce)
{
    const std::string message =
        "File create error: Can not create this file for writing.\n"
        "Please enter a valid file name and path, on write-enabled device.\n";
    for (const std::string& out :
         {dir.Path("missing/x.ctf"), dir.Path("out"), dir.Path("out") + "/"}) {
        const TCliResult r = RunCli({"save-as", dir.Path("big.ctf"), out});
        EXPECT_EQ(r.ExitCode, 1) << out;
        EXPECT_EQ(r.Err, message) << out;
    }
    EXPECT_TRUE(TempsIn(dir.Path("out")).isEmpty());
}

TEST_F(SaveCli, TemporaryFileOfAKilledSaveIsRemovedByTheNextSave)
{
    // A file size limit kills the program in the middle of writing its temporary file.
    QProcess killed;
    killed.start("sh", {"-c", "ulimit -f 8; exec \"$0\" \"$@\"", QUORVEX_CLI, "rewrite",
                        QString::fromStdString(dir.Path("big.ctf")),
                        QString::fromStdString(dir.Path("out/big.ctf"))});
    ASSERT_TRUE(killed.waitForFinished(60000));
    EXPECT_EQ(killed.exitStatus(), QProcess::CrashExit);
    const QStringList left = TempsIn(dir.Path("out"));
    ASSERT_EQ(left.size(), 1) << "the killed save left its temporary file";
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.Path("out/big.ctf"))));

    // Soon after, it might still be a save at work; a while later it is stale.
    const std::string leftPath = dir.Path("out/" + left[0].toStdString());
    const time_t old = std::time(nullptr) - 2 * TSaveTempFile::StaleSeconds;
    const utimbuf times{old, old};
    ASSERT_EQ(::utime(leftPath.c_str(), &times), 0);
    const TCliResult r = RunCli({"save-as", dir.Path("big.ctf"), dir.Path("out/big.ctf")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(TempsIn(dir.Path("out")).isEmpty());
    EXPECT_EQ(ReadFileBytes(dir.Path("out/big.ctf")), ReadFileBytes(dir.Path("big.ctf")));
}

TEST_F(SaveCli, NewCatalogGetsTheUsualMode)
{
    const mode_t oldMask = ::umask(002);
    const TCliResult r = RunCli({"new", dir.Path("n.ctf")});
    ::umask(oldMask);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    struct stat st {
    };
    ASSERT_EQ(::stat(dir.Path("n.ctf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
}
