#include "RunCli.h"
#include "TempDir.h"

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
