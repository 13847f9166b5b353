// The main toolbar as the settings arrange it, the other things Apply pushes into the main
// window, and the file list's context menu.

#include "GuiFixture.h"

#include "MainToolbarTags.h"
#include "OptionsForm.h"
#include "config/Options.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class MainToolbarTest : public TMainFormTest {
protected:
    TOptions& options() { return form->Store().Options(); }
    QToolBar* toolbar() { return form->findChild<QToolBar*>("Toolbar"); }

    // The toolbar's entries in the layout's terms: a tag per button, 0 per separator.
    std::vector<uint8_t> Shown()
    {
        std::vector<uint8_t> shown;
        for (QAction* action : toolbar()->actions()) {
            if (action->isSeparator()) {
                shown.push_back(0);
                continue;
            }
            for (int tag = 1; tag <= MainToolbarTagCount; ++tag)
                if (form->ToolbarAction(uint8_t(tag)) == action) shown.push_back(uint8_t(tag));
        }
        return shown;
    }
};

TEST_F(MainToolbarTest, LayoutEditedInTheDialogShapesTheToolbarAndIsKept)
{
    const std::vector<uint8_t> design = {tbNew,        tbOpen,     tbSave,       0,           tbAddDisk,
                                         tbSearch,     0,          tbBack,       0,           tbSortName,
                                         tbSortSecond, tbSortSize, tbSortFourth, tbReverse,   0,
                                         tbLargeIcons, tbSmallIcons, tbIconList, tbDetails};
    EXPECT_EQ(Shown(), design);
    std::vector<uint8_t> layout = design;
    layout.resize(design.size() + 1, TToolbarLayout::Divider);
    EXPECT_EQ(options().ToolbarLayout().Entries(), layout);
    EXPECT_TRUE(toolbar()->findChild<QToolButton*>("ButtonAddDisk"));

    TOptionsForm* dialog = form->OptionsWindow();
    QTimer::singleShot(0, [&] {
        QListWidget* list = dialog->ToolbarList;
        ASSERT_EQ(list->count(), int(layout.size()));
        EXPECT_EQ(list->item(1)->text(), "(button)");
        EXPECT_EQ(list->item(1)->toolTip(), "Open Catalog");
        EXPECT_FALSE(list->item(1)->icon().isNull());
        EXPECT_EQ(list->item(list->count() - 1)->text(), "Unused Buttons");
        list->setCurrentRow(1);
        dialog->Control<QPushButton>("ToolbarRemove")->click(); // Open goes behind the divider
        list->setCurrentRow(0);
        dialog->Control<QPushButton>("ToolbarDown")->click(); // New after Save
        dialog->Control<QCheckBox>("OldButtonsCheck")->click();
        dialog->ApplyBtn->click();
        dialog->reject();
    });
    form->SettingsActions[2]->trigger();

    std::vector<uint8_t> expected = {tbSave, tbNew};
    expected.insert(expected.end(), design.begin() + 3, design.end());
    EXPECT_EQ(Shown(), expected);
    for (QToolButton* button : toolbar()->findChildren<QToolButton*>("ButtonSave"))
        EXPECT_FALSE(button->autoRaise()) << "old style buttons are raised";
    EXPECT_TRUE(form->MenuOpen->isEnabled()) << "a hidden button keeps its menu command";

    // The next start reads the layout back; a stored tag naming no command is dropped.
    form->close();
    form.reset();
    NewForm();
    EXPECT_EQ(Shown(), expected);
    std::vector<uint8_t> stored = options().ToolbarLayout().Entries();
    stored.insert(stored.begin(), tbReport);
    options().SetToolbarEntries(stored);
    ASSERT_TRUE(options().Save());
    form->close();
    form.reset();
    NewForm();
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(options().ToolbarLayout().Entries().front(), tbSave);
}

TEST_F(MainToolbarTest, DraggedToolbarStaysWhereItIsWhenSettingsAreApplied)
{
    form->addToolBar(Qt::LeftToolBarArea, toolbar()); // as a drag leaves it
    TOptionsForm* dialog = form->OptionsWindow();
    bool left = false;
    QTimer::singleShot(0, [&] {
        left = dialog->Control<QAbstractButton>("Toolbar3")->isChecked();
        dialog->Control<QCheckBox>("CreateBakCheck")->click();
        dialog->OKBtn->click();
    });
    form->SettingsActions[2]->trigger();
    EXPECT_TRUE(left) << "the dialog shows the side the toolbar is on";
    EXPECT_EQ(form->toolBarArea(toolbar()), Qt::LeftToolBarArea);
}

TEST_F(MainToolbarTest, FloatingSettingFloatsAndDocksTheToolbar)
{
    options().SetToolbarDock(ToolbarBottom);
    options().SetToolbarFloating(true);
    options().Apply();
    EXPECT_TRUE(toolbar()->isFloating());
    EXPECT_TRUE(toolbar()->isVisible());

    options().SetToolbarFloating(false);
    options().Apply();
    EXPECT_FALSE(toolbar()->isFloating());
    EXPECT_EQ(form->toolBarArea(toolbar()), Qt::BottomToolBarArea);
    EXPECT_TRUE(toolbar()->isVisible());
    EXPECT_EQ(Shown().size(), options().ToolbarLayout().Entries().size() - 1) << "every button stays";
}

TEST_F(MainToolbarTest, ApplyPushesTheListSettingsIntoTheWindow)
{
    dialogs.OpenAnswers = {{ShowcaseFile()}};
    form->MenuOpenClick();
    TTreeNode* music = Find(Find(form->Tree().Catalog(0), "Photos 2003"), "Music");
    form->SelectNode(music);
    EXPECT_EQ(ListNames().front(), "..");

    options().SetShowPrevCheck(false);
    options().Apply();
    EXPECT_EQ(ListNames(), (std::vector<QString>{"track01.mp3", "track02.ogg"}));
    options().SetShowPrevCheck(true);
    options().Apply();
    EXPECT_EQ(ListNames().front(), "..");

    // A custom list font and the way back to the system font.
    const QFont system = form->ListView->font();
    TFontSlot slot = options().FontSlot(fsFileList);
    slot.UseCustom = true;
    slot.Face = "Courier New";
    slot.Height = -19;
    options().SetFontSlot(fsFileList, slot);
    options().Apply();
    EXPECT_EQ(form->ListView->font().pixelSize(), 19);
    slot.UseCustom = false;
    options().SetFontSlot(fsFileList, slot);
    options().Apply();
    EXPECT_EQ(form->ListView->font(), system);

    options().SetButtonSizeBar(5);
    options().Apply();
    EXPECT_EQ(toolbar()->iconSize(), QSize(31, 31));
}

TEST_F(MainToolbarTest, ListMenuOffersWhatTheFocusedItemAllows)
{
    dialogs.OpenAnswers = {{ShowcaseFile()}};
    form->MenuOpenClick();
    form->SetViewStyle(3);
    TTreeNode* cat = form->Tree().Catalog(0);
    auto menuTexts = [&](int row) {
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            for (QAction* a : menu->actions())
                texts << (a == menu->defaultAction() ? "*" + a->text() : a->text());
            menu->close();
        });
        const QRect rect = form->ListView->visualRect(form->ListModel()->index(row, 0));
        QMetaObject::invokeMethod(form->ListView, "customContextMenuRequested", Q_ARG(QPoint, rect.center()));
        return texts;
    };
    EXPECT_EQ(menuTexts(0), (QStringList{"*Move To...", "Update Disk Image"}));
    EXPECT_EQ(form->ListModel()->Item(form->ListView->currentIndex().row()), form->ListModel()->Item(0));

    form->SelectNode(Find(cat, "Photos 2003"));
    const int folder = form->ListModel()->RowOf(Find(Find(cat, "Photos 2003"), "Games")->Data);
    EXPECT_EQ(menuTexts(folder), QStringList{"*Move To..."});
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        opened = true;
        menu->defaultAction()->trigger();
        menu->close();
    });
    const QRect rect = form->ListView->visualRect(form->ListModel()->index(folder, 0));
    QMetaObject::invokeMethod(form->ListView, "customContextMenuRequested", Q_ARG(QPoint, rect.center()));
    EXPECT_TRUE(opened);
    EXPECT_EQ(form->SelectedNode()->Data, Find(Find(cat, "Photos 2003"), "Games")->Data);
}

} // namespace
