#include "RunCli.h"

#include <gtest/gtest.h>

using namespace quorvex::testing;

namespace {

std::string ArchiveFixture(const char* name) { return std::string(QUORVEX_FIXTURES "/archive/") + name; }

} // namespace

TEST(ArchiveCli, ListsTypeCommentMembersAndTotals)
{
    const TCliResult r = RunCli({"archive", "list", ArchiveFixture("comments.zip"), "--spec", "*.txt"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "type\tatZIP\n"
                     "comment\tArchive comment line 1\\x0D\\x0Aline 2\n"
                     "member\tdocs\\a.txt\t1920\t37\t98\tA3DB1191\t2023-07-14 08:09:10\tDeflateX\t81A40000\t"
                     "comment of a.txt\n"
                     "member\tdocs\\numbers.txt\t8893\t4200\t52\t5AF99DA9\t2022-01-31 23:59:58\tDeflateX\t"
                     "81A40000\tcomment of numbers.txt\n"
                     "total\t2\t10813\t4237\t60\n");
}

TEST(ArchiveCli, ErrorsAndUsage)
{
    const TCliResult none = RunCli({"archive", "list", ArchiveFixture("stored.zip"), "--spec", "*.exe"});
    EXPECT_EQ(none.ExitCode, 1);
    EXPECT_EQ(none.Err, "error 25108: Bad file header\n");
    EXPECT_EQ(RunCli({"archive", "list", ArchiveFixture("missing.zip")}).Err, "error 25132: File not found\n");
    EXPECT_EQ(RunCli({"archive"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"archive", "list", ArchiveFixture("stored.zip"), "--bogus"}).ExitCode, 2);
}

TEST(ArchiveCli, ListsEveryOlderFormat)
{
    const struct {
        const char* file;
        const char* type;
        const char* firstMember;
    } cases[] = {
        {"arj/folders.arj", "atARJ",
         "member\treadme.txt\t16\t16\t0\t48EA9350\t2024-03-05 12:34:56\tStored\t00000020\t\n"},
        {"lha/level2.lzh", "atLHA",
         "member\treadme.txt\t16\t16\t0\t0000FDB6\t2024-03-05 12:34:56\tStored\t00000020\t\n"},
        {"arc/auto.arc", "atARC",
         "member\talpha.txt\t2940\t377\t87\t0000D551\t2024-03-05 12:34:56\tCrunched\t00000020\t\n"},
        {"rar/folders.rar", "atRAR",
         "member\treadme.txt\t16\t16\t0\t48EA9350\t2024-03-05 12:34:56\tStored\t81240021\t\n"},
        {"cab/mszip.cab", "atCAB",
         "member\treadme.txt\t16\t16\t0\t00000000\t2024-03-05 12:34:56\tMSZIP\t00000020\t\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const TCliResult r =
            RunCli({"archive", "list", std::string(QUORVEX_FIXTURES "/") + c.file});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Out.substr(0, r.Out.find('\n') + 1), std::string("type\t") + c.type + "\n");
        EXPECT_NE(r.Out.find(c.firstMember), std::string::npos) << r.Out;
    }
    // A volume that continues in the next: the members before it, then the error.
    const TCliResult volume =
        RunCli({"archive", "list", std::string(QUORVEX_FIXTURES "/arj/volume.arj")});
    EXPECT_EQ(volume.ExitCode, 1);
    EXPECT_NE(volume.Out.find("member\treadme.txt"), std::string::npos);
    EXPECT_EQ(volume.Err, "error 25134: Error opening file\n");
}
