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
