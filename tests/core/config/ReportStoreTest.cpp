#include "config/Extended80.h"
#include "config/ReportStore.h"
#include "platform/SettingsStoreMemory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorvex;

TEST(Extended80, KnownEncodingsAndRoundTrips)
{
    EXPECT_EQ(EncodeExtended80(10.0).toHex(), QByteArray("00000000000000a00240"));
    EXPECT_EQ(EncodeExtended80(1.0).toHex(), QByteArray("0000000000000080ff3f"));
    EXPECT_EQ(EncodeExtended80(-2.5).toHex(), QByteArray("00000000000000a000c0"));
    EXPECT_EQ(EncodeExtended80(0.0).toHex(), QByteArray("00000000000000000000"));
    for (double v : {10.0, 0.39, 25.4, -1e-300, 1e300, 5e-324, 123456.789})
        EXPECT_EQ(*DecodeExtended80(EncodeExtended80(v)), v) << v;
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isinf(*DecodeExtended80(EncodeExtended80(infinity))));
    EXPECT_TRUE(std::isnan(*DecodeExtended80(EncodeExtended80(std::nan("")))));
    // beyond the range of a double
    EXPECT_TRUE(std::isinf(*DecodeExtended80(QByteArray::fromHex("0000000000000080fe7f"))));
    EXPECT_EQ(*DecodeExtended80(QByteArray::fromHex("00000000000000800100")), 0.0);
    EXPECT_FALSE(DecodeExtended80(QByteArray(9, 0)));
}

TEST(ReportSettings, WithoutAStoreEverySectionIsPrintedInLandscapeMillimetres)
{
    TMemorySettingsStore store;
    TReportSettings s = TReportSettings::Defaults();
    LoadReportSettings(store, s);
    EXPECT_EQ(s, TReportSettings::Defaults());
    for (int section = 1; section <= ReportSectionCount; ++section)
        EXPECT_TRUE(s.Section(section).Included) << section;
    EXPECT_FALSE(s.Portrait);
    EXPECT_EQ(s.Units, ruMillimetres);
    EXPECT_EQ(s.Margins, (std::array<double, 4>{10, 10, 10, 10}));
    EXPECT_EQ(s.PaperIndex, 0);
    EXPECT_TRUE(s.IncludeIcons);
    EXPECT_EQ(EncodeReportSettingsWord(s), 15u);
    EXPECT_EQ(s.Section(rsCatalogHeading).Font,
              (TReportFont{SystemColorWindowText, 16, fsBold | fsItalic, "Arial"}));
    EXPECT_EQ(s.Section(rsCatalogHeading).BackColor, ColorYellow);
    EXPECT_EQ(ReportFontValueName(rsCatalogHeading), "ReportFont7");
    EXPECT_EQ(ReportFontValueName(rsPageFooter), "ReportFont6");
}

TEST(ReportSettings, EveryValueRoundTrips)
{
    TMemorySettingsStore store;
    TReportSettings s = TReportSettings::Defaults();
    s.Section(rsColumnHeaders).Included = false;
    s.Section(rsPageHeader).Included = false;
    s.Section(rsDiskHeading).Font = TReportFont{0x00112233, 9, fsUnderline, "DejaVu Sans"};
    s.Section(rsPageFooter).BackColor = 0x00C0C0C0;
    s.Units = ruInches;
    s.Margins = {0.39, 0.5, 1.25, 2.0};
    s.PaperIndex = 67;
    s.Portrait = true;
    s.IncludeIcons = false;
    s.Printer = "Office Laser";
    ASSERT_TRUE(SaveReportSettings(store, s));
    EXPECT_EQ(store.ReadBinary("ReportGen", "ReportFont8")->size(), 11 + 11);
    EXPECT_EQ(store.ReadBinary("ReportGen", "SectionColors")->size(), 36);
    EXPECT_EQ(store.ReadWord("ReportGen", "Settings"), 0x0Eu | 0x80u | 0x100u | 1u << 9 | 1u << 11);

    TReportSettings back = TReportSettings::Defaults();
    LoadReportSettings(store, back);
    EXPECT_EQ(back, s);
}

TEST(ReportSettings, ValuesOfTheWrongSizeAreIgnored)
{
    TMemorySettingsStore store;
    store.Put("ReportGen", "Settings", QByteArray(2, 0));
    store.Put("ReportGen", "TopMargin", QByteArray(8, 0));
    store.Put("ReportGen", "LeftMargin", QByteArray::fromHex("0000000000000000ff7f")); // not finite
    store.Put("ReportGen", "PaperSize", QByteArray(1, char(68)));
    // a name of 10 characters announced, 1 there
    store.Put("ReportGen", "ReportFont4", QByteArray::fromHex("0000000009000000000a41"));
    store.Put("ReportGen", "ReportFont5", QByteArray(266, 1));
    store.Put("ReportGen", "SectionColors", QByteArray(35, 0));
    store.Put("ReportGen", "Printer", QByteArray("bytes"));
    TReportSettings s = TReportSettings::Defaults();
    LoadReportSettings(store, s);
    EXPECT_EQ(s, TReportSettings::Defaults());

    store.Put("ReportGen", "Settings", QByteArray::fromHex("f0000000")); // every heading off
    LoadReportSettings(store, s);
    EXPECT_TRUE(s.Section(rsReportDetails).Included); // it has no bit: always printed
    EXPECT_FALSE(s.Section(rsColumnHeaders).Included);
    EXPECT_FALSE(s.Section(rsCatalogHeading).Included);
    EXPECT_FALSE(s.Section(rsPageHeader).Included);
}

TEST(ReportGenSettings, DefaultsRoundTripAndDamageIsRefused)
{
    TMemorySettingsStore store;
    TReportGenSettings g;
    LoadReportGenSettings(store, g);
    EXPECT_EQ(g, TReportGenSettings());
    EXPECT_TRUE(g.ToPrinter());
    EXPECT_TRUE(g.ReplaceDelimiterChecked());
    EXPECT_EQ(g.TextLayout(), tlSpaceAligned);
    EXPECT_TRUE(g.CatalogHeadings());
    EXPECT_FALSE(g.FolderHeadings());
    EXPECT_EQ(g.ReplaceDelimiter, "_");

    g.Columns[2][0] = -3;
    g.Columns[2][2] = 1;
    g.MainSettings = 0x100 | 0x10;
    g.ReplaceDelimiter = "--";
    ASSERT_TRUE(SaveReportGenSettings(store, g));
    EXPECT_EQ(store.ReadBinary("ReportGen", "Columns")->size(), 90);
    TReportGenSettings back;
    LoadReportGenSettings(store, back);
    EXPECT_EQ(back, g);
    EXPECT_EQ(back.TextLayout(), tlComma);

    QByteArray columns = *store.ReadBinary("ReportGen", "Columns");
    columns[15] = 16; // source 1 names a column that does not exist
    columns[31] = 1;  // source 2 names column 1 twice
    store.Put("ReportGen", "Columns", columns);
    store.Put("ReportGen", "MainSettings", QByteArray::fromHex("1c000000")); // three layouts
    store.Put("ReportGen", "ReplaceDelimiter", QString("1234567"));
    TReportGenSettings damaged;
    LoadReportGenSettings(store, damaged);
    EXPECT_EQ(damaged.Columns[1], TReportGenSettings::DefaultColumns()[1]);
    EXPECT_EQ(damaged.Columns[2], TReportGenSettings::DefaultColumns()[2]);
    EXPECT_EQ(damaged.Columns[0], g.Columns[0]);
    EXPECT_EQ(damaged.MainSettings, 0x04u);
    EXPECT_EQ(damaged.ReplaceDelimiter, "12345");
}
