// RAR listings: archives of the newer format made by the real archiver, compared with what
// `rar lt` said about them; the older format on archives put together from its description.

#include "ExpectedListing.h"
#include "HandBuilt.h"

#include "archive/RarHeaders.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

QString Rar(const char* name)
{
    return FixtureIn("rar", name);
}

struct TRarLine {
    TExpected Member;
    bool Folder = false;
    QString Attributes;
};

// `rar lt`: "Archive comment:" lines, then one block of "Key: value" lines per entry.
std::vector<TRarLine> ParseRarLt(const QString& file, std::string& comment)
{
    static const char* const levels[] = {"Stored", "Fastest", "Fast", "Normal", "Good", "Best"};
    std::vector<TRarLine> out;
    QStringList commentLines;
    bool inComment = false;
    for (const QString& line : FixtureLines(file)) {
        if (line == "Archive comment:") {
            inComment = true;
            continue;
        }
        if (inComment) {
            if (line.startsWith(QLatin1String("Archive: "))) {
                inComment = false;
                comment = commentLines.join(u'\n').trimmed().toStdString();
            } else {
                commentLines << line;
            }
            continue;
        }
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0) continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == "Name") {
            out.emplace_back();
            out.back().Member.Name = QString(value).replace(u'/', u'\\').toStdString();
            continue;
        }
        if (out.empty()) continue;
        TRarLine& r = out.back();
        if (key == "Type") r.Folder = value == "Directory";
        if (key == "Size") r.Member.Unpacked = value.toLongLong();
        if (key == "Packed size") r.Member.Packed = value.toLongLong();
        if (key == "mtime") r.Member.Date = value.left(19).toStdString();
        if (key == "CRC32" || key == "Pack-CRC32") r.Member.Crc = value.toUInt(nullptr, 16);
        if (key == "Attributes") r.Attributes = value;
        if (key == "Compression") {
            const qsizetype m = value.indexOf(QLatin1String("-m"));
            r.Member.Method = levels[value.mid(m + 2, 1).toInt()];
        }
    }
    return out;
}

} // namespace

TEST(RarListing, NewerFormatMatchesTheArchiversListing)
{
    for (const char* name :
         {"levels.rar", "folders.rar", "volume.part1.rar", "volume.part2.rar"}) {
        SCOPED_TRACE(name);
        std::string expectedComment;
        std::vector<TRarLine> lines = ParseRarLt(Rar(name) + ".rar-lt.txt", expectedComment);
        ASSERT_FALSE(lines.empty());
        std::vector<TExpected> expected;
        std::vector<QString> attributes;
        for (const TRarLine& l : lines) {
            if (l.Folder) continue; // folder entries are not members
            expected.push_back(l.Member);
            attributes.push_back(l.Attributes);
        }
        const TListing got = ListArchive(Rar(name));
        EXPECT_EQ(got.Type, atRAR);
        EXPECT_TRUE(got.Result);
        EXPECT_TRUE(got.Errors.empty());
        EXPECT_EQ(CommentText(got.Comment), expectedComment);
        ExpectListing(got, expected);
        for (size_t i = 0; i < got.Members.size() && i < attributes.size(); ++i) {
            const TArchiveMember& m = got.Members[i].Member;
            const bool readOnly = attributes[i] == "-r--r--r--";
            EXPECT_EQ(m.ExternalAttr & 0xFF, readOnly ? 0x21u : 0x20u);
            EXPECT_EQ(m.ExternalAttr >> 16, readOnly ? 0100444u : 0100644u);
            EXPECT_EQ(m.VersionMadeBy, 50);
            EXPECT_EQ(m.InternalAttr, 32);
        }
    }
}

TEST(RarListing, OlderFormatMembersAndComments)
{
    TBuiltMember a = Built("README.TXT", "Read me first.\r\n");
    TBuiltMember b = Built("DOCS\\NOTES.TXT", "notes", "comment of notes");
    b.DosDate = 0x5A8E;
    b.DosTime = 0x4000;
    TScratch dir;
    // A service block before the members is skipped, not listed.
    const TListing got = ListArchive(dir.Write("old.rar", Rar4Archive({a, b}, false, true)));
    EXPECT_EQ(got.Type, atRAR);
    EXPECT_TRUE(got.Result);
    EXPECT_EQ(got.Comment, "");
    ExpectListing(got, {
                           Row("README.TXT", 16, 16, "2024-03-05 12:34:56", "Stored",
                               Crc32Of(a.Data)),
                           Row("DOCS\\NOTES.TXT", 5, 5, "2025-04-14 08:00:00", "Fastest",
                               Crc32Of(b.Data), "comment of notes"),
                       });
    EXPECT_EQ(got.Members[0].Member.VersionMadeBy, 29);
    EXPECT_EQ(got.Members[0].Member.ExternalAttr, 0x20u);
    EXPECT_EQ(got.Members[1].Member.Method, '1');
    EXPECT_EQ(got.Members[0].Offset, 7 + 13 + 32 + 3 + 14); // after the service block

    // An archive header longer than 13 bytes carries a packed comment.
    const TListing commented = ListArchive(dir.Write("cmt.rar", Rar4Archive({a}, true)));
    EXPECT_EQ(commented.Comment, "Archive Comment encrypted...");
    ASSERT_EQ(commented.Members.size(), 1u);
    EXPECT_EQ(commented.Members[0].Member.MemberName, "README.TXT");

    // Method names of every level, and Unknown past them.
    std::vector<TBuiltMember> many;
    for (int i = 0; i < 6; ++i)
        many.push_back(Built(QByteArray("F") + QByteArray::number(i), "x"));
    const TListing levels = ListArchive(dir.Write("levels.rar", Rar4Archive(many, false)));
    ASSERT_EQ(levels.Members.size(), 6u);
    const char* const names[] = {"Stored", "Fastest", "Fast", "Normal", "Good", "Best"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(levels.Members[size_t(i)].Member.MethodName, names[i]);
    EXPECT_STREQ(TRarHeaders::MethodName(6), "Unknown");
}
