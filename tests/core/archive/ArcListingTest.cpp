// ARC listings of archives made by the real archiver, compared with what `arc v` said about
// them; PAK archives and the end marker on archives put together from the description.

#include "ExpectedListing.h"
#include "HandBuilt.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

QString Arc(const char* name)
{
    return FixtureIn("arc", name);
}

// `arc v` lines: name, length, stowage, saving, size now, "5 Mar 24", "12:34p", CRC.
std::vector<TExpected> ParseArcV(const QString& file)
{
    static const QRegularExpression line(QStringLiteral(
        "^(\\S+) +(\\d+) +(\\S+) +\\d+% +(\\d+) +(\\d+) (\\w{3}) (\\d\\d) +(\\d+):(\\d\\d)([ap]) "
        "+([0-9a-f]{4})$"));
    std::vector<TExpected> out;
    for (const QString& text : FixtureLines(file)) {
        const auto m = line.match(text);
        if (!m.hasMatch()) continue;
        int hour = m.captured(8).toInt();
        if (m.captured(10) == "p" && hour != 12) hour += 12;
        const QString date = QStringLiteral("20%1-%2-%3 %4:%5")
                                 .arg(m.captured(7))
                                 .arg(MonthNumber(m.captured(6)), 2, 10, QChar(u'0'))
                                 .arg(m.captured(5).toInt(), 2, 10, QChar(u'0'))
                                 .arg(hour, 2, 10, QChar(u'0'))
                                 .arg(m.captured(9));
        const QString stowage = m.captured(3);
        out.push_back(Row(m.captured(1).toStdString(), m.captured(2).toLongLong(),
                          m.captured(4).toLongLong(), date.toStdString(),
                          stowage == "--" ? "Stored" : stowage.toStdString(),
                          m.captured(11).toUInt(nullptr, 16)));
    }
    return out;
}

} // namespace

TEST(ArcListing, MatchesTheArchiversListing)
{
    for (const char* name : {"auto.arc", "squashed.arc"}) {
        SCOPED_TRACE(name);
        const auto expected = ParseArcV(Arc(name) + ".arc-v.txt");
        ASSERT_FALSE(expected.empty());
        const TListing got = ListArchive(Arc(name));
        EXPECT_EQ(got.Type, atARC);
        EXPECT_TRUE(got.Result);
        EXPECT_TRUE(got.Errors.empty());
        ExpectListing(got, expected);
        for (const auto& m : got.Members) {
            EXPECT_EQ(m.Member.InternalAttr, 32);
            EXPECT_EQ(m.Member.ExternalAttr, 32u);
        }
    }
    // Stored first: the content is not recognised.
    const TListing stored = ListArchive(Arc("stored.arc"));
    EXPECT_EQ(stored.Type, atUnknown);
    EXPECT_EQ(stored.Errors, std::vector<int>{25202});
}

TEST(ArcListing, EndsAtTheEndMarkerEvenIfBytesFollow)
{
    QByteArray bytes = ReadBytes(Arc("auto.arc"));
    bytes += ReadBytes(Arc("squashed.arc"));
    TScratch dir;
    const TListing got = ListArchive(dir.Write("joined.arc", bytes));
    EXPECT_TRUE(got.Result);
    EXPECT_EQ(got.Members.size(), 4u);
}

TEST(ArcListing, PakMethodNamesAndTheOldStoredHeader)
{
    // PAK is recognised by a first member of method 10 or 11.
    std::vector<TBuiltArcMember> members;
    const char* const pakNames[] = {nullptr,    "Stored",   "Stored",   "RLE",
                                    "Squeezed", "FIXEDLEN", "FIXEDLEN", "FIXEDLEN",
                                    "VARIBLE",  "VARIBLE",  "Crushed",  "Distill"};
    for (int method : {10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}) {
        TBuiltArcMember a;
        a.Member = Built(QByteArray("M") + QByteArray::number(method) + ".DAT",
                         QByteArray(method * 3, char('a' + method)));
        a.Method = uint8_t(method);
        members.push_back(a);
    }
    TScratch dir;
    const TListing got = ListArchive(dir.Write("built.pak", ArcArchive(members, 2)));
    EXPECT_EQ(got.Type, atPAK);
    EXPECT_TRUE(got.Result);
    ASSERT_EQ(got.Members.size(), members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const TArchiveMember& m = got.Members[i].Member;
        const int method = members[i].Method;
        SCOPED_TRACE(method);
        EXPECT_EQ(m.MemberName, members[i].Member.Name.toStdString());
        EXPECT_EQ(m.MethodName, method < 12 ? pakNames[method] : "Unknown");
        EXPECT_EQ(m.Method, method);
        EXPECT_EQ(m.PackedSize, method * 3);
        // The oldest stored form has no unpacked size of its own.
        EXPECT_EQ(m.UnpackedSize, method == 1 ? method * 3 : method * 6);
        EXPECT_EQ(m.CRC, Crc16Of(members[i].Member.Data));
        EXPECT_EQ(FormatArchiveDateTime(m.MemberDate), "2024-03-05 12:34:56");
    }
    // The same bytes as ARC give ARC's names.
    members.front().Method = 8;
    const TListing arc = ListArchive(dir.Write("built.arc", ArcArchive(members, 2)));
    EXPECT_EQ(arc.Type, atARC);
    ASSERT_EQ(arc.Members.size(), members.size());
    const char* const arcNames[] = {"Crunched", "Stored",   "Stored",   "Packed",
                                    "Squeezed", "crunched", "crunched", "crunched",
                                    "Crunched", "Squashed", "Pack11",   "Pack12"};
    for (size_t i = 0; i < members.size(); ++i)
        EXPECT_EQ(arc.Members[i].Member.MethodName, arcNames[i]);
}
