// The listing component's rules (events, FileSpec, state between archives) and how each
// reader ends on damaged input: members so far kept, an error code, nothing more.

#include "ListingHelpers.h"

#include "archive/ArchiveKinds.h"
#include "archive/TarHeader.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

// Offset of the end-of-central-directory record (the last one in the file).
qsizetype EndRecord(const QByteArray& zip)
{
    return zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
}

qsizetype CentralHeader(const QByteArray& zip, int index)
{
    qsizetype at = -1;
    for (int i = 0; i <= index; ++i)
        at = zip.indexOf(QByteArray("PK\x01\x02", 4), at + 1);
    return at;
}

void FixTarChecksum(QByteArray& tar, qsizetype header)
{
    for (int i = 148; i < 156; ++i)
        tar[header + i] = ' ';
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i)
        sum += uint8_t(tar[header + i]);
    const QByteArray field =
        QByteArray::number(sum, 8).rightJustified(6, '0') + QByteArray("\0 ", 2);
    tar.replace(header + 148, 8, field);
}

std::vector<std::string> Names(const TListing& l)
{
    std::vector<std::string> out;
    for (const auto& m : l.Members)
        out.push_back(m.Member.MemberName);
    return out;
}

} // namespace

TEST(Lister, NoFileSetOrMissingFile)
{
    TArchiveLister lister;
    TListing none = ListArchive(lister, QString());
    EXPECT_TRUE(none.Result);
    EXPECT_TRUE(none.Events.empty());

    lister.SetArchiveFile(Fixture("stored.zip"));
    EXPECT_EQ(lister.ArcType(), atZIP);
    lister.SetArchiveFile(Fixture("no-such-file.zip"));
    EXPECT_TRUE(lister.ArchiveFile().isEmpty());
    EXPECT_EQ(lister.ArcType(), atNA);
    EXPECT_EQ(lister.State().ArchiveSize, 0);
    EXPECT_TRUE(ListArchive(lister, QString()).Result);

    lister.SetArchiveFile(Fixture("stored.zip"));
    lister.SetArchiveFile(QString()); // keeps the name, detects again
    EXPECT_EQ(lister.ArchiveFile(), QDir::toNativeSeparators(Fixture("stored.zip")));
    EXPECT_EQ(lister.ArcType(), atZIP);
    EXPECT_EQ(lister.State().StartOffset, 1);
    EXPECT_EQ(lister.State().ArchiveSize, ReadBytes(Fixture("stored.zip")).size());
}

TEST(Lister, ErrorsBeforeListing)
{
    TScratch dir;
    const TListing tiny = ListArchive(dir.Write("tiny.zip", "PK\x03\x04\x00"));
    EXPECT_EQ(tiny.Type, atFileError);
    EXPECT_FALSE(tiny.Result);
    EXPECT_EQ(tiny.Errors, std::vector<int>{25137});
    EXPECT_TRUE(tiny.Members.empty());

    const TListing unknown = ListArchive(dir.Write("plain.zip", QByteArray(600, 'x')));
    EXPECT_EQ(unknown.Type, atUnknown);
    EXPECT_EQ(unknown.Errors, std::vector<int>{25202});

    // Recognised, but no header of its format follows: nothing listed, no error.
    const TListing arj =
        ListArchive(dir.Write("a.arj", QByteArray("\x60\xea\x22\x00", 4) + QByteArray(60, '\0')));
    EXPECT_EQ(arj.Type, atARJ);
    EXPECT_TRUE(arj.Errors.empty());
    EXPECT_TRUE(arj.Members.empty());
    // Every type that detection gives has a directory reader.
    for (int t = atARJ; t <= atZOO; ++t)
        EXPECT_NE(MakeDirectoryReader(TArcType(t)), nullptr) << ArcTypeName(TArcType(t));

    TArchiveLister lister;
    lister.SetArchiveFile(Fixture("stored.zip"));
    std::vector<int> errors;
    lister.OnError = [&](TZipCommon&, const QString& fn, const QString& volume, int code) {
        errors.push_back(code);
        EXPECT_EQ(fn, lister.ArchiveFile());
        EXPECT_EQ(volume, "0");
    };
    EXPECT_FALSE(lister.Activate()); // OnRead not assigned
    EXPECT_EQ(errors, std::vector<int>{25171});
}

TEST(Lister, ContentDecidesTypeNotName)
{
    TScratch dir;
    const QByteArray zip = ReadBytes(Fixture("stored.zip"));
    const QString arj = dir.Write("really-zip.ARJ", zip);
    EXPECT_EQ(ArchiveKindOfName(arj), akARJ);
    const TListing listed = ListArchive(arj);
    EXPECT_EQ(listed.Type, atZIP);
    EXPECT_EQ(listed.Members.size(), 5u);

    const QByteArray tar = ReadBytes(Fixture("gnu.tar"));
    EXPECT_EQ(ListArchive(dir.Write("same.dat", tar)).Type, atUnknown); // never tar-tested
    EXPECT_EQ(ListArchive(dir.Write("same.Tar", tar)).Type, atTAR);
    QByteArray badSum = tar;
    badSum[148] = '7';
    const TListing bad = ListArchive(dir.Write("bad.tar", badSum));
    EXPECT_EQ(bad.Type, atUnknown);
    EXPECT_EQ(bad.Errors, std::vector<int>{25202});
}

TEST(Lister, EventsInOrderWithOffsetsAndNumbers)
{
    const TListing l = ListArchive(Fixture("gnu.tar"), QStringLiteral("*.txt"));
    ASSERT_FALSE(l.Members.empty());
    std::vector<std::string> expected = {"Activate"};
    for (size_t i = 0; i < l.Members.size(); ++i) {
        expected.insert(expected.end(), {"ReadBegin", "Read", "ReadEnd"});
        EXPECT_EQ(l.Members[i].Filenum, int(i + 1));
    }
    expected.insert(expected.end(), {"Totals", "Deactivate"});
    EXPECT_EQ(l.Events, expected);
    EXPECT_EQ(l.Totals, int(l.Members.size()));
}

TEST(Lister, FileSpecSelectsByFileNamePart)
{
    TArchiveLister lister;
    lister.SetFileSpec(QStringLiteral("some/folder\\*.TXT"));
    EXPECT_EQ(lister.FileSpec(), QStringLiteral("*.TXT"));
    const TListing txt = ListArchive(lister, Fixture("gnu.tar"));
    EXPECT_TRUE(txt.Result);
    for (const auto& name : Names(txt))
        EXPECT_EQ(name.substr(name.size() - 4), ".txt");
    EXPECT_EQ(txt.Members.size(), 6u); // readme left out, members after it still listed
    EXPECT_EQ(txt.Totals, 6);

    const TListing readme = ListArchive(Fixture("stored.zip"), QStringLiteral("README"));
    EXPECT_EQ(Names(readme), std::vector<std::string>{"readme"});

    // A ZIP with no member matching ends with "Bad file header".
    const TListing none = ListArchive(Fixture("stored.zip"), QStringLiteral("*.exe"));
    EXPECT_FALSE(none.Result);
    EXPECT_EQ(none.Errors, std::vector<int>{25108});
    EXPECT_TRUE(none.Members.empty());
    EXPECT_EQ(none.Totals, -1);
}

TEST(Lister, NothingLeaksFromOneArchiveToTheNext)
{
    TArchiveLister lister;
    const TListing first = ListArchive(lister, Fixture("comments.zip"));
    ASSERT_EQ(first.Members.size(), 3u);
    EXPECT_FALSE(first.Comment.empty());

    const TListing second = ListArchive(lister, Fixture("stored.zip"));
    EXPECT_TRUE(second.Comment.empty());
    for (const auto& m : second.Members)
        EXPECT_TRUE(m.Member.MemberComment.empty());

    const TListing gz = ListArchive(lister, Fixture("notes.txt.gz"));
    ASSERT_EQ(gz.Members.size(), 1u);
    const TArchiveMember& m = gz.Members[0].Member;
    EXPECT_EQ(m.VersionMadeBy, 0);
    EXPECT_EQ(m.VersionNeeded, 0);
    EXPECT_EQ(m.InternalAttr, 0);
    EXPECT_EQ(m.CompressOption, 0);
    EXPECT_TRUE(m.MemberComment.empty());

    const TListing tar = ListArchive(lister, Fixture("ustar.tar"));
    for (const auto& t : tar.Members) {
        EXPECT_EQ(t.Member.ExternalAttr, 0u);
        EXPECT_EQ(t.Member.Method, 0);
    }
    EXPECT_TRUE(lister.State().ArchiveComment.empty());
}

TEST(BadZip, EndRecordMissingOrPointingNowhere)
{
    TScratch dir;
    const QByteArray zip = ReadBytes(Fixture("stored.zip"));
    const qsizetype end = EndRecord(zip);

    // A comment of 40 000 bytes puts the record outside the 32 KiB window.
    QByteArray bigComment = zip;
    PutU16(bigComment, end + 20, 40000);
    bigComment.append(QByteArray(40000, 'c'));
    EXPECT_EQ(ListArchive(dir.Write("big.zip", bigComment)).Errors, std::vector<int>{25137});

    QByteArray pastEnd = zip;
    PutU32(pastEnd, end + 16, uint32_t(zip.size() + 1000));
    EXPECT_EQ(ListArchive(dir.Write("past.zip", pastEnd)).Errors, std::vector<int>{25137});
    PutU32(pastEnd, end + 16, 0xFFFFFFFFu); // as a 64-bit archive marks it
    EXPECT_EQ(ListArchive(dir.Write("zip64.zip", pastEnd)).Errors, std::vector<int>{25137});

    // Cut in the middle of the central directory: the end record is gone.
    const TListing cut = ListArchive(dir.Write("cut.zip", zip.left(CentralHeader(zip, 2) + 10)));
    EXPECT_FALSE(cut.Result);
    EXPECT_EQ(cut.Errors, std::vector<int>{25137});
}

TEST(BadZip, DamagedCentralDirectoryKeepsMembersBefore)
{
    TScratch dir;
    const QByteArray zip = ReadBytes(Fixture("stored.zip"));
    const qsizetype end = EndRecord(zip);

    // The third header's name runs past the end of the file.
    QByteArray longName = zip;
    PutU16(longName, CentralHeader(zip, 2) + 28, 0xFFFF);
    const TListing l1 = ListArchive(dir.Write("name.zip", longName));
    EXPECT_FALSE(l1.Result);
    EXPECT_EQ(l1.Errors, std::vector<int>{25135});
    EXPECT_EQ(l1.Members.size(), 1u); // readme; the second header is the folder docs/

    // A comment length beyond the file on the last header.
    QByteArray longComment = zip;
    PutU16(longComment, CentralHeader(zip, 6) + 32, 0xFFFF);
    const TListing l2 = ListArchive(dir.Write("comment.zip", longComment));
    EXPECT_EQ(l2.Errors, std::vector<int>{25135});
    EXPECT_EQ(l2.Members.size(), 5u);

    // A wrong signature in the middle ends the listing quietly.
    QByteArray broken = zip;
    broken[CentralHeader(zip, 3)] = 'X';
    const TListing l3 = ListArchive(dir.Write("broken.zip", broken));
    EXPECT_TRUE(l3.Result);
    EXPECT_EQ(l3.Members.size(), 2u);

    // The stored member count is not what the listing goes by.
    QByteArray huge = zip;
    PutU16(huge, end + 8, 0xFFFF);
    PutU16(huge, end + 10, 0xFFFF);
    const TListing l4 = ListArchive(dir.Write("count.zip", huge));
    EXPECT_TRUE(l4.Result);
    EXPECT_EQ(l4.Members.size(), 5u);

    // An archive comment cut by the end of the file keeps what is there.
    QByteArray shortComment = zip;
    PutU16(shortComment, end + 20, 500);
    shortComment.append("tail");
    const TListing l5 = ListArchive(dir.Write("shortcomment.zip", shortComment));
    EXPECT_EQ(l5.Comment, "tail");
}

TEST(BadTar, JunkSizesAndTruncation)
{
    TScratch dir;
    const QByteArray tar = ReadBytes(Fixture("volume.tar")); // label, readme, docs/a.txt
    const qsizetype second = 1536;                           // the header of docs/a.txt
    ASSERT_EQ(tar.mid(second, 10), QByteArray("docs/a.txt"));

    // A size beyond the end of the file, checksum made right.
    QByteArray huge = tar;
    huge.replace(second + 124, 12, QByteArray("77777777777\0", 12));
    FixTarChecksum(huge, second);
    const TListing l1 = ListArchive(dir.Write("huge.tar", huge));
    EXPECT_EQ(Names(l1), std::vector<std::string>{"readme"});
    EXPECT_EQ(l1.Errors, std::vector<int>{25135});

    // Letters only: a size of 0, so the member's data would be taken for the next header.
    QByteArray letters = tar;
    letters.replace(second + 124, 12, QByteArray("zzzzzzzzzzz\0", 12));
    FixTarChecksum(letters, second);
    const TListing l2 = ListArchive(dir.Write("letters.tar", letters));
    EXPECT_EQ(l2.Members.size(), 2u);
    EXPECT_EQ(l2.Members[1].Member.UnpackedSize, 0);
    EXPECT_EQ(l2.Errors, std::vector<int>{25108});

    // Junk without a matching checksum is not a header.
    QByteArray junk = tar;
    junk.replace(second + 124, 12, QByteArray("\xff\xfe junk!!!!\x01", 12));
    const TListing l3 = ListArchive(dir.Write("junk.tar", junk));
    EXPECT_EQ(Names(l3), std::vector<std::string>{"readme"});
    EXPECT_EQ(l3.Errors, std::vector<int>{25108});

    // Cut inside the data of the last member.
    const TListing l4 = ListArchive(dir.Write("cut.tar", tar.left(second + 512 + 700)));
    EXPECT_EQ(Names(l4), std::vector<std::string>{"readme"});
    EXPECT_EQ(l4.Errors, std::vector<int>{25135});
}

TEST(BadTar, SizeZeroAndOneAndFolders)
{
    // Built by hand: docs/ (folder), a (size 0), b (size 1), c.
    QByteArray tar;
    auto add = [&](const char* name, char type, const QByteArray& data) {
        QByteArray h(512, '\0');
        h.replace(0, int(strlen(name)), name);
        h.replace(100, 8, QByteArray("0000644\0", 8));
        h.replace(124, 12, QByteArray::number(data.size(), 8).rightJustified(11, '0') + '\0');
        h.replace(136, 12, QByteArray("14576354140\0", 12));
        h[156] = type;
        h.replace(257, 6, QByteArray("ustar\0", 6));
        FixTarChecksum(h, 0);
        tar += h + data + QByteArray((512 - data.size() % 512) % 512, '\0');
    };
    add("docs/", '5', {});
    add("docs/a.txt", '0', {});
    add("b", '0', "x");
    add("c", '\0', "yy");
    tar += QByteArray(1024, '\0');
    TScratch dir;
    const TListing l = ListArchive(dir.Write("hand.tar", tar));
    EXPECT_TRUE(l.Result);
    ASSERT_EQ(Names(l), (std::vector<std::string>{"docs\\a.txt", "b", "c"}));
    EXPECT_EQ(l.Members[0].Offset, 512);
    EXPECT_EQ(l.Members[1].Offset, 1024); // right after a size-0 member
    EXPECT_EQ(l.Members[2].Offset, 2048); // 512 later after a size-1 member
}

TEST(BadGzip, ExtraFieldOrFileTooShort)
{
    TScratch dir;
    QByteArray gz = ReadBytes(Fixture("notes.txt.gz"));
    QByteArray extra = gz;
    extra[3] = char(extra[3] | 0x04);
    extra.insert(10, QByteArray("\xff\xff", 2)); // XLEN 65535 in a 70-byte file
    const TListing l1 = ListArchive(dir.Write("extra.gz", extra));
    EXPECT_FALSE(l1.Result);
    EXPECT_EQ(l1.Errors, std::vector<int>{25135});
    EXPECT_TRUE(l1.Members.empty());

    const TListing l2 = ListArchive(dir.Write("short.gz", gz.left(12)));
    EXPECT_EQ(l2.Errors, std::vector<int>{25135});

    // The name without NUL stops at the trailer, not past the file.
    QByteArray noNul = gz.left(10);
    noNul[3] = 0x08;
    noNul += QByteArray(300, 'n') + QByteArray(8, '\0');
    const TListing l3 = ListArchive(dir.Write("nonul.gz", noNul));
    ASSERT_EQ(l3.Members.size(), 1u);
    EXPECT_EQ(l3.Members[0].Member.MemberName, std::string(255, 'n'));
}
