#include "config/CommaText.h"
#include "config/FontRecords.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(CommaText, ListsRoundTripWithQuotesWhereNeeded)
{
    const std::pair<QStringList, QString> cases[] = {
        {{}, ""},
        {{"a.ctf"}, "a.ctf"},
        {{"a.ctf", "b.ctf"}, "a.ctf,b.ctf"},
        {{"/my disks/x.ctf", "c,d.ctf"}, "\"/my disks/x.ctf\",\"c,d.ctf\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"", "x"}, ",x"},
        {{""}, "\"\""},
        {{"\xC3\xA9t\xC3\xA9"}, "\xC3\xA9t\xC3\xA9"},
    };
    for (const auto& [list, text] : cases) {
        EXPECT_EQ(ToCommaText(list), text);
        EXPECT_EQ(FromCommaText(text), list) << text.toStdString();
    }
}

TEST(CommaText, HandWrittenTextIsSplitAtCommasAndBlanks)
{
    EXPECT_EQ(FromCommaText(" a , b,,c "), QStringList({"a", "b", "", "c"}));
    EXPECT_EQ(FromCommaText("a b"), QStringList({"a", "b"}));
    EXPECT_EQ(FromCommaText("a,"), QStringList({"a", ""}));
    EXPECT_EQ(FromCommaText("\"unterminated"), QStringList({"unterminated"}));
}

TEST(FontRecords, SlotRecordIsNameLengthPlusSeven)
{
    const TFontSlot font{true, -15, fsBold | fsItalic, "Courier New"};
    const QByteArray record = EncodeFontSlotRecord(font);
    EXPECT_EQ(record.toHex(), QByteArray("f1ffffff030b436f7572696572204e657700"));
    TFontSlot back = *DecodeFontSlotRecord(record);
    back.UseCustom = true;
    EXPECT_EQ(back, font);
    // the trailing byte is not needed; a name running past the end is refused
    EXPECT_TRUE(DecodeFontSlotRecord(record.left(record.size() - 1)));
    EXPECT_FALSE(DecodeFontSlotRecord(record.left(record.size() - 2)));
    EXPECT_FALSE(DecodeFontSlotRecord(QByteArray(5, 0)));
}

TEST(FontRecords, LongAndForeignNamesAreKeptWithinTheirLengthByte)
{
    const QString longName(300, QChar(0x00E9)); // two UTF-8 bytes each
    const QByteArray record = EncodeFontSlotRecord(TFontSlot{false, 1, 0, longName});
    EXPECT_EQ(uint8_t(record[5]), 254); // 127 whole characters
    EXPECT_EQ(DecodeFontSlotRecord(record)->Face, longName.left(127));
    // a name stored in a single-byte code page
    EXPECT_EQ(DecodeStoredText(QByteArray("Caf\xE9")), QString("Caf") + QChar(0xE9));
}

TEST(FontRecords, ReportFontRecordIsNameLengthPlusEleven)
{
    const TReportFont font{0x80000008u, 10, fsBold | fsItalic, "Arial"};
    const QByteArray record = EncodeReportFontRecord(font);
    EXPECT_EQ(record.size(), 16);
    EXPECT_EQ(*DecodeReportFontRecord(record), font);
    EXPECT_FALSE(DecodeReportFontRecord(record.left(14)));
    QByteArray zeroSize = record;
    zeroSize[4] = 0;
    EXPECT_FALSE(DecodeReportFontRecord(zeroSize));
}
