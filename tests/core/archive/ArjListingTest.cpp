// ARJ listings of archives made by the real archiver, compared with what `arj v` said about
// them; the volume set's members that continue or began elsewhere.

#include "ExpectedListing.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

QString Arj(const char* name)
{
    return FixtureIn("arj", name);
}

std::string DosStyle(QString s)
{
    return s.replace(u'/', u'\\').toStdString();
}

// Members of `arj v` output: "001) name", comment lines, then the line with the numbers.
std::vector<TExpected> ParseArjV(const QString& file, std::string& archiveComment)
{
    static const QRegularExpression nameLine(QStringLiteral("^\\d{3}\\) (.*)$"));
    static const QRegularExpression dataLine(QStringLiteral(
        "^ *\\d+ \\S+ +(\\d+) +(\\d+) +[\\d.]+ (\\d\\d)-(\\d\\d)-(\\d\\d) (\\d\\d:\\d\\d:\\d\\d) "
        "\\S+ \\S+ +\\+?(\\d)"));
    const std::map<std::string, uint32_t> crcs = CrcList(Arj("crc32.txt"));
    static const char* const methods[] = {"Stored", "Most", "2nd Most", "2nd Fast", "Fastest"};
    std::vector<TExpected> out;
    QStringList comment;
    bool inMember = false, beforeMembers = false;
    for (const QString& line : FixtureLines(file)) {
        if (line.startsWith(QLatin1String("Archive created:"))) {
            beforeMembers = true;
            continue;
        }
        if (line.startsWith(QLatin1String("Sequence/Pathname"))) {
            archiveComment = comment.join(u'\n').trimmed().toStdString();
            comment.clear();
            beforeMembers = false;
            continue;
        }
        if (beforeMembers) {
            comment << line;
            continue;
        }
        if (const auto n = nameLine.match(line); n.hasMatch()) {
            out.emplace_back();
            out.back().Name = DosStyle(n.captured(1));
            const auto crc = crcs.find(n.captured(1).toStdString());
            // The split member's CRC is that of the whole file; of a.txt's copies the same.
            const QString base = n.captured(1);
            out.back().Crc = crc != crcs.end()        ? int64_t(crc->second)
                             : base.startsWith(u'm') ? int64_t(crcs.at("docs/a.txt"))
                                                      : -1;
            inMember = true;
            comment.clear();
            continue;
        }
        if (!inMember) continue;
        if (const auto d = dataLine.match(line); d.hasMatch()) {
            TExpected& e = out.back();
            e.Unpacked = d.captured(1).toLongLong();
            e.Packed = d.captured(2).toLongLong();
            e.Date = ("20" + d.captured(3) + "-" + d.captured(4) + "-" + d.captured(5) + " " +
                      d.captured(6))
                         .toStdString();
            e.Method = methods[d.captured(7).toInt()];
            e.Comment = comment.join(u'\n').trimmed().toStdString();
            inMember = false;
        } else {
            comment << line;
        }
    }
    return out;
}

} // namespace

TEST(ArjListing, MatchesTheArchiversListing)
{
    for (const char* name : {"methods.arj", "folders.arj"}) {
        SCOPED_TRACE(name);
        std::string expectedComment;
        const auto expected = ParseArjV(Arj(name) + ".arj-v.txt", expectedComment);
        ASSERT_FALSE(expected.empty());
        const TListing got = ListArchive(Arj(name));
        EXPECT_EQ(got.Type, atARJ);
        EXPECT_TRUE(got.Result);
        EXPECT_TRUE(got.Errors.empty());
        EXPECT_EQ(CommentText(got.Comment), expectedComment);
        ExpectListing(got, expected);
        for (const auto& m : got.Members) {
            EXPECT_EQ(m.Member.VersionMadeBy, 11);
            EXPECT_EQ(m.Member.InternalAttr, 32);
            EXPECT_EQ(m.Member.ExternalAttr, 32u);
        }
    }
    const TListing folders = ListArchive(Arj("folders.arj"));
    EXPECT_EQ(folders.Comment, "Archive comment line 1\r\nline 2\r\n");
    ASSERT_EQ(folders.Members.size(), 3u);
    EXPECT_EQ(folders.Members[1].Member.MemberName, "docs\\numbers.txt");
    EXPECT_EQ(folders.Members[2].Member.MemberComment, "comment of a.txt\r\n");
}

TEST(ArjListing, VolumesAreNotFollowed)
{
    // The first volume lists up to the member that continues in volume.a01.
    std::string comment;
    auto first = ParseArjV(Arj("volume.arj.arj-v.txt"), comment);
    const TListing got = ListArchive(Arj("volume.arj"));
    EXPECT_FALSE(got.Result);
    EXPECT_EQ(got.Errors, std::vector<int>{25134});
    first.pop_back();
    ExpectListing(got, first);

    // The next volume, listed on its own, starts with the rest of the split member.
    auto second = ParseArjV(Arj("volume.a01.arj-v.txt"), comment);
    second[0].Crc = -1; // the CRC of the part in this volume
    const TListing next = ListArchive(Arj("volume.a01"));
    EXPECT_TRUE(next.Result);
    ExpectListing(next, second);
}

TEST(ArjListing, EndMarkerAndForeignBytesEndTheListing)
{
    QByteArray bytes = ReadBytes(Arj("methods.arj"));
    TScratch dir;
    // Bytes after the end marker are never read as members.
    const TListing padded = ListArchive(dir.Write("padded.arj", bytes + QByteArray(200, '\x60')));
    EXPECT_TRUE(padded.Result);
    EXPECT_EQ(padded.Members.size(), 5u);
    // The third header's id broken: two members stay listed.
    const TListing first = ListArchive(Arj("methods.arj"));
    ASSERT_EQ(first.Members.size(), 5u);
    bytes[first.Members[2].Offset] = 'X';
    const TListing broken = ListArchive(dir.Write("broken.arj", bytes));
    EXPECT_TRUE(broken.Result);
    EXPECT_EQ(broken.Members.size(), 2u);
}

TEST(ArjListing, DosHostsStoreDosDates)
{
    // The fixtures come from a UNIX host, whose headers carry seconds since 1970; an archive
    // made on DOS carries a DOS date-time in the same field.
    QByteArray bytes = ReadBytes(Arj("methods.arj"));
    const int32_t at = ListArchive(Arj("methods.arj")).Members[0].Offset;
    bytes[at + 7] = 0;                  // host: MS-DOS
    PutU32(bytes, at + 12, 0x5865645C); // 2024-03-05 12:34:56
    TScratch dir;
    const TListing got = ListArchive(dir.Write("dos.arj", bytes));
    ASSERT_EQ(got.Members.size(), 5u);
    EXPECT_EQ(FormatArchiveDateTime(got.Members[0].Member.MemberDate), "2024-03-05 12:34:56");
    EXPECT_EQ(FormatArchiveDateTime(got.Members[1].Member.MemberDate), "2023-07-14 08:09:11");
}
