// The small rules of the archive frame: kinds from names, wildcards, ratio, dates,
// signatures and error texts.

#include "archive/ArchiveDates.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveKinds.h"
#include "archive/ArchiveMember.h"
#include "archive/SignatureClassifier.h"
#include "archive/Wildcard.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quorvex;

TEST(ArchiveKind, FromExtensionWithVolumeDigits)
{
    const struct {
        const char* name;
        int kind;
    } cases[] = {
        {"DATA.Z01", akZIP},
        {"DATA.A99", akARJ},
        {"data.r00", akRAR},
        {"DATA.R7X", akNone},
        {"DATA.TGZ", akNone},
        {"backup.tar.gz", akGZ},
        {"old.z", akZ},
        {"C:\\x.y\\SETUP.EXE", akEXE},
        {"/m/dir.zip/README", akNone},
        {"noext", akNone},
        {"a.lzh", akLZH},
        {"a.ha", akHA},
        {"a.C01", akNone},
        {"a.Z1", akNone},
        {"a.zoo", akZOO},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArchiveKindOfName(QString::fromLatin1(c.name)), c.kind) << c.name;
    EXPECT_TRUE(ArchiveKindRow(akRAR).MemberListExtraction);
    EXPECT_FALSE(ArchiveKindRow(akCAB).Extractable);
    EXPECT_TRUE(ArchiveKindRow(akZOO).CommentImportable);

    TArchiveKindSwitches switches;
    EXPECT_TRUE(switches.Enabled(akZ));
    switches.SetEnabled(akZ, false);
    EXPECT_FALSE(switches.Enabled(akZ));
    EXPECT_FALSE(switches.Enabled(0));
    EXPECT_FALSE(switches.Enabled(15));
}

TEST(Wildcard, FileNamePartsBothSidesCaseFolded)
{
    const struct {
        const char* name;
        const char* spec;
        bool match;
    } cases[] = {
        {"docs\\a.txt", "*.TXT", true},
        {"a.TXT.bak", "*.TXT", false},
        {"README", "*.*", true},
        {"", "*.*", false},
        {"docs\\", "*.*", false},
        {"a/b/c.doc", "C.DOC", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"file.", "FILE", true},
        {"x.txt", "*", true},
        {"a*", "abc", true},
        {"a?c", "abc", true},
        {"name.tar.gz", "*.gz", true},
        {"name.gz", "*.tar.gz", false},
        {"FILE_ID.DIZ", "file_id.diz", true},
        {"a.txt", "", false},
        {"abcde", "a*e", true},
        {"abcde", "a*d", false},
        {"a.txt", "folder\\*.txt", true},
        {"a.txt", "folder\\", false},
        {".", "*.*", false},
        {"x\\.", "*.*", false},
        {".", "*", true},
        {"", "*", true},
        {"x.", "*.*", true},
        {"d/", "*", false},
        {"..", "*.*", true},
        {".", "*.?", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.name, c.spec), c.match) << c.name << " vs " << c.spec;
}

TEST(Wildcard, ManyStarsStayFast)
{
    const std::string stars(4000, '*');
    EXPECT_FALSE(WildcardMatch(stars + "x", std::string(200, '*') + "y"));
    EXPECT_TRUE(WildcardMatch(std::string(60000, 'a'), "*a*a*a*a*a*a*a"));
}

TEST(Ratio, PercentSavedWithSmallSavingsShownAsOne)
{
    const struct {
        uint32_t packed, unpacked;
        int ratio;
    } cases[] = {
        {50, 100, 50},         {999999, 1000000, 1}, {120, 100, 0},
        {0, 100, 0},           {100, 0, 0},          {1, 3, 66},
        {100, 100, 0},         {1000, 5000000, 99},  {0xFFFFFFF0u, 0xFFFFFFFFu, 1},
        {1, 0xFFFFFFFFu, 100}, // both divided by 100 first
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompressionRatio(c.packed, c.unpacked), c.ratio) << c.packed << "/" << c.unpacked;
}

TEST(Dates, DosAndUnixConversions)
{
    EXPECT_EQ(DosDateTimeToDateTime(0), NullArchiveDate);
    // 2024-03-05 12:34:56
    const uint32_t dos = uint32_t((44 << 9 | 3 << 5 | 5) << 16 | (12 << 11 | 34 << 5 | 28));
    EXPECT_EQ(FormatArchiveDateTime(DosDateTimeToDateTime(dos)), "2024-03-05 12:34:56");
    EXPECT_EQ(
        FormatArchiveDateTime(DosDateTimeToDateTime(SwapDateTimeHalves(SwapDateTimeHalves(dos)))),
        "2024-03-05 12:34:56");
    // month 13, 30 February, hour 24, 60 seconds: not dates
    for (uint32_t bad :
         {uint32_t((44 << 9 | 13 << 5 | 1) << 16), uint32_t((44 << 9 | 2 << 5 | 30) << 16),
          uint32_t((44 << 9 | 1 << 5 | 1) << 16 | 24 << 11),
          uint32_t((44 << 9 | 1 << 5 | 1) << 16 | 30)})
        EXPECT_EQ(DosDateTimeToDateTime(bad), NullArchiveDate) << std::hex << bad;
    EXPECT_EQ(FormatArchiveDateTime(DosDateTimeToDateTime(uint32_t((44 << 9 | 2 << 5 | 29) << 16))),
              "2024-02-29 00:00:00");

    SetTimeZoneBiasSeconds(0);
    EXPECT_EQ(FormatArchiveDateTime(UnixTimeToDateTime(1709642096)), "2024-03-05 12:34:56");
    EXPECT_EQ(FormatArchiveDateTime(UnixTimeToDateTime(-1709642096)), "2024-03-05 12:34:56");
    EXPECT_EQ(UnixTimeToDateTime(0), NullArchiveDate); // 1970 is before DOS dates
    SetTimeZoneBiasSeconds(-3600);                     // one hour east of UTC
    EXPECT_EQ(FormatArchiveDateTime(UnixTimeToDateTime(1709642096)), "2024-03-05 13:34:56");
    SetTimeZoneBiasSeconds(0);

    EXPECT_EQ(DosDateTimeOf(QDateTime(QDate(1979, 12, 31), QTime(23, 0))), NullArchiveDosDate);
    EXPECT_EQ(uint32_t(DosDateTimeOf(QDateTime(QDate(2024, 3, 5), QTime(12, 34, 56)))), dos);
}

TEST(Signature, PlainAndExecutableModes)
{
    const struct {
        uint8_t bytes[4];
        TArcType plain, exe;
    } cases[] = {
        {{'P', 'K', 3, 4}, atZIP, atZipExe},
        {{'M', 'S', 'C', 'F'}, atCAB, atNA},
        {{0, 0, 0, 0x50}, atZip250, atZip250Exe},
        {{'B', 'H', 5, 7}, atBH, atBHExe},
        {{'H', 'A', 2, 0}, atHA, atNA},
        {{0x1F, 0x8B, 8, 0}, atGZip, atNA},
        {{0x1F, 0x9D, 0x90, 0}, atGZip, atNA},
        {{0x1F, 0xA0, 0, 0}, atGZip, atNA},
        {{0x60, 0xEA, 0, 0}, atARJ, atArjExe},
        {{'Z', 'O', 'O', ' '}, atZOO, atNA},
        {{0x22, 0, '-', 'l'}, atLHA, atLhaExe},
        {{'R', 'a', 'r', '!'}, atRAR, atRarExe},
        {{0x1A, 0x0B, 0, 0}, atPAK, atPakExe},
        {{0x1A, 0x08, 0, 0}, atARC, atArcExe},
        {{0x1A, 0x02, 0, 0}, atUnknown, atUnknown},
        {{'M', 'Z', 0, 0}, atUnknown, atUnknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifySignature(c.bytes, TSignatureMode::Plain).Type, c.plain)
            << int(c.bytes[0]);
        EXPECT_EQ(ClassifySignature(c.bytes, TSignatureMode::Executable).Type, c.exe)
            << int(c.bytes[0]);
    }
    const uint8_t arcExe[4] = {0xB7, 0xDF, 0, 0};
    const TSignatureResult r = ClassifySignature(arcExe, TSignatureMode::Plain);
    EXPECT_EQ(r.Type, atArcExe);
    EXPECT_EQ(r.StartOffset, 7717);
}

TEST(ArchiveErrors, TextsAndException)
{
    EXPECT_STREQ(ArchiveErrorText(25137), "Header ID error");
    EXPECT_STREQ(ArchiveErrorText(26999), "Nothing to do");
    EXPECT_STREQ(ArchiveErrorText(25108), "Bad file header");
    EXPECT_STREQ(ArchiveErrorText(12345), "");
    try {
        throw E_RAISE(E_READ);
    } catch (const E_RAISE& e) {
        EXPECT_EQ(e.Code(), 25135);
        EXPECT_STREQ(e.what(), "Error reading file or unexpected end of file");
    }
}
