// Archives of the older formats behind a DOS program image are found and listed like the
// plain archives.

#include "HandBuilt.h"
#include "ListingHelpers.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

TEST(SelfExtractingLegacy, ArchivesAfterTheDosImage)
{
    // A 64-byte DOS image: one page, 64 bytes in the last.
    QByteArray stub("MZ\x40\x00\x01\x00", 6);
    stub += QByteArray(58, '\0');
    std::vector<TBuiltArcMember> arc = {{Built("A.TXT", "alpha"), 8}, {Built("B.TXT", "bee"), 2}};
    const struct {
        QByteArray archive;
        TArcType type;
        size_t members;
    } cases[] = {
        {ReadBytes(FixtureIn("arj", "methods.arj")), atArjExe, 5},
        {ReadBytes(FixtureIn("lha", "level1.lzh")), atLhaExe, 4},
        {ReadBytes(FixtureIn("rar", "folders.rar")), atRarExe, 4},
        {ArcArchive(arc), atArcExe, 2},
        {BhArchive({Built("A.TXT", "alpha")}), atBHExe, 1},
    };
    TScratch dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.type));
        const TListing got = ListArchive(dir.Write("sfx.exe", stub + c.archive));
        EXPECT_EQ(got.Type, c.type);
        EXPECT_TRUE(got.Result);
        EXPECT_EQ(got.Members.size(), c.members);
        if (!got.Members.empty()) {
            EXPECT_GE(got.Members[0].Offset, 64);
        }
    }
}
