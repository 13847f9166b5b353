// Start-up and window layout: the splash rule, the toolbar's place, the tree's expanding,
// description tips and Esc during a long sort.

#include "GuiFixture.h"

#include "DescriptionTips.h"
#include "SplashForm.h"
#include "WizardForm.h"
#include "browser/BrowserOptions.h"
#include "config/Options.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <QToolBar>
#include <QToolTip>
#include <QTreeView>

#include <set>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

TEST_F(TMainFormTest, SplashGoesAtOnceOnFirstRunElseAfterItsTime)
{
    std::vector<int> intervals;
    auto connection = QObject::connect(form.get(), &TMainForm::SplashInterval,
                                       [&](int ms) { intervals.push_back(ms); });
    ASSERT_FALSE(form->SettingsWerePresent()) << "a fresh settings file is a first run";
    WhenModal<TWizardForm>([](TWizardForm* wizard) { wizard->reject(); }); // the first run's setup wizard
    form->FirstIdle({});
    EXPECT_EQ(intervals, std::vector<int>{1});
    QObject::disconnect(connection);

    form->close();
    form.reset();
    NewForm();
    ASSERT_TRUE(form->SettingsWerePresent());
    // Tips at start-up let the splash go at once too.
    form->Store().Options().SetTipsCheck(false);
    form->Store().Options().Apply();
    intervals.clear();
    connection = QObject::connect(form.get(), &TMainForm::SplashInterval,
                                  [&](int ms) { intervals.push_back(ms); });
    form->FirstIdle({});
    EXPECT_TRUE(intervals.empty()) << "the splash keeps its 3500 ms";
    QObject::disconnect(connection);

    QPointer<TSplashForm> splash = new TSplashForm;
    EXPECT_EQ(splash->Timer->interval(), 3500);
    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_EQ(splash->Timer->interval(), 1) << "a click lets it go";
    QTest::qWait(20);
    EXPECT_TRUE(splash) << "it stays until the start-up work says Done.";
    splash->SetMessage("Done.");
    EXPECT_TRUE(WaitFor([&] { return splash.isNull(); }));
}

TEST_F(TMainFormTest, ToolbarKeepsItsDockSide)
{
    auto* toolbar = form->findChild<QToolBar*>("Toolbar");
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(form->toolBarArea(toolbar), Qt::TopToolBarArea);
    form->addToolBar(Qt::LeftToolBarArea, toolbar);
    form->close();
    form.reset();
    NewForm();
    toolbar = form->findChild<QToolBar*>("Toolbar");
    EXPECT_EQ(form->toolBarArea(toolbar), Qt::LeftToolBarArea);
    EXPECT_EQ(form->Store().Options().ToolbarDock(), ToolbarLeft);
    EXPECT_FALSE(form->Store().Options().ToolbarFloating());

    // The settings name the side: applying them moves the toolbar.
    form->Store().Options().SetToolbarDock(ToolbarBottom);
    form->Store().Options().Apply();
    EXPECT_EQ(form->toolBarArea(toolbar), Qt::BottomToolBarArea);
}

TEST_F(TMainFormTest, SmoothExpandingFollowsTheSetting)
{
    EXPECT_EQ(form->DBTree->isAnimated(), !BrowserOptions().DisableSmoothCheck);
    form->Store().Options().SetDisableSmoothCheck(false);
    form->Store().Options().Apply();
    EXPECT_TRUE(form->DBTree->isAnimated());
}

TEST_F(TMainFormTest, DescriptionTipsUseTheirDelaysAndFont)
{
    TBrowserOptions& o = BrowserOptions();
    const TBrowserOptions saved = o;
    o.DescWaitBar = 12;
    o.DescHideBar = 5;
    o.AutohideCheck = true;
    EXPECT_EQ(TDescriptionTips::WaitDelay(false), 1200);
    EXPECT_EQ(TDescriptionTips::WaitDelay(true), 804);
    EXPECT_EQ(TDescriptionTips::HideDelay(), 5000);
    o.AutohideCheck = false;
    EXPECT_EQ(TDescriptionTips::HideDelay(), -1) << "without autohide the tip stays";
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 800)
        << "ordinary tooltips";
    TFontSlot font;
    font.UseCustom = true;
    font.Height = -15;
    font.Style = 1;
    font.Face = "Courier New";
    const QString html = TDescriptionTips::TipHtml("a < b", font);
    EXPECT_TRUE(html.contains("font-family:'Courier New'"));
    EXPECT_TRUE(html.contains("font-size:15px"));
    EXPECT_TRUE(html.contains("font-weight:bold"));
    EXPECT_TRUE(html.contains("a &lt; b"));

    // Hovering a described file shows its description after the wait.
    o.DescWaitBar = 1;
    o.DescAsTipsCheck = true;
    form->Store().Options().SetFontSlot(fsDescTips, font);
    form->OpenCatalogFiles({ShowcaseFile()}, false);
    TTreeNode* photos = Find(form->Tree().Catalog(0), "Photos 2003");
    form->SelectNode(photos);
    form->SetViewStyle(vsDetails);
    int row = -1;
    for (int r = 0; r < form->ListModel()->rowCount(); ++r)
        if (form->ListModel()->data(form->ListModel()->index(r, 0), Qt::DisplayRole).toString() ==
            "README.TXT")
            row = r;
    ASSERT_GE(row, 0);
    QApplication::processEvents();
    const QPoint at = form->ListView->visualRect(form->ListModel()->index(row, 0)).center();
    QMouseEvent move(QEvent::MouseMove, at, form->ListView->viewport()->mapToGlobal(at),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->ListView->viewport(), &move);
    EXPECT_TRUE(WaitFor([] { return QToolTip::isVisible(); }, 3000));
    EXPECT_TRUE(QToolTip::text().contains("Read this first"));
    EXPECT_TRUE(QToolTip::text().contains("Courier New"));
    QToolTip::hideText();
    o = saved;
}

TEST_F(TMainFormTest, EscStopsALongSortWithEveryItemKept)
{
    TCatalogTree scratch;
    TCatalogBuilder b(scratch);
    TTreeNode* cat = b.Catalog("Big");
    TTreeNode* disk = b.Disk(cat, "Disk");
    TTreeNode* folder = b.Folder(disk, "Many");
    for (int i = 0; i < 20000; ++i)
        b.File(folder, "f" + std::to_string((i * 7919) % 20000) + ".dat", (i * 31) % 5000);
    WriteCatalogFile(cat, dir.Path("big.ctf"));
    form->OpenCatalogFiles({dir.Path("big.ctf")}, false);
    form->SelectNode(Find(Find(form->Tree().Catalog(0), "Disk"), "Many"));
    const std::vector<TItemRec*> before = form->ListModel()->Store();
    ASSERT_EQ(before.size(), 20001u); // with ".."

    QCoreApplication::postEvent(form->ListView,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    prompt.Answers = {pbYes};
    form->SortCommand(2);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Cancel sort");
    const std::vector<TItemRec*>& after = form->ListModel()->Store();
    EXPECT_EQ(std::set<TItemRec*>(after.begin(), after.end()),
              std::set<TItemRec*>(before.begin(), before.end()));
    EXPECT_EQ(after.size(), before.size());

    // Without Esc the same sort runs to its end.
    prompt.Shown.clear();
    form->SortCommand(0);
    form->SortCommand(2);
    EXPECT_TRUE(prompt.Shown.empty());
    const auto& sorted = form->ListModel()->Store();
    for (size_t i = 2; i < sorted.size(); ++i)
        ASSERT_LE(static_cast<TFileRec*>(sorted[i - 1])->Size,
                  static_cast<TFileRec*>(sorted[i])->Size);
}

} // namespace
