#include "RunCli.h"
#include "TempDir.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

using namespace quorvex::testing;

namespace
{

class ScanCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tree = dir.Path("tree");
        QDir().mkpath(QString::fromStdString(tree + "/DOCS"));
        WriteFileBytes(tree + "/README.TXT", "Top readme.\n");
        WriteFileBytes(tree + "/DESCRIPT.ION", "readme.txt Read me first\r\n");
        WriteFileBytes(tree + "/DOCS/MANUAL.TXT", "manual");
        WriteFileBytes(tree + "/docs.zip",
                       ReadFileBytes(std::string(QUORVEX_FIXTURES) + "/scan/docs.zip"));
        catalog = dir.Path("cat.ctf");
    }
    TTempDir dir;
    std::string tree, catalog;
};

} // namespace

TEST_F(ScanCli, ScansAFolderIntoANewCatalogAndUpdatesIt)
{
    TCliResult r = RunCli({"scan", catalog, tree, "--name", "Docs"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("disk\tDocs\tfiles=4\tfolders=1\tarchiveMembers=3\t", 0), 0u) << r.Out;
    r = RunCli({"ls", catalog, "Docs"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("archive\tdocs.zip\t"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("file\tReadme.txt\t12\tRead me first\n"), std::string::npos) << r.Out;
    r = RunCli({"dump", catalog});
    EXPECT_NE(r.Out.find("virtualRoot=\\"), std::string::npos)
        << "a folder is scanned as a virtual root";

    r = RunCli({"scan", catalog, tree, "--update", "Docs", "--no-archives", "--no-descriptions"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("disk\tDocs\tfiles=4\tfolders=1\tarchiveMembers=0\t", 0), 0u) << r.Out;
    r = RunCli({"ls", catalog});
    EXPECT_EQ(r.Out, "disk\tDocs\n") << "the disk was replaced";
    r = RunCli({"ls", catalog, "Docs"});
    EXPECT_NE(r.Out.find("file\tdocs.zip\t"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("file\tReadme.txt\t12\tRead me first\n"), std::string::npos)
        << "the updated disk's descriptions are kept: " << r.Out;
}

TEST_F(ScanCli, NamesThatAreNotUtf8KeepTheirBytesThroughSaveReopenAndDump)
{
    const std::string tree2 = dir.Path("latin");
    const std::string folder = tree2 + "/r\xe9pertoire";
    ASSERT_EQ(::mkdir(tree2.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    WriteFileBytes(tree2 + "/caf\xe9.txt", "e acute");
    WriteFileBytes(tree2 + "/caf\xe8.txt", "e grave");
    const std::string longName = std::string(120, 'n') + std::string(127, '\xe9') + ".txt";
    ASSERT_EQ(longName.size(), 251u);
    WriteFileBytes(tree2 + "/" + longName, "long");
    // An archive is opened by the bytes of its path, and its members keep theirs.
    WriteFileBytes(folder + "/archive.tar",
                   ReadFileBytes(std::string(QUORVEX_FIXTURES) + "/names/latin1.tar"));

    TCliResult r = RunCli({"scan", catalog, tree2, "--name", "Latin"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    r = RunCli({"dump", catalog});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    for (const std::string& line : std::vector<std::string>{"file\t\\caf\xe9.txt\t", "file\t\\caf\xe8.txt\t", "file\t\\" + longName + "\t",
          "folder\t\\r\xe9pertoire\\archive.tar\t",
          "file\t\\r\xe9pertoire\\archive.tar\\caf\xe9.txt\t",
          "file\t\\r\xe9pertoire\\archive.tar\\caf\xe8.txt\t"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line << "\n" << r.Out;
}

TEST_F(ScanCli, AnUpdatedDiskKeepsItsPlace)
{
    ASSERT_EQ(RunCli({"scan", catalog, tree, "--name", "First"}).ExitCode, 0);
    ASSERT_EQ(RunCli({"scan", catalog, tree, "--name", "Second"}).ExitCode, 0);
    ASSERT_EQ(RunCli({"scan", catalog, tree, "--name", "Third"}).ExitCode, 0);
    TCliResult r = RunCli({"scan", catalog, tree, "--update", "Second"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    r = RunCli({"ls", catalog});
    EXPECT_EQ(r.Out, "disk\tFirst\ndisk\tSecond\ndisk\tThird\n");
}

TEST_F(ScanCli, AFolderWithoutANameIsNamedAfterItselfMadeUnique)
{
    ASSERT_EQ(RunCli({"scan", catalog, tree}).ExitCode, 0);
    ASSERT_EQ(RunCli({"scan", catalog, tree}).ExitCode, 0);
    EXPECT_EQ(RunCli({"ls", catalog}).Out, "disk\ttree\ndisk\ttree (2)\n");
}

TEST_F(ScanCli, RefusesWhatItCannotScan)
{
    EXPECT_EQ(RunCli({"scan", catalog}).ExitCode, 2);
    EXPECT_EQ(RunCli({"scan", catalog, dir.Path("missing")}).ExitCode, 1);
    ASSERT_EQ(RunCli({"scan", catalog, tree}).ExitCode, 0);
    const TCliResult r = RunCli({"scan", catalog, tree, "--update", "Nothing"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("no disk named Nothing"), std::string::npos);
}

TEST_F(ScanCli, InterruptLeavesTheCatalogFileAsItWas)
{
    ASSERT_EQ(RunCli({"scan", catalog, tree, "--name", "First"}).ExitCode, 0);
    const std::string before = ReadFileBytes(catalog);
    // Enough to keep the scan busy well after it said it started.
    for (int d = 0; d < 400; ++d) {
        const std::string folder = tree + "/BULK/D" + std::to_string(d);
        QDir().mkpath(QString::fromStdString(folder));
        for (int f = 0; f < 50; ++f)
            WriteFileBytes(folder + "/F" + std::to_string(f) + ".TXT", "x");
    }
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QUORVEX_CLI), {"scan", QString::fromStdString(catalog),
                                                QString::fromStdString(tree), "--update", "First"});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray err;
    while (!err.contains("Ctrl+C cancels") && process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        err += process.readAllStandardError();
    }
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));
    err += process.readAllStandardError();
    if (process.exitCode() == 0) GTEST_SKIP() << "the scan was over before the interrupt arrived";
    EXPECT_EQ(process.exitCode(), 1) << err.constData();
    EXPECT_TRUE(err.contains("scan cancelled")) << err.constData();
    EXPECT_EQ(ReadFileBytes(catalog), before);
}
