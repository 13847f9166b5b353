// ZOO listings of archives put together from the format's description: archive comment,
// entry comments, folders and long names of the variable part, the header check.

#include "ExpectedListing.h"
#include "HandBuilt.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

std::vector<TBuiltMember> ZooMembers()
{
    TBuiltMember a = Built("README.TXT", "Read me first.\r\n");
    TBuiltMember b = Built("NOTES.TXT", "notes", "comment of notes");
    b.DosDate = 0x5A8E;
    b.DosTime = 0x4000;
    b.Folder = "docs/old";
    b.LongName = "Notes for later.txt";
    TBuiltMember c = Built("EMPTY", "");
    c.DosDate = 0;
    c.DosTime = 0;
    return {a, b, c};
}

} // namespace

TEST(ZooListing, MembersCommentsAndFolders)
{
    TScratch dir;
    const TListing got =
        ListArchive(dir.Write("built.zoo", ZooArchive(ZooMembers(), "archive comment")));
    EXPECT_EQ(got.Type, atZOO);
    EXPECT_TRUE(got.Result);
    EXPECT_EQ(got.Comment, "archive comment");
    ExpectListing(got, {
                           Row("README.TXT", 16, 16, "2024-03-05 12:34:56", "Stored",
                               Crc16Of("Read me first.\r\n")),
                           Row("docs\\old\\Notes for later.txt", 5, 5, "2025-04-14 08:00:00",
                               "Stored", Crc16Of("notes"), "comment of notes"),
                           Row("EMPTY", 0, 0, "1980-01-01 00:00:00", "Stored", 0),
                       });
    const TArchiveMember& m = got.Members[1].Member;
    EXPECT_EQ(m.VersionMadeBy, 2);
    EXPECT_EQ(m.VersionNeeded, 1);
    EXPECT_EQ(m.InternalAttr, 32);
    EXPECT_EQ(m.ExternalAttr, 32u);
    EXPECT_EQ(got.Members[0].Filenum, 1);
    EXPECT_EQ(got.Totals, 3);
}

TEST(ZooListing, HeaderCheckAndChainEnd)
{
    TScratch dir;
    QByteArray bytes = ZooArchive(ZooMembers());
    // The first entry's offset and its check must add up to 0.
    QByteArray bad = bytes;
    PutU32(bad, 28, U32(bad, 28) + 1);
    const TListing none = ListArchive(dir.Write("bad.zoo", bad));
    EXPECT_TRUE(none.Members.empty());
    EXPECT_TRUE(none.Result);

    // A "next" of 0 in the second entry ends the listing there.
    const TListing all = ListArchive(dir.Write("all.zoo", bytes));
    ASSERT_EQ(all.Members.size(), 3u);
    PutU32(bytes, all.Members[1].Offset + 6, 0);
    const TListing cut = ListArchive(dir.Write("cut.zoo", bytes));
    EXPECT_EQ(cut.Members.size(), 2u);
    EXPECT_TRUE(cut.Result);
}
