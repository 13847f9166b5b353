#include "browser/BackItem.h"
#include "browser/BrowserOptions.h"
#include "browser/DisplayText.h"
#include "browser/ItemText.h"

#include "CatalogBuilder.h"
#include "SampleCatalog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

QString Dec() { return QLocale::system().decimalPoint(); }

TEST(FormatSize, UnitsAndCutDecimals)
{
    struct Case {
        double bytes;
        QString text;
    } cases[] = {
        {0, "0 B"},          {512, "512 B"},           {1023, "1023 B"},       {1024, "1 kB"},
        {1536, "1" + Dec() + "5 kB"},                  {1600, "1" + Dec() + "56 kB"},
        {10240, "10 kB"},    {10752, "10" + Dec() + "5 kB"}, {1048576, "1 MB"},
        {1048575, "1023" + QString(" kB")},            {5.0 * 1024 * 1024 * 1024, "5 GB"},
        {2047, "1" + Dec() + "99 kB"}, // cut, not rounded
        {3.0 * 1024 * 1024 * 1024 * 1024 * 1024, "3072 TB"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatSize(c.bytes), c.text) << c.bytes;
}

TEST(ItemText, ShortDescriptions)
{
    EXPECT_EQ(ShortDescription("First line\r\nSecond"), "First line (more...)");
    EXPECT_EQ(ShortDescription(QString(100, 'x')), QString(69, 'x') + " (more...)");
    EXPECT_EQ(ShortDescription(QString(70, 'y')), QString(70, 'y'));
    EXPECT_EQ(ShortDescription("\r\n\nLeading breaks"), "Leading breaks");
    EXPECT_EQ(ShortDescription("  padded \t\nrest"), "padded (more...)");
    EXPECT_EQ(ShortDescription(""), "");
}

TEST(ItemText, AttributesAndDates)
{
    EXPECT_EQ(AttrText(faReadOnly | faArchive), "ra");
    EXPECT_EQ(AttrText(faDirectory | faReadOnly | faHidden | faSysFile | faArchive), "drhsa");
    EXPECT_EQ(DosDateText(0), "");
    EXPECT_EQ(DosTimeText(0), "");
    // 15 March 2021 13:45:30
    const int32_t dos = int32_t((41u << 25) | (3u << 21) | (15u << 16) | (13u << 11) | (45u << 5) | 15u);
    EXPECT_EQ(DosDateText(dos), QLocale::system().toString(QDate(2021, 3, 15), QLocale::ShortFormat));
    EXPECT_EQ(DosTimeText(dos), QLocale::system().toString(QTime(13, 45, 30), QLocale::ShortFormat));
    EXPECT_EQ(DosDateText(int32_t(0x01A10000)), ""); // month 13
    const QString day = QLocale::system().toString(QDate(2000, 1, 1), QLocale::ShortFormat);
    EXPECT_EQ(CataloguedText(36526.0), day); // exactly midnight: the date alone
    EXPECT_EQ(CataloguedText(36526.5), day + ", " + QLocale::system().toString(QTime(12, 0), QLocale::ShortFormat));
    EXPECT_EQ(CataloguedText(0), "");
    EXPECT_EQ(CataloguedText(1e300), "(unknown)");
}

TEST(ItemText, ColumnsOfEveryKind)
{
    TCatalogTree tree;
    TTreeNode* cat = BuildSampleCatalog(tree);
    TTreeNode* disk = cat->Child(0);
    TTreeNode* a = disk->Child(0);
    auto* readme = disk->Data->Next;
    BrowserOptions().FormattedSizesCheck = true;

    EXPECT_EQ(ItemText(readme, fdName), "README.TXT");
    EXPECT_EQ(ItemText(readme, fdExt), "TXT");
    EXPECT_EQ(ItemText(readme, fdSize), "120 B");
    EXPECT_EQ(ItemText(readme, fdAttr), "a");
    EXPECT_EQ(ItemText(readme, fdDescription), "Read me first");
    EXPECT_EQ(ItemText(readme, fdDiskName), "Disk");
    EXPECT_EQ(ItemText(readme, fdMediaType), "Hard disk");
    // Paths are shown in this platform's separators; the catalog keeps its own.
    const QString sep = QDir::separator();
    EXPECT_EQ(ItemText(readme, fdPath), sep);

    TTreeNode* zip = a->Child(1);
    EXPECT_EQ(ItemText(zip->Data, fdName), "PACK.ZIP");
    EXPECT_EQ(ItemText(zip->Data, fdExt), "ZIP");
    EXPECT_EQ(ItemText(zip->Data, fdPath), sep + "A");
    EXPECT_EQ(ItemText(zip->Data->Next, fdPath), sep + "A" + sep + "PACK.ZIP");
    EXPECT_EQ(PathText("\\Music\\Live\\"), sep + "Music" + sep + "Live" + sep);
    auto* member = zip->Data->Next;
    EXPECT_EQ(ItemText(member, fdName), "docs\\manual.txt");
    EXPECT_EQ(ItemText(member, fdExt), "txt");

    EXPECT_EQ(ItemText(disk->Data, 0), "Disk");
    EXPECT_EQ(ItemText(disk->Data, 1), "Hard disk");
    EXPECT_EQ(ItemText(disk->Data, 2), "LABEL_Disk");
    EXPECT_EQ(ItemText(disk->Data, 3), "390 MB"); // 100000 clusters of 4 kB
    EXPECT_EQ(ItemText(disk->Data, 10), "Sample");
    EXPECT_EQ(ItemText(cat->Child(1)->Data, 1), "Virtual Hard disk");
    EXPECT_EQ(ItemText(cat->Data, 10), "3");

    // Categories by number from the catalog's list; the flag bits do not matter.
    auto* x = static_cast<TFolderRec*>(cat->Child(1)->Child(0)->Data);
    EXPECT_EQ(ItemText(x, fdCategory), "Music");
    x->CategoryByte = 0x02;
    EXPECT_EQ(ItemText(x, fdCategory), "");

    BrowserOptions().FormattedSizesCheck = false;
    EXPECT_EQ(ItemText(zip->Data, fdSize), "75" + QLocale::system().groupSeparator() + "000");
    BrowserOptions().FormattedSizesCheck = true;
}

TEST(ItemText, BackItemAndStatusTexts)
{
    TCatalogTree tree;
    TTreeNode* cat = BuildSampleCatalog(tree);
    TTreeNode* disk = cat->Child(0);
    TTreeNode* a = disk->Child(0);
    TBackItem back;
    back.Prepare(a);
    EXPECT_TRUE(IsBackItem(back.Rec()));
    EXPECT_FALSE(IsBackItem(a->Data));
    EXPECT_EQ(ItemText(back.Rec(), fdName), "..");
    EXPECT_EQ(ItemText(back.Rec(), fdSize), "");
    EXPECT_EQ(ItemText(back.Rec(), fdDescription), "Back to root of Disk");
    back.Prepare(a->Child(0));
    EXPECT_EQ(ItemText(back.Rec(), fdDescription), "Back to A (folder)");
    EXPECT_EQ(StatusItemText(back.Rec(), ".."), "Previous folder...");

    EXPECT_EQ(StatusItemText(a->Data, "A"), "A (folder), 74" + Dec() + "2 kB in 1 subfolder, 2 files");
    EXPECT_EQ(StatusItemText(cat->Data, "Sample"), "Sample (no filename), total disks: 3");
    auto* member = a->Child(1)->Data->Next;
    EXPECT_TRUE(StatusItemText(member, "m").startsWith("m (compressed file), 4" + Dec() + "88 kB, "));

    TFileRec* f = TFileRec::New("one.bin");
    f->KindFlags = ikFile;
    f->Size = 1536;
    EXPECT_EQ(ListTotals({f}, true), "Selected: 1 item, 1" + Dec() + "5 kB");
    EXPECT_EQ(ListTotals({f, back.Rec()}, false), "Total: 2 items, 1" + Dec() + "5 kB");
    FreeFileRec(f);
}

TEST(ItemText, PrefixSearchWrapsAndTips)
{
    TCatalogTree tree;
    TTreeNode* cat = BuildSampleCatalog(tree);
    TTreeNode* disk = cat->Child(0);
    std::vector<TItemRec*> store{disk->Child(0)->Data, disk->Child(1)->Data, disk->Data->Next, disk->Data->Next->Next};
    EXPECT_EQ(FindItemByPrefix(store, "re", 0), 2);
    EXPECT_EQ(FindItemByPrefix(store, "em", 2), 1); // wraps round
    EXPECT_EQ(FindItemByPrefix(store, "zz", 1), -1);

    const QString tip = DescriptionTip(QString(200, 'w') + " end");
    for (const QString& line : tip.split('\n')) EXPECT_LE(line.size(), 80);
    QString many;
    for (int i = 0; i < 20; ++i) many += "line\n";
    const QStringList lines = DescriptionTip(many).split('\n');
    EXPECT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.last(), "(more...)");
}

TEST(DisplayText, Utf8OrWindows1252)
{
    EXPECT_EQ(DisplayText("plain"), "plain");
    EXPECT_EQ(DisplayText("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(DisplayText("caf\xe9 \x80"), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));
}

} // namespace
