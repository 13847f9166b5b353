// Listings of archives made by the real archivers, compared with what the real listing
// tools (unzip -Zv, tar -tv, gzip -lv) reported for the same files.

#include "ListingHelpers.h"

#include "archive/ArchiveDates.h"
#include "archive/ArchiveSource.h"
#include "archive/PeResources.h"
#include "archive/ZipDirectory.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

struct TExpectedMember {
    std::string Name;
    int64_t Packed = -1, Unpacked = -1;
    uint32_t Crc = 0;
    std::string Date; // YYYY-MM-DD HH:MM:SS
    std::string Method;
    int MadeBy = -1, Needed = -1, Internal = -1;
    uint32_t DosAttr = 0, UnixMode = 0;
    std::string Comment;
};

std::string Text(const QString& s)
{
    return s.toStdString();
}

QString FieldValue(const QString& line)
{
    const qsizetype colon = line.indexOf(u':');
    return colon < 0 ? QString() : line.mid(colon + 1).trimmed();
}

std::string DosDate(const QString& value) // "2024 Mar 5 12:34:56"
{
    const QStringList p = value.split(u' ', Qt::SkipEmptyParts);
    if (p.size() != 4) return "?";
    char text[32];
    std::snprintf(text, sizeof text, "%s-%02d-%02d %s", Text(p[0]).c_str(),
                  MonthNumber(p[1]), p[2].toInt(), Text(p[3]).c_str());
    return text;
}

// Entries of unzip -Zv output; folder entries left out, as the listing skips them.
std::vector<TExpectedMember> ParseUnzipZv(const QString& file, std::string& archiveComment)
{
    const QStringList lines = QString::fromUtf8(ReadBytes(file)).split(u'\n');
    std::vector<TExpectedMember> out;
    TExpectedMember* m = nullptr;
    enum { None, ArchiveComment, MemberComment } in = None;
    QString deflateSubtype;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.contains(QLatin1String("comment begins"))) {
            in = line.startsWith(u'=') ? ArchiveComment : MemberComment;
            continue;
        }
        if (line.contains(QLatin1String("comment ends"))) {
            in = None;
            continue;
        }
        if (in != None) {
            std::string& target = in == ArchiveComment ? archiveComment : m->Comment;
            if (!target.empty()) target += "\n";
            target += Text(line);
            continue;
        }
        if (line.startsWith(QLatin1String("Central directory entry #"))) {
            out.emplace_back();
            m = &out.back();
            m->Name = Text(lines[i + 3].trimmed());
            continue;
        }
        if (!m) continue;
        const QString v = FieldValue(line);
        if (line.contains(QLatin1String("version of encoding software")))
            m->MadeBy = int(v.toDouble() * 10 + 0.5);
        else if (line.contains(QLatin1String("minimum software version required")))
            m->Needed = int(v.toDouble() * 10 + 0.5);
        else if (line.contains(QLatin1String("compression method:")))
            m->Method = v.startsWith(QLatin1String("none")) ? "Stored" : Text(v);
        else if (line.contains(QLatin1String("compression sub-type (deflation)"))) {
            const QString t = v;
            m->Method = t == "maximum"     ? "DeflateX"
                        : t == "fast"      ? "DeflateF"
                        : t == "superfast" ? "DeflateS"
                                           : "DeflateN";
        } else if (line.contains(QLatin1String("(DOS date/time)")))
            m->Date = DosDate(v);
        else if (line.contains(QLatin1String("32-bit CRC value")))
            m->Crc = v.toUInt(nullptr, 16);
        else if (line.contains(QLatin1String("  compressed size:")))
            m->Packed = v.section(u' ', 0, 0).toLongLong();
        else if (line.contains(QLatin1String("uncompressed size:")))
            m->Unpacked = v.section(u' ', 0, 0).toLongLong();
        else if (line.contains(QLatin1String("apparent file type")))
            m->Internal = v == "text" ? 1 : 0;
        else if (line.contains(QLatin1String("Unix file attributes (")))
            m->UnixMode = line.section(u'(', 1).section(u' ', 0, 0).toUInt(nullptr, 8);
        else if (line.contains(QLatin1String("MS-DOS file attributes (")))
            m->DosAttr = line.section(u'(', 1).section(u' ', 0, 0).toUInt(nullptr, 16);
    }
    std::erase_if(out,
                  [](const TExpectedMember& e) { return !e.Name.empty() && e.Name.back() == '/'; });
    return out;
}

std::string Unix(std::string s)
{
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::string WithoutCR(std::string s)
{
    std::erase(s, '\r');
    return s;
}

class ArchiveFixtures : public ::testing::Test
{
protected:
    void SetUp() override { SetTimeZoneBiasSeconds(0); } // fixtures were made in UTC
};

} // namespace

TEST_F(ArchiveFixtures, ZipListingsMatchUnzip)
{
    for (const char* name :
         {"stored.zip", "comments.zip", "levels.zip", "zip250.zip", "sfx_tail.exe",
          "sfx_strres32.exe", "sfx_strres64.exe", "dos_sfx.exe"}) {
        SCOPED_TRACE(name);
        std::string expectedComment;
        const auto expected = ParseUnzipZv(Fixture(name) + ".unzip-Zv.txt", expectedComment);
        const TListing got = ListArchive(Fixture(name));
        EXPECT_TRUE(got.Result);
        EXPECT_TRUE(got.Errors.empty());
        EXPECT_EQ(WithoutCR(got.Comment), expectedComment);
        ASSERT_EQ(got.Members.size(), expected.size());
        int32_t lastOffset = -1;
        for (size_t i = 0; i < expected.size(); ++i) {
            const TArchiveMember& m = got.Members[i].Member;
            const TExpectedMember& e = expected[i];
            SCOPED_TRACE(e.Name);
            EXPECT_EQ(Unix(m.MemberName), e.Name);
            EXPECT_EQ(m.MemberName.find('/'), std::string::npos);
            EXPECT_EQ(m.PackedSize, e.Packed);
            EXPECT_EQ(m.UnpackedSize, e.Unpacked);
            EXPECT_EQ(m.CRC, e.Crc);
            EXPECT_EQ(FormatArchiveDateTime(m.MemberDate), e.Date);
            EXPECT_EQ(m.MethodName, e.Method);
            EXPECT_EQ(m.VersionMadeBy & 0xFF, e.MadeBy);
            EXPECT_EQ(m.VersionNeeded, e.Needed);
            EXPECT_EQ(m.InternalAttr & 1, e.Internal);
            EXPECT_EQ(m.ExternalAttr & 0xFF, e.DosAttr);
            EXPECT_EQ(m.ExternalAttr >> 16, e.UnixMode);
            EXPECT_EQ(m.MemberComment, e.Comment);
            EXPECT_EQ(m.Ratio, CompressionRatio(uint32_t(e.Packed), uint32_t(e.Unpacked)));
            EXPECT_EQ(got.Members[i].Filenum, int32_t(i + 1));
            EXPECT_GT(got.Members[i].Offset, lastOffset);
            lastOffset = got.Members[i].Offset;
        }
    }
}

TEST_F(ArchiveFixtures, CommentsAndDeflateOptions)
{
    const TListing got = ListArchive(Fixture("comments.zip"));
    ASSERT_EQ(got.Members.size(), 3u);
    EXPECT_EQ(got.Comment, "Archive comment line 1\r\nline 2");
    EXPECT_EQ(got.Members[1].Member.MemberComment, "comment of a.txt"); // after an extra field
    EXPECT_EQ(got.Members[1].Member.CompressOption, 2);                 // -9: bit 1

    const TListing levels = ListArchive(Fixture("levels.zip"));
    ASSERT_EQ(levels.Members.size(), 4u);
    EXPECT_EQ(levels.Members[0].Member.CompressOption, 4); // -1: bit 2
    EXPECT_EQ(levels.Members[1].Member.CompressOption, 0);

    const struct {
        int method;
        unsigned flags;
        const char* name;
    } names[] = {{0, 0, "Stored"},   {1, 0, "Shrunk"},   {2, 0, "Reduce-1"}, {5, 0, "Reduce-4"},
                 {6, 0, "Imploded"}, {7, 0, "Tokened"},  {8, 0, "DeflateN"}, {8, 2, "DeflateX"},
                 {8, 4, "DeflateF"}, {8, 6, "DeflateS"}, {8, 9, "DeflateN"}, {9, 0, "Unknown"},
                 {12, 0, "Unknown"}, {-1, 0, "Unknown"}};
    for (const auto& n : names)
        EXPECT_STREQ(TZipDirectory::MethodName(n.method, n.flags), n.name);
}

TEST_F(ArchiveFixtures, SelfExtractingProgramsAreFoundWhereTheyKeepTheArchive)
{
    const struct {
        const char* name;
        int32_t startOffset, embeddedBase;
    } cases[] = {
        {"sfx_strres32.exe", 12346, 12345}, // string resource 1 holds 12345
        {"sfx_strres64.exe", 12346, 12345},
        {"dos_sfx.exe", 65, 0}, // right after the 64-byte DOS image
    };
    for (const auto& c : cases) {
        TArchiveLister lister;
        lister.SetArchiveFile(Fixture(c.name));
        EXPECT_EQ(lister.ArcType(), atZipExe) << c.name;
        EXPECT_EQ(lister.State().StartOffset, c.startOffset) << c.name;
        EXPECT_EQ(lister.State().EmbeddedBase, c.embeddedBase) << c.name;
    }
    // The tail search: the start is the first local header's offset, stored adjusted by zip -A.
    TArchiveLister tail;
    tail.SetArchiveFile(Fixture("sfx_tail.exe"));
    EXPECT_EQ(tail.ArcType(), atZipExe);
    const QByteArray exe = ReadBytes(Fixture("sfx_tail.exe"));
    EXPECT_EQ(exe.mid(tail.State().StartOffset - 1, 4), QByteArray("PK\x03\x04"));
    EXPECT_EQ(tail.State().EmbeddedBase, 0);
}

TEST_F(ArchiveFixtures, ExecutableSearchStopsAndGaps)
{
    TScratch dir;
    const QByteArray exe = ReadBytes(Fixture("sfx_strres32.exe"));
    // The offset in string resource 1 is not below the file size: that search gives up.
    TArchiveLister lister;
    lister.SetArchiveFile(dir.Write("short.exe", exe.left(12345)));
    EXPECT_EQ(lister.ArcType(), atUnknown);
    EXPECT_EQ(lister.State().StartOffset, 1);

    // A format that cannot sit inside an executable ends the search as atNA.
    QByteArray gz = exe.left(12345) + ReadBytes(Fixture("notes.txt.gz"));
    lister.SetArchiveFile(dir.Write("gz.exe", gz));
    EXPECT_EQ(lister.ArcType(), atNA);

    // After the DOS image, an ARJ header may follow a 2-byte gap.
    QByteArray dos("MZ\x40\x00\x01\x00", 6);
    dos += QByteArray(58, '\0') + QByteArray("\x01\x02\x60\xea\x60\xea", 6) + QByteArray(100, '\0');
    lister.SetArchiveFile(dir.Write("arj.exe", dos));
    EXPECT_EQ(lister.ArcType(), atArjExe);
    EXPECT_EQ(lister.State().StartOffset, 67);
}

TEST_F(ArchiveFixtures, TailSearchWindowFollowsZipCmntBufSize)
{
    // sfx_comment.exe carries a 30-byte archive comment.
    TArchiveLister lister;
    lister.SetArchiveFile(Fixture("sfx_comment.exe"));
    EXPECT_EQ(lister.ArcType(), atUnknown);
    TListing narrow = ListArchive(lister, Fixture("sfx_comment.exe"));
    EXPECT_FALSE(narrow.Result);
    EXPECT_EQ(narrow.Errors, std::vector<int>{25202});

    lister.SetZipCmntBufSize(30);
    lister.SetArcType(atNA); // written value ignored: detects again
    EXPECT_EQ(lister.ArcType(), atZipExe);
    const TListing wide = ListArchive(lister, Fixture("sfx_comment.exe"));
    EXPECT_TRUE(wide.Result);
    ASSERT_EQ(wide.Members.size(), 3u);
    EXPECT_EQ(wide.Members[2].Member.MemberComment, "comment of numbers.txt");

    lister.SetZipCmntBufSize(1 << 20);
    EXPECT_EQ(lister.ZipCmntBufSize(), 32767);
    lister.SetZipCmntBufSize(-5);
    EXPECT_EQ(lister.ZipCmntBufSize(), 0);
}

TEST_F(ArchiveFixtures, PeStringResourcesOfBothWordSizes)
{
    for (const char* name : {"sfx_strres32.exe", "sfx_strres64.exe", "sfx_tail.exe"}) {
        TArchiveSource src;
        ASSERT_TRUE(src.Open(Fixture(name)));
        TPeStringResources res;
        ASSERT_TRUE(res.Open(src)) << name;
        const bool tail = std::string(name) == "sfx_tail.exe";
        EXPECT_EQ(res.String(1, 5), tail ? QStringLiteral("Quorv") : QStringLiteral("12345"))
            << name;
        EXPECT_EQ(res.String(2, 100).value_or(QString()),
                  tail ? QString() : QStringLiteral("Quorvex"));
        EXPECT_TRUE(res.String(3, 5).value_or(QString()).isEmpty());
        EXPECT_EQ(res.String(17, 5), std::nullopt); // no second block
    }
    TArchiveSource zip;
    ASSERT_TRUE(zip.Open(Fixture("stored.zip")));
    EXPECT_FALSE(TPeStringResources().Open(zip));
}

TEST_F(ArchiveFixtures, Zip250IsListedAsZip)
{
    const TListing plain = ListArchive(Fixture("stored.zip"));
    const TListing variant = ListArchive(Fixture("zip250.zip"));
    EXPECT_EQ(variant.Type, atZip250);
    ASSERT_EQ(variant.Members.size(), plain.Members.size());
    for (size_t i = 0; i < plain.Members.size(); ++i)
        EXPECT_EQ(variant.Members[i].Member.MemberName, plain.Members[i].Member.MemberName);
}

namespace {

struct TTarLine {
    std::string Name, Date;
    int64_t Size;
};

// Regular files and hard links of tar --full-time -tv output (UTC).
std::vector<TTarLine> ParseTarTv(const QString& file)
{
    std::vector<TTarLine> out;
    static const QRegularExpression re(QStringLiteral(
        R"(^([-h])\S+\s+\S+\s+(\d+)\s+(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d) (.*?)( link to .*)?$)"));
    for (const QString& line : QString::fromUtf8(ReadBytes(file)).split(u'\n')) {
        const auto m = re.match(line);
        if (m.hasMatch())
            out.push_back({Text(m.captured(4)), Text(m.captured(3)), m.captured(2).toLongLong()});
    }
    return out;
}

} // namespace

TEST_F(ArchiveFixtures, TarListingsMatchTar)
{
    for (const char* name : {"gnu.tar", "ustar.tar", "pax.tar", "volume.tar"}) {
        SCOPED_TRACE(name);
        const auto expected = ParseTarTv(Fixture(name) + ".tar-tv.txt");
        const TListing got = ListArchive(Fixture(name));
        EXPECT_EQ(got.Type, atTAR);
        EXPECT_TRUE(got.Result);
        ASSERT_EQ(got.Members.size(), expected.size());
        const QByteArray bytes = ReadBytes(Fixture(name));
        for (size_t i = 0; i < expected.size(); ++i) {
            const TArchiveMember& m = got.Members[i].Member;
            EXPECT_EQ(Unix(m.MemberName), expected[i].Name);
            EXPECT_EQ(m.UnpackedSize, expected[i].Size);
            EXPECT_EQ(m.PackedSize, expected[i].Size);
            EXPECT_EQ(FormatArchiveDateTime(m.MemberDate), expected[i].Date);
            EXPECT_EQ(m.MethodName, "Stored");
            EXPECT_EQ(got.Members[i].Offset % 512, 0);
            // CRC is the header's own checksum field
            const QByteArray field = bytes.mid(got.Members[i].Offset + 148, 8);
            EXPECT_EQ(m.CRC,
                      QString::fromLatin1(field).remove(QChar(0)).trimmed().toUInt(nullptr, 8));
        }
    }
    TArchiveLister volume;
    volume.SetArchiveFile(Fixture("volume.tar"));
    EXPECT_EQ(volume.State().StartOffset, 513);
}

TEST_F(ArchiveFixtures, GzipAndCompressAreOneMember)
{
    for (const char* name : {"notes.txt.gz", "noname.txt.gz"}) {
        SCOPED_TRACE(name);
        // "method crc month day time compressed uncompressed ratio name"
        const QStringList lines =
            QString::fromUtf8(ReadBytes(Fixture(name) + ".gzip-lv.txt")).split(u'\n');
        const QStringList f = lines.value(1).split(u' ', Qt::SkipEmptyParts);
        ASSERT_EQ(f.size(), 9);
        const TListing got = ListArchive(Fixture(name));
        ASSERT_EQ(got.Members.size(), 1u);
        const TArchiveMember& m = got.Members[0].Member;
        EXPECT_EQ(m.CRC, f[1].toUInt(nullptr, 16));
        EXPECT_EQ(m.PackedSize + 8, f[5].toInt()); // gzip counts the whole file
        EXPECT_EQ(m.UnpackedSize, f[6].toInt());
        EXPECT_EQ(m.MemberName, Text(f[8]));
        EXPECT_EQ(m.MethodName, "Deflate");
        EXPECT_EQ(m.ExternalAttr & 0x20, 0x20u);
    }
    const TListing named = ListArchive(Fixture("notes.txt.gz"));
    EXPECT_EQ(FormatArchiveDateTime(named.Members[0].Member.MemberDate), "2024-03-05 12:34:56");

    const TListing extra = ListArchive(Fixture("extra.gz")); // FEXTRA of 6 bytes, then FNAME
    ASSERT_EQ(extra.Members.size(), 1u);
    EXPECT_EQ(extra.Members[0].Member.MemberName, "notes.txt");
    EXPECT_EQ(extra.Members[0].Member.PackedSize,
              int32_t(ReadBytes(Fixture("extra.gz")).size()) - 6 - 8);

    const TListing z = ListArchive(Fixture("notes.txt.Z"));
    ASSERT_EQ(z.Members.size(), 1u);
    const TArchiveMember& m = z.Members[0].Member;
    const int32_t size = int32_t(QFileInfo(Fixture("notes.txt.Z")).size());
    EXPECT_EQ(m.MemberName, "notes.txt");
    EXPECT_EQ(m.PackedSize, size);
    EXPECT_EQ(m.UnpackedSize, size);
    EXPECT_EQ(m.CRC, 0u);
    EXPECT_EQ(m.MethodName, "Compress");
    EXPECT_EQ(m.MemberDate, DosDateTimeToDateTime(uint32_t(
                                DosDateTimeOf(QFileInfo(Fixture("notes.txt.Z")).lastModified()))));
}
