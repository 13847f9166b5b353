// The settings dialog over the main window's settings object.

#include "GuiFixture.h"

#include "OptionsForm.h"
#include "config/Options.h"
#include "config/OptionsFormRules.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class OptionsFormTest : public TMainFormTest {
protected:
    TOptions& options() { return form->Store().Options(); }
    TOptionsForm* dialog() { return form->OptionsWindow(); }
    template <typename T> T* control(const char* name) { return dialog()->Control<T>(QString::fromLatin1(name)); }

    // Runs the menu entry and hands the open dialog to check, which closes it.
    void WithDialogFromMenu(int tag, const std::function<void(TOptionsForm*)>& check)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            check(dialog());
        });
        form->SettingsActions[size_t(tag - 1)]->trigger();
        EXPECT_TRUE(ran);
    }
};

TEST_F(OptionsFormTest, EachSettingsMenuEntryOpensItsPage)
{
    for (int tag = 1; tag <= 8; ++tag) {
        WithDialogFromMenu(tag, [&](TOptionsForm* d) {
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(d->CurrentPage(), tag - 1);
            EXPECT_EQ(d->Pages->currentIndex(), tag - 1);
            d->reject();
        });
    }
    // Any other sender opens the page shown last.
    WithDialogFromMenu(3, [](TOptionsForm* d) {
        d->ShowPage(opArchiveFiles);
        d->reject();
    });
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        EXPECT_EQ(dialog()->CurrentPage(), opArchiveFiles);
        dialog()->reject();
    });
    form->MenuSettingsClick(0);
    EXPECT_TRUE(ran);
}

TEST_F(OptionsFormTest, CancelUndoesEditsAndOkAppliesThem)
{
    options().Save();
    int applied = 0;
    options().AddApplyHook([&](const TOptions&, const TApplyChanges&) { ++applied; });

    WithDialogFromMenu(5, [&](TOptionsForm*) {
        control<QCheckBox>("IgnoreRecycleCheck")->click();
        EXPECT_TRUE(options().IsChanged());
        dialog()->CancelBtn->click();
    });
    EXPECT_TRUE(options().IgnoreRecycleCheck()) << "the fresh default comes back from the store";
    EXPECT_EQ(applied, 0);

    WithDialogFromMenu(5, [&](TOptionsForm*) {
        control<QCheckBox>("IgnoreRecycleCheck")->click();
        control<QSpinBox>("DescTruncEdit")->setValue(9);
        dialog()->OKBtn->click();
    });
    EXPECT_FALSE(options().IgnoreRecycleCheck());
    EXPECT_EQ(options().DescTruncEdit(), 9);
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(options().IsChanged()) << "OK keeps the edits; the store is written later";
}

TEST_F(OptionsFormTest, ApplySavesAndReopeningSavesPendingChanges)
{
    ISettingsStore& store = options().Store();
    WithDialogFromMenu(2, [&](TOptionsForm* d) {
        control<QCheckBox>("CreateBakCheck")->click();
        EXPECT_TRUE(d->ApplyBtn->isEnabled());
        d->ApplyBtn->click();
        EXPECT_FALSE(options().IsChanged());
        EXPECT_FALSE(d->ApplyBtn->isEnabled());
        d->reject();
    });
    TOptions reread(store);
    EXPECT_EQ(reread.CreateBakCheck(), options().CreateBakCheck());

    options().SetTipsCheck(!options().TipsCheck());
    WithDialogFromMenu(1, [&](TOptionsForm* d) {
        EXPECT_FALSE(options().IsChanged()) << "changes pending at show are saved first";
        d->reject();
    });
}

TEST_F(OptionsFormTest, EnablingFollowsTheSwitches)
{
    dialog()->show();
    struct Case {
        const char* Switch;
        const char* Dependent;
    };
    const Case cases[] = {
        {"InsideZipCheck", "ArcZIP"},          {"InsideZipCheck", "ArchiveQuickScan"},
        {"DescTruncCheck", "DescTruncEdit"},   {"SetSerialCheck", "SerialAskCheck"},
        {"DescAsTipsCheck", "DescWaitBar"},    {"DescAlwaysCheck", "DescMaxLevels"},
        {"AutoloadCheck", "AutoloadList"},     {"ExternalViewerCheck", "ViewerEdit"},
    };
    for (const Case& c : cases) {
        auto* box = dialog()->findChild<QAbstractButton*>(c.Switch);
        auto* dependent = dialog()->findChild<QWidget*>(c.Dependent);
        ASSERT_TRUE(box && dependent) << c.Switch << " " << c.Dependent;
        for (bool on : {true, false, true}) {
            if (box->isChecked() != on) {
                if (on || qobject_cast<QCheckBox*>(box)) box->click();
                else dialog()->findChild<QAbstractButton*>("InternalViewerCheck")->click();
            }
            EXPECT_EQ(dependent->isEnabled(), on) << c.Switch << " " << on;
        }
    }
    dialog()->reject();
}

TEST_F(OptionsFormTest, DescriptionSourcesAndMasks)
{
    dialog()->show();
    dialog()->ShowPage(opDiskImage);
    // Rows as the user reads them; the comment row's stored name stays "archive comment".
    QStringList rows;
    for (int row = 0; row < dialog()->ImportDescList->count(); ++row) rows << dialog()->ImportDescList->item(row)->text();
    EXPECT_EQ(rows, (QStringList{"FILE_ID.DIZ", "FILES.BBS", "DESCRIPT.ION", "Compressed file's comment if available"}));
    EXPECT_EQ(DescSourceName(TDescSource::ArchiveComment), "archive comment");
    dialog()->ImportDescList->setCurrentRow(2);
    const TDescSource third = options().DescSourceAt(2);
    control<QPushButton>("HiPriorityBtn")->click();
    EXPECT_EQ(options().DescSourceAt(1), third);
    EXPECT_EQ(dialog()->ImportDescList->currentRow(), 1);
    dialog()->ImportDescList->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(options().DescSourceChecked(third));

    dialog()->ShowPage(opDescriptions);
    auto* add = control<QPushButton>("DescAdd");
    EXPECT_FALSE(add->isEnabled());
    dialog()->DescEdit->setText("a/b,**?x.nfo");
    EXPECT_TRUE(add->isEnabled());
    add->click();
    EXPECT_EQ(options().DescList().back(), "AB*X.NFO");
    dialog()->reject();
}

TEST_F(OptionsFormTest, AutoloadRefusesACatalogListedTwice)
{
    dialog()->show();
    control<QCheckBox>("AutoloadCheck")->click();
    dialogs.OpenAnswers = {{"/data/one.ctf"}, {"/DATA/ONE.CTF"}};
    control<QPushButton>("AutoloadAdd")->click();
    control<QPushButton>("AutoloadAdd")->click();
    EXPECT_EQ(options().AutoloadList(), QStringList{"/data/one.ctf"});
    ASSERT_FALSE(prompt.Shown.empty());
    EXPECT_EQ(prompt.Shown.back().Caption, "Notice");
    EXPECT_EQ(prompt.Shown.back().Text, "Selected catalog is already listed for autoloading.");
    dialog()->reject();
}

TEST_F(OptionsFormTest, ProgramBrowseButtonsPickAnExecutable)
{
    dialog()->show();
    dialog()->ShowPage(opGeneral);
    control<QAbstractButton>("ExternalViewerCheck")->click();
    ASSERT_TRUE(options().Save());
    const QString viewer = options().ViewerEdit();

    control<QPushButton>("ViewerBrowse")->click(); // cancelled
    EXPECT_EQ(options().ViewerEdit(), viewer);
    EXPECT_FALSE(options().IsChanged());
    dialogs.ProgramAnswers = {"/opt/tools/textview", "/opt/tools/shell"};
    control<QPushButton>("ViewerBrowse")->click();
    control<QPushButton>("ShellBrowse")->click();
    ASSERT_EQ(dialogs.ProgramRequests.size(), 3u);
    EXPECT_EQ(dialogs.ProgramRequests[0].Title, "External ASCII Viewer");
    EXPECT_EQ(dialogs.ProgramRequests[0].InitialDir, QFileInfo(viewer).path().toStdString());
    EXPECT_EQ(dialogs.ProgramRequests[2].Title, "External Shell Program");
    EXPECT_EQ(options().ViewerEdit(), WithProgramExtension("/opt/tools/textview"));
    EXPECT_EQ(dialog()->ViewerEdit->text(), options().ViewerEdit());
    EXPECT_EQ(options().ShellEdit(), WithProgramExtension("/opt/tools/shell"));
    EXPECT_TRUE(options().IsChanged());
    EXPECT_TRUE(dialog()->ApplyBtn->isEnabled());
    dialog()->reject();
}

TEST_F(OptionsFormTest, FontSlotsStartFromTheSystemsFonts)
{
    const TFontSlot tree = options().FontSlot(fsCatalogTree);
    EXPECT_FALSE(tree.UseCustom);
    EXPECT_EQ(tree.Face, QApplication::font("QAbstractItemView").family());
    EXPECT_LT(tree.Height, 0);
    EXPECT_EQ(options().FontSlot(fsDescTips).Face, QApplication::font().family());
    EXPECT_EQ(options().FontSlot(fsAsciiViewer).Face, "Courier New");

    dialog()->show();
    dialog()->ShowPage(opFonts);
    EXPECT_TRUE(control<QPushButton>("FontButton")->isEnabled()) << "a font may be picked at any time";
    control<QRadioButton>("UseCustomFont")->click();
    EXPECT_EQ(options().FontSlot(fsCatalogTree), (TFontSlot{true, tree.Height, tree.Style, tree.Face}));
    dialog()->ApplyBtn->click();
    const TOptions reread(options().Store());
    EXPECT_EQ(reread.FontSlot(fsCatalogTree).Face, tree.Face) << "the record keeps the face";
    control<QRadioButton>("UseSystemFont")->click();
    EXPECT_FALSE(options().FontSlot(fsCatalogTree).UseCustom);
    dialog()->reject();
}

TEST_F(OptionsFormTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEX_SCREENSHOTS not set";
    QDir().mkpath(folder);
    dialog()->ReadControls();
    dialog()->show();
    for (int page = 0; page < OptionsPageCount; ++page) {
        dialog()->ShowPage(page);
        QApplication::processEvents();
        QTest::qWait(30);
        dialog()->grab().save(folder + QStringLiteral("/settings-%1.png").arg(page + 1));
    }
    dialog()->reject();
}

} // namespace
