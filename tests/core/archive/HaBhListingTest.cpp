// HA and BH listings of archives put together from the formats' descriptions.

#include "ExpectedListing.h"
#include "HandBuilt.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

class HaBhListing : public ::testing::Test
{
protected:
    void SetUp() override { SetTimeZoneBiasSeconds(0); }
    void TearDown() override { SetTimeZoneBiasSeconds(m_bias); }

private:
    int64_t m_bias = TimeZoneBiasSeconds();
};

} // namespace

TEST_F(HaBhListing, HaMembersWithTheirFoldersAndTimes)
{
    TBuiltMember a = Built("readme.txt", "Read me first.\r\n");
    TBuiltMember b = Built("notes.txt", "notes");
    b.Folder = "docs/old/";
    TBuiltMember c = Built("c.bin", QByteArray(300, 'c'));
    TScratch dir;
    for (uint8_t machine : {0, 2, 5}) {
        SCOPED_TRACE(int(machine));
        const QByteArray bytes = HaArchive({a, b, c}, 1709642096, machine); // 2024-03-05 12:34:56
        const TListing got = ListArchive(dir.Write("built.ha", bytes));
        EXPECT_EQ(got.Type, atHA);
        EXPECT_TRUE(got.Result);
        ExpectListing(got, {
                               Row("readme.txt", 16, 16, "2024-03-05 12:34:56", "Cpy",
                                   Crc32Of(a.Data)),
                               Row("docs\\old\\notes.txt", 5, 5, "2024-03-05 12:34:56", "Asc",
                                   Crc32Of(b.Data)),
                               Row("c.bin", 300, 300, "2024-03-05 12:34:56", "HSC",
                                   Crc32Of(c.Data)),
                           });
        for (const auto& m : got.Members) {
            EXPECT_EQ(m.Member.VersionMadeBy, 2);
            EXPECT_EQ(m.Member.VersionNeeded, 2);
            EXPECT_EQ(m.Member.InternalAttr, 32);
            EXPECT_EQ(m.Member.ExternalAttr, 32u);
        }
    }
    const char* const names[] = {"Cpy",     "Asc",     "HSC",     "Unknown", "Unknown",
                                 "Unknown", "Unknown", "Unknown", "Unknown", "Unknown",
                                 "Unknown", "Unknown", "Unknown", "Unknown", "Dir",
                                 "Special"};
    for (int method = 0; method < 16; ++method) {
        QByteArray bytes = HaArchive({a}, 0);
        bytes[4] = char(0x20 | method);
        const TListing got = ListArchive(dir.Write("m.ha", bytes));
        ASSERT_EQ(got.Members.size(), 1u);
        EXPECT_EQ(got.Members[0].Member.MethodName, names[method]);
    }
}

TEST_F(HaBhListing, BhMembersAndTheEndOfTheHeaders)
{
    TBuiltMember a = Built("README.TXT", "Read me first.\r\n");
    TBuiltMember b = Built("DOCS/NOTES.TXT", "notes");
    b.DosDate = 0x5A8E;
    b.DosTime = 0x4000;
    TBuiltMember c = Built("C.BIN", QByteArray(70, 'c'));
    TBuiltMember d = Built("D.BIN", "d");
    TScratch dir;
    QByteArray bytes = BhArchive({a, b, c, d});
    const TListing got = ListArchive(dir.Write("built.bh", bytes + QByteArray(50, '\0')));
    EXPECT_EQ(got.Type, atBH);
    EXPECT_TRUE(got.Result);
    ExpectListing(got, {
                           Row("README.TXT", 16, 16, "2024-03-05 12:34:56", "Stored",
                               Crc32Of(a.Data)),
                           Row("DOCS\\NOTES.TXT", 5, 5, "2025-04-14 08:00:00", "Fused",
                               Crc32Of(b.Data)),
                           Row("C.BIN", 70, 70, "2024-03-05 12:34:56", "Ionized", Crc32Of(c.Data)),
                           Row("D.BIN", 1, 1, "2024-03-05 12:34:56", "Unknown", Crc32Of(d.Data)),
                       });
    const TArchiveMember& m = got.Members[0].Member;
    EXPECT_EQ(m.VersionMadeBy, 0x14);
    EXPECT_EQ(m.VersionNeeded, 0x0A);
    EXPECT_EQ(m.InternalAttr, 0x21);
    EXPECT_EQ(m.ExternalAttr, 0x21u);

    // A zero at 4 of the second header ends the listing after the first member.
    PutU16(bytes, got.Members[1].Offset + 4, 0);
    const TListing cut = ListArchive(dir.Write("cut.bh", bytes));
    EXPECT_EQ(cut.Members.size(), 1u);
    EXPECT_TRUE(cut.Result);
}
