#include "RunCli.h"
#include "TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex::testing;

namespace
{

std::string Fixture(const char* name)
{
    return std::string(QUORVEX_FIXTURES "/extract/") + name;
}

TEST(ExtractCli, OneLinePerMemberWithItsCheck)
{
    QTemporaryDir dest;
    const std::string d = dest.path().toStdString();
    const TCliResult r = RunCli({"archive", "extract", Fixture("levels.zip"), d, "--folders"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "crc-ok\t" + d + "/FILE_ID.DIZ\n" + "crc-ok\t" + d + "/README.TXT\n" +
                         "crc-ok\t" + d + "/docs/README.TXT\n" + "crc-ok\t" + d + "/DATA.BIN\n");
    EXPECT_EQ(ReadFileBytes(d + "/docs/README.TXT"),
              ReadFileBytes(Fixture("files/docs/README.TXT")));

    // Existing files stay unless --overwrite is given.
    WriteFileBytes(d + "/DATA.BIN", "changed");
    const TCliResult again = RunCli({"archive", "extract", Fixture("levels.zip"), d, "DATA.BIN"});
    EXPECT_EQ(again.Out, "exists\t" + d + "/DATA.BIN\n");
    EXPECT_EQ(ReadFileBytes(d + "/DATA.BIN"), "changed");
    const TCliResult forced =
        RunCli({"archive", "extract", Fixture("levels.zip"), d, "DATA.BIN", "--overwrite"});
    EXPECT_EQ(forced.Out, "crc-ok\t" + d + "/DATA.BIN\n");
    EXPECT_EQ(ReadFileBytes(d + "/DATA.BIN"), ReadFileBytes(Fixture("files/DATA.BIN")));
}

TEST(ExtractCli, Latin1NamesNeverMeet)
{
    QTemporaryDir dest;
    const std::string d = dest.path().toStdString();
    const std::string tar = QUORVEX_FIXTURES "/names/latin1.tar";
    for (int run = 0; run < 2; ++run) {
        const TCliResult r = RunCli({"archive", "extract", tar, d, "--overwrite"});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Out, "crc-ok\t" + d + "/caf\xe9.txt\ncrc-ok\t" + d + "/caf\xe8.txt\n" +
                             "crc-ok\t" + d + "/notes.txt\n");
    }
    EXPECT_EQ(ReadFileBytes(d + "/caf\xe9.txt"), "e acute\n");
    EXPECT_EQ(ReadFileBytes(d + "/caf\xe8.txt"), "e grave\n");
}

TEST(ExtractCli, FailuresAndUsage)
{
    QTemporaryDir dest;
    const TCliResult wrong = RunCli(
        {"archive", "extract", Fixture("levels.zip"), dest.path().toStdString(), "NONE.TXT"});
    EXPECT_EQ(wrong.ExitCode, 1);
    EXPECT_NE(wrong.Err.find("Unknown error has occurred while uncompressing file(s)."),
              std::string::npos)
        << wrong.Err;
    EXPECT_EQ(RunCli({"archive", "extract", Fixture("files/README.TXT"), dest.path().toStdString()})
                  .ExitCode,
              1);
    EXPECT_EQ(
        RunCli({"archive", "extract", Fixture("levels.zip"), dest.path().toStdString(), "--bogus"})
            .ExitCode,
        2);
}

} // namespace

namespace
{

// The program run with files limited to `kib` KiB; writing past it fails with EFBIG.
TCliResult RunWithFileLimit(int kib, const std::vector<std::string>& args)
{
    QStringList list{"-c", QString("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"").arg(kib * 2),
                     QUORVEX_CLI};
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    QProcess process;
    process.start("/bin/sh", list);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// A full disk, as a file-size limit shows it: the member that does not fit is reported as
// an error, not as unpacked, and leaves no file (no temporary either); the one before it
// stays.
TEST(ExtractCli, MemberThatDoesNotFitLeavesNoFile)
{
    for (const char* archive : {"levels.zip", "rar5.rar"}) {
        QTemporaryDir dest;
        const std::string d = dest.path().toStdString();
        const TCliResult r =
            RunWithFileLimit(8, {"archive", "extract", Fixture(archive), d, "--folders"});
        if (std::string(archive).ends_with(".rar") &&
            r.Err.find("RAR extraction is not available") != std::string::npos)
            continue;
        EXPECT_EQ(r.ExitCode, 1) << archive << r.Err;
        EXPECT_EQ(r.Out.find("DATA.BIN"), std::string::npos) << archive << r.Out;
        EXPECT_NE(r.Out.find("crc-ok\t" + d + "/FILE_ID.DIZ\n"), std::string::npos) << r.Out;
        EXPECT_NE(r.Err.find("An error has occurred while trying to write extracted file."),
                  std::string::npos)
            << archive << r.Err;
        EXPECT_FALSE(QFileInfo::exists(dest.filePath("DATA.BIN"))) << archive;
        EXPECT_TRUE(
            QDir(dest.path()).entryList(QDir::Hidden | QDir::Files).filter(".tmp").isEmpty());
    }
}

} // namespace
