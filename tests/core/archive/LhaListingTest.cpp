// LHA listings of archives made by the real archiver with header levels 0, 1 and 2,
// compared with what `lha v` said about them.

#include "ExpectedListing.h"

#include "archive/ArchiveSource.h"
#include "archive/LhaHeaders.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

QString Lha(const char* name)
{
    return FixtureIn("lha", name);
}

struct TLhaLine {
    TExpected Member;
    std::string MethodId;
};

// `lha v` lines: permissions, [uid/gid], packed, size, ratio, method, CRC, date, name.
std::vector<TLhaLine> ParseLhaV(const QString& file)
{
    static const QRegularExpression line(QStringLiteral(
        "^\\S+ +(?:\\d+/\\d+ +)?(\\d+) +(\\d+) +\\S+ +(-\\w{3}-) ([0-9a-f]{4}) (\\w{3}) (\\d\\d) "
        "+(\\d{4}) (.+)$"));
    std::vector<TLhaLine> out;
    for (const QString& text : FixtureLines(file)) {
        const auto m = line.match(text);
        if (!m.hasMatch()) continue;
        TLhaLine l;
        l.Member.Name = m.captured(8).replace(u'/', u'\\').toStdString();
        l.Member.Packed = m.captured(1).toLongLong();
        l.Member.Unpacked = m.captured(2).toLongLong();
        l.MethodId = m.captured(3).toStdString();
        l.Member.Crc = m.captured(4).toUInt(nullptr, 16);
        l.Member.Date = QStringLiteral("%1-%2-%3")
                            .arg(m.captured(7))
                            .arg(MonthNumber(m.captured(5)), 2, 10, QChar(u'0'))
                            .arg(m.captured(6))
                            .toStdString();
        const char code = l.MethodId[3];
        l.Member.Method = code == '0' ? "Stored"
                          : code >= '1' && code <= '5'
                              ? "Frozen-" + std::string(1, code)
                              : "Unknown";
        out.push_back(l);
    }
    return out;
}

} // namespace

TEST(LhaListing, EveryHeaderLevelMatchesTheArchiversListing)
{
    for (const char* name : {"level0.lzh", "level1.lzh", "level2.lzh"}) {
        SCOPED_TRACE(name);
        const std::vector<TLhaLine> lines = ParseLhaV(Lha(name) + ".lha-v.txt");
        ASSERT_EQ(lines.size(), 5u);

        // The walker sees every header, the folder entry too; lha counts only the data.
        TArchiveSource src;
        ASSERT_TRUE(src.Open(Lha(name)));
        std::vector<TLhaHeader> headers;
        for (int64_t pos = 0;;) {
            TLhaHeader h;
            if (!TLhaHeaders::Read(src, pos, h)) break;
            headers.push_back(h);
            pos = h.NextPos;
        }
        ASSERT_EQ(headers.size(), lines.size());
        std::vector<TExpected> expected;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(headers[i].MethodId, lines[i].MethodId);
            EXPECT_EQ(headers[i].DataSize, uint32_t(lines[i].Member.Packed));
            EXPECT_EQ(headers[i].DataPos + headers[i].DataSize, headers[i].NextPos);
            EXPECT_EQ(headers[i].IsFolder(), lines[i].Member.Name.back() == '\\');
            if (headers[i].IsFolder()) continue; // no file-name part: "*.*" skips it
            TExpected e = lines[i].Member;
            // Level 1 counts the extended headers in the packed size.
            e.Packed = headers[i].PackedSize;
            if (headers[i].Level != 1) {
                EXPECT_EQ(e.Packed, lines[i].Member.Packed);
            }
            expected.push_back(e);
        }
        const TListing got = ListArchive(Lha(name));
        EXPECT_EQ(got.Type, atLHA);
        EXPECT_TRUE(got.Result);
        EXPECT_TRUE(got.Errors.empty());
        ExpectListing(got, expected);
        for (const auto& m : got.Members) {
            EXPECT_EQ(m.Member.InternalAttr, 32);
            EXPECT_EQ(m.Member.ExternalAttr, 0x20u);
            EXPECT_EQ(m.Member.VersionMadeBy, 0);
        }
        ASSERT_EQ(got.Members.size(), 4u);
        EXPECT_EQ(got.Members[0].Member.Method, '0');
        EXPECT_EQ(got.Members[1].Member.Method, '5');
        // Levels 0 and 1 keep DOS times, level 2 UNIX times: both to the second here.
        EXPECT_EQ(FormatArchiveDateTime(got.Members[0].Member.MemberDate),
                  "2024-03-05 12:34:56");
    }
}

TEST(LhaListing, FolderFromTheExtendedHeaderOfLevelOne)
{
    // A level-1 header whose extended header names the folder SRC\UTIL (type 2, the
    // parts ended by FF), then the size 0 that ends the chain.
    const QByteArray name("MAIN.PAS");
    const QByteArray folder = QByteArray("\x02SRC\xffUTIL\xff", 10) + QByteArray(2, '\0');
    QByteArray h(22, '\0');
    h.replace(2, 5, "-lh0-");
    PutU32(h, 15, 0x5865645C); // DOS 2024-03-05 12:34:56
    h[19] = 0x20;
    h[20] = 1;
    h[21] = char(name.size());
    h += name + QByteArray("\x34\x12", 2) + 'M' + QByteArray(2, '\0'); // CRC, OS id
    PutU16(h, h.size() - 2, uint16_t(folder.size()));
    h[0] = char(h.size() - 2);
    const QByteArray data("program text");
    PutU32(h, 7, uint32_t(folder.size() + data.size()));
    PutU32(h, 11, uint32_t(data.size()));
    TScratch dir;
    const TListing got =
        ListArchive(dir.Write("folder.lzh", h + folder + data + QByteArray(1, '\0')));
    ASSERT_EQ(got.Members.size(), 1u);
    EXPECT_EQ(got.Members[0].Member.MemberName, "SRC\\UTIL\\MAIN.PAS");
    EXPECT_EQ(got.Members[0].Member.CRC, 0x1234u);
    EXPECT_EQ(got.Members[0].Member.PackedSize, folder.size() + data.size());
    EXPECT_EQ(FormatArchiveDateTime(got.Members[0].Member.MemberDate), "2024-03-05 12:34:56");
}
