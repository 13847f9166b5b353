// The mask match, size entries, extension lists, mask cleaning and DOS date packing.
#include "search/DosTime.h"
#include "search/ExtensionList.h"
#include "search/MaskMatch.h"
#include "search/SearchValidation.h"
#include "search/SizeValue.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(MaskMatch, Table)
{
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {"README", "*.*", true},   {"A.TXT", "*.*", true},      {"README", "*.", true},
        {"A.TXT", "*.", false},    {"A.B.TXT", "*.TXT", false}, {"BANANA.TXT", "*A.TXT", false},
        {"A", "A?", false},        {"AB", "A?", true},          {"readme.txt", "R*.TXT", true},
        {"README.TXT", "*", true}, {"", "*", true},             {"", "?", false},
        {"ABC", "A*", true},       {"ABC", "*C", true},         {"ABC", "*D", false},
        {"ABC", "ABC", true},      {"ABCD", "ABC", false},      {"ABC", "ABCD", false},
        {"a.tar.gz", "*.GZ", false}, {"a.gz", "*.GZ", true},    {"X.TXT", "?.TXT", true},
        {"NOEXT", "*.TXT", false}, {"éclair.txt", "É*.TXT", true},
        {"ÄÖ", "??", true}, // two characters, not four bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskMatch(QString::fromUtf8(c.name), QString::fromUtf8(c.mask)), c.match)
            << c.name << " / " << c.mask;
}

TEST(MaskMatch, StoredWindows1252NameMatchesUnicodeMask)
{
    const std::string name = "\xC9T\xC9.TXT"; // ÉTÉ.TXT in Windows-1252, not valid UTF-8
    EXPECT_TRUE(MaskMatch(std::string_view(name), MaskPattern(QStringLiteral("été.*"))));
    EXPECT_FALSE(MaskMatch(std::string_view(name), MaskPattern(QStringLiteral("ete.*"))));
}

TEST(SizeValue, ConversionTable)
{
    struct Case {
        const char* text;
        int unit;
        const char* newText;
        int newUnit;
        int32_t bytes;
    } cases[] = {
        {"2.5", suGB, "2560", suMB, -1}, // 2560 MB is past 2 GB - 1
        {"1.5", suGB, "1536", suMB, 1536 * 1024 * 1024},
        {"1.5", suMB, "1536", suKB, 1536 * 1024},
        {"10", suKB, "10", suKB, 10240},
        {"7.9", suBytes, "7", suBytes, 7},
        {"2", suGB, "2", suGB, -1},             // 2 GB does not fit
        {"2047.999", suMB, "2097150", suKB, 2097150 * 1024},
        {"abc", suKB, "0", suKB, 0},
        {"", suBytes, "0", suBytes, 0},
        {"-5", suKB, "0", suKB, 0},
        {"1,5", suKB, "1536", suBytes, 1536},
        {"999999999", suBytes, "999999999", suBytes, 999999999},
    };
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        int unit = c.unit;
        EXPECT_EQ(SizeValue(text, unit), c.bytes) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.newText)) << c.text;
        EXPECT_EQ(unit, c.newUnit) << c.text;
    }
    EXPECT_EQ(SizeValueBytes("3", suGB), int64_t(3) << 30);
    EXPECT_EQ(SizeValueBytes("999999999", suTB), INT64_MAX);
}

TEST(ExtensionList, BuildingAndNormalizing)
{
    EXPECT_EQ(ExtensionListString("txt, .DOC,*.htm"), QString(".txt\x01.DOC\x01.htm\x01"));
    EXPECT_EQ(ExtensionListString(" , ,"), QString());
    EXPECT_EQ(NormalizeExtensionText("*.TXT, doc"), QString("TXT,doc"));
    EXPECT_EQ(NormalizeExtensionText("a.b.c"), QString("c"));
    std::string buffer;
    EXPECT_EQ(ExtensionKey("notes.Txt", buffer), std::string(".TXT\x01"));
    EXPECT_EQ(ExtensionKey("TXT", buffer), std::string());
    EXPECT_EQ(ExtensionKey("a.tar.gz", buffer), std::string(".GZ\x01"));
}

TEST(CleanMask, Table)
{
    EXPECT_EQ(CleanMask("**?*.TXT"), QString("*.TXT"));
    EXPECT_EQ(CleanMask(",/\\"), QString());
    EXPECT_EQ(CleanMask("A?*B"), QString("A?*B"));
    EXPECT_EQ(CleanMask("*?a"), QString("*a"));
    EXPECT_EQ(CleanMask("c:\\dir/*.*"), QString("c:dir*.*"));
}

TEST(DosTime, PackingAndDayCounts)
{
    EXPECT_EQ(PackDosDate(QDate(1980, 1, 1)), 0x00210000u);
    EXPECT_EQ(PackDosDate(QDate(1979, 12, 31)), 0u);
    EXPECT_EQ(PackDosDate(QDate(2100, 1, 1)), 0u);
    const uint32_t packed = PackDosDateTime(QDate(2024, 5, 17), QTime(13, 45, 30));
    EXPECT_EQ(DosDate(packed), QDate(2024, 5, 17));
    EXPECT_EQ(DosTime(packed), QTime(13, 45, 30));
    EXPECT_DOUBLE_EQ(DosTimeOfDay(packed), (13 * 3600 + 45 * 60 + 30) / 86400.0);
    // 45000.75 days after 30 Dec 1899 is 15 March 2023, 18:00.
    EXPECT_EQ(DosFromDayCount(45000.75), PackDosDateTime(QDate(2023, 3, 15), QTime(18, 0)));
    EXPECT_EQ(DosFromDayCount(1000), 0u); // 1902
}
