#include "GuiFixture.h"

#include "GuiProgress.h"
#include "SingleInstance.h"
#include "app/HandOver.h"
#include "browser/BrowserOptions.h"
#include "browser/ItemText.h"
#include "catalog/ItemRoutines.h"
#include "platform/FileSystem.h"

#include "RunCli.h"

#include <QAction>
#include <QHeaderView>
#include <QListView>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTreeView>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TEST_F(TMainFormTest, OpenBrowseAndSortByEveryColumn)
{
    // The empty window's sort buttons name the columns its list shows: a disk list's.
    EXPECT_EQ(form->ListModel()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Media Type");
    EXPECT_EQ(form->SortButtons[1]->toolTip(), "Sort by Media Type");
    dialogs.OpenAnswers = {{ShowcaseFile()}};
    form->MenuOpenClick();
    ASSERT_EQ(form->Tree().Count(), 1);
    TTreeNode* cat = form->Tree().Catalog(0);
    EXPECT_EQ(form->SelectedNode(), cat);
    EXPECT_EQ(Panel(0), "Loaded");
    EXPECT_FALSE(form->MenuSave->isEnabled());
    EXPECT_EQ(form->ListModel()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Disk Name");
    // Disks sorted by media type (key 1): Photos (10), Backup ZIP (14)... floppy 7 first.
    EXPECT_EQ(ListNames(), (std::vector<QString>{"Drivers", "Photos 2003", "Backup ZIP"}));
    EXPECT_TRUE(form->TreeModel()->data(form->TreeModel()->IndexOf(cat), Qt::FontRole).value<QFont>().bold());

    TTreeNode* photos = Find(cat, "Photos 2003");
    form->SelectNode(photos);
    EXPECT_EQ(form->ListModel()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Filename");
    EXPECT_EQ(ListNames().size(), 10u); // 4 folders and archives, 6 files; no ".." on a disk
    EXPECT_EQ(ListNames().front(), "Games");

    for (int column = 0; column < form->ListModel()->columnCount(); ++column) {
        form->HeaderClicked(column);
        const TSortContext ctx{form->CurrentSortKey(), form->SortReversed(), BrowserOptions().ArchivesSortCheck};
        const auto& store = form->ListModel()->Store();
        for (size_t i = 1; i < store.size(); ++i)
            ASSERT_LE(CompareItems(store[i - 1], store[i], ctx), 0) << "column " << column;
        EXPECT_EQ(form->ListView->header()->sortIndicatorSection(), column);
    }
    // The current column once more: reversed, files first.
    form->HeaderClicked(form->CurrentSortKey());
    EXPECT_TRUE(form->SortReversed());
    EXPECT_TRUE(ItemIs(form->ListModel()->Store().front(), ikFile));
    form->ToggleReverse();

    form->SortCommand(0);
    TTreeNode* music = Find(photos, "Music");
    ASSERT_NE(music, nullptr);
    form->OpenListItem(form->ListModel()->RowOf(music->Data));
    EXPECT_EQ(form->SelectedNode(), music);
    EXPECT_EQ(ListNames(), (std::vector<QString>{"..", "track01.mp3", "track02.ogg"}));
    EXPECT_EQ(form->ListModel()->data(form->ListModel()->index(1, 7), Qt::DisplayRole).toString(), "Music");
    EXPECT_EQ(form->ListModel()->data(form->ListModel()->index(0, 6), Qt::DisplayRole).toString(),
              "Back to root of Photos 2003");

    // ".." goes back and selects the folder that was left.
    form->OpenListItem(0);
    EXPECT_EQ(form->SelectedNode(), photos);
    const QModelIndex current = form->ListView->selectionModel()->currentIndex();
    EXPECT_EQ(form->ListModel()->Item(current.row()), music->Data);

    // Locate from another window: the file's folder is shown and the file focused.
    form->SelectNode(cat);
    TFileRec* song = music->Data->Next->Next;
    form->LocateItem(song);
    EXPECT_EQ(form->SelectedNode(), music);
    EXPECT_EQ(form->ListModel()->Item(form->ListView->selectionModel()->currentIndex().row()), song);
}

TEST_F(TMainFormTest, AutoSaveSavesModifiedCatalogs)
{
    form->OpenCatalogFiles({SampleFile("auto.ctf")}, false);
    TTreeNode* cat = form->Tree().Catalog(0);
    MarkCatalogModified(cat, true);
    form->AutoSaveTimer->start(1);
    ASSERT_TRUE(WaitFor([&] { return AsCatalog(cat->Data)->Modified == 0; }, 3000));
    EXPECT_EQ(form->AutoSaveTimer->interval(), BrowserOptions().AutoSaveEdit * 60000);
    EXPECT_EQ(Panel(0), "Loaded");
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST_F(TMainFormTest, KeyboardNavigationRefillsTheListOnceItSettles)
{
    form->OpenCatalogFiles({ShowcaseFile()}, false);
    TTreeNode* cat = form->Tree().Catalog(0);
    form->DBTree->setFocus();
    form->DBTree->expand(form->TreeModel()->IndexOf(cat));
    form->SelectNode(cat);
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) {
        QTest::keyPress(form->DBTree, Qt::Key_Down);
        QApplication::processEvents();
        QTest::keyRelease(form->DBTree, Qt::Key_Down);
        QApplication::processEvents();
    }
    EXPECT_NE(form->SelectedNode(), cat);
    EXPECT_EQ(form->ListModel()->Columns(), csDisks); // not refilled yet
    EXPECT_TRUE(form->ListUpdateTimer->isActive());
    ASSERT_TRUE(WaitFor([&] { return form->ListModel()->Columns() == csFiles; }, 2000));
    EXPECT_EQ(form->SelectedNode(), Find(cat, "Backup ZIP"));
    EXPECT_EQ(ListNames(), (std::vector<QString>{"report.pdf", "budget.xls"}));

    // Backspace in the list goes back one level; the focus stays in the list.
    form->ListView->setFocus();
    QTest::keyClick(form->ListView, Qt::Key_Backspace);
    EXPECT_EQ(form->SelectedNode(), cat);
}

TEST_F(TMainFormTest, SaveAsModifiedIndicatorCloseAndReopen)
{
    form->OpenCatalogFiles({SampleFile("sample.ctf")}, true);
    ASSERT_EQ(form->Tree().Count(), 1);
    TTreeNode* cat = form->Tree().Catalog(0);
    EXPECT_EQ(form->Recent().Names().front(), dir.Path("sample.ctf"));
    MarkCatalogModified(cat, true);
    EXPECT_EQ(Panel(0), "Modified");
    EXPECT_TRUE(form->MenuSave->isEnabled());

    const std::string copy = dir.Path("copy.ctf");
    dialogs.SaveAnswers = {copy};
    form->MenuSaveAsClick();
    EXPECT_TRUE(FileExists(copy));
    EXPECT_EQ(Panel(0), "Loaded");
    EXPECT_FALSE(form->MenuSave->isEnabled());
    EXPECT_EQ(form->Recent().Names().front(), copy);

    MarkCatalogModified(cat, true);
    prompt.Answers = {pbCancel};
    form->MenuCloseClick();
    EXPECT_EQ(form->Tree().Count(), 1);
    prompt.Answers = {pbNo};
    form->MenuCloseClick();
    EXPECT_EQ(form->Tree().Count(), 0);
    EXPECT_EQ(Panel(0), "Empty");
    EXPECT_FALSE(form->MenuSave->isEnabled());
    EXPECT_EQ(form->ListModel()->rowCount(), 0);
    ASSERT_EQ(prompt.Shown.size(), 2u);
    EXPECT_EQ(prompt.Shown[1].Text, "Save changes to catalog \"Sample\" ?");

    form->RecentActions[0]->trigger();
    ASSERT_EQ(form->Tree().Count(), 1);
    EXPECT_EQ(AsCatalog(form->Tree().Catalog(0)->Data)->FileName, copy);
    // A fifth file pushes the oldest entry out.
    for (const char* n : {"b.ctf", "c.ctf", "d.ctf", "e.ctf"}) form->OpenCatalogFiles({SampleFile(n)}, true);
    EXPECT_EQ(form->Recent().Names().size(), 4u);
    EXPECT_EQ(form->Recent().Names().front(), dir.Path("e.ctf"));
    EXPECT_EQ(form->Store().RecentFiles(), form->Recent().Names());
}

TEST_F(TMainFormTest, NewCatalogDropsAndExitPrompts)
{
    AnswerNextDialog(QString());
    form->MenuNewClick();
    ASSERT_EQ(form->Tree().Count(), 1);
    EXPECT_EQ(form->Tree().Catalog(0)->Text, "Catalog1");
    EXPECT_EQ(Panel(0), "Loaded");
    AnswerNextDialog("Mine");
    form->MenuNewClick();
    EXPECT_EQ(form->Tree().Catalog(1)->Text, "Mine");
    AnswerNextDialog(QString(), false);
    form->MenuNewClick();
    EXPECT_EQ(form->Tree().Count(), 2);

    form->OpenDroppedFiles({dir.Path("notes.txt")});
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Invalid file");
    const std::string upper = SampleFile("UPPER.CTF");
    form->OpenDroppedFiles({upper, dir.Path("x.txt")});
    EXPECT_EQ(form->Tree().Count(), 3);

    MarkCatalogModified(form->Tree().Catalog(2), true);
    prompt.Answers = {pbCancel};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(form->Tree().Count(), 3);
    prompt.Answers = {pbNo};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(form->Tree().Count(), 0);
}

TEST_F(TMainFormTest, LayoutIsKeptAndDamagedLayoutIgnored)
{
    form->SetViewStyle(vsSmallIcons);
    form->OpenCatalogFiles({ShowcaseFile()}, false);
    form->SelectNode(Find(form->Tree().Catalog(0), "Photos 2003"));
    form->SortCommand(2);
    form->ToggleReverse();
    form->close();
    form.reset();
    NewForm();
    EXPECT_EQ(form->ViewStyle(), vsSmallIcons);
    const std::optional<TMainLayout> layout = form->Store().Layout();
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->SortByte, 0x80 | (2 << 3) | 1);
    form.reset();
    QSettings(QString::fromStdString(dir.Path("settings.ini")), QSettings::IniFormat)
        .setValue("WindowPos", QByteArray(29, '\1'));
    NewForm();
    EXPECT_EQ(form->ViewStyle(), vsDetails);

    // A rectangle wholly off the screen is not taken; the rest of the record is.
    const QRect desktop = QApplication::primaryScreen()->virtualGeometry();
    for (const bool offScreen : {true, false}) {
        TMainLayout stored;
        stored.Bounds = offScreen ? TWindowBounds{desktop.right() + 50, desktop.top() + 10, 700, 500}
                                  : TWindowBounds{desktop.left() + 30, desktop.top() + 40, 700, 500};
        stored.ViewStyle = vsList;
        form.reset();
        QSettings(QString::fromStdString(dir.Path("settings.ini")), QSettings::IniFormat)
            .setValue("WindowPos", EncodeMainWindowRecord(stored));
        NewForm();
        EXPECT_EQ(form->ViewStyle(), vsList);
        EXPECT_EQ(form->geometry().topLeft() == QPoint(stored.Bounds.Left, stored.Bounds.Top), !offScreen)
            << form->geometry().x() << "," << form->geometry().y();
    }
}

TEST_F(TMainFormTest, CatalogMadeByTheCommandLine)
{
    const std::string file = dir.Path("empty.ctf");
    ASSERT_EQ(RunCli({"new", file, "--name", "Empty one"}).ExitCode, 0);
    form->OpenCatalogFiles({file}, false);
    ASSERT_EQ(form->Tree().Count(), 1);
    EXPECT_EQ(form->Tree().Catalog(0)->Text, "Empty one");
    EXPECT_EQ(form->ListModel()->rowCount(), 0);
    EXPECT_EQ(Panel(2), "Total: 0 items, 0 B");
    EXPECT_TRUE(Panel(1).startsWith("Empty one ("));
}

TEST_F(TMainFormTest, SecondStartHandsItsCatalogsToTheFirst)
{
    const QString name = "quorvex-test-" + QString::number(QCoreApplication::applicationPid());
    TInstanceServer server;
    ASSERT_TRUE(server.Listen(name));
    QObject::connect(&server, &TInstanceServer::HandOver, form.get(), [this](int n) {
        QMetaObject::invokeMethod(form.get(), [this, n] { form->HandOverReceived(n); }, Qt::QueuedConnection);
    });
    const std::string one = SampleFile("one.ctf"), two = ShowcaseFile("two.ctf");
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUORVEX_INSTANCE_NAME", name);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(QUORVEX_APP, {QString::fromStdString(one), QString::fromStdString(two)});
    ASSERT_TRUE(WaitFor([&] { return form->Tree().Count() == 2; }, 30000)); // a loaded machine starts slowly
    // waitForFinished is false for a process that has already ended.
    ASSERT_TRUE(second.state() == QProcess::NotRunning || second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(form->Recent().Names().front(), two); // opened interactively
    QDir temp(QString::fromStdString(TempFolder()));
    EXPECT_TRUE(temp.entryList({"Quorvex_Params*.tmp"}).isEmpty());
}

TEST(WaitForm, ShapeCancelAndHide)
{
    QWidget main;
    main.resize(600, 400);
    main.show();
    TGuiProgress progress(&main);
    progress.CloseWait(); // nothing to close
    progress.ShowWait("Loading", false, false);
    TWaitForm* wait = progress.WaitForm();
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->height(), TWaitForm::ClientHeight - 25 - 4);
    EXPECT_EQ(wait->WaitLabel->geometry().center().y(), wait->height() / 2);
    EXPECT_FALSE(wait->CancelBtn->isVisibleTo(wait));
    progress.ShowWait("Saving", true, true);
    EXPECT_EQ(wait->height(), TWaitForm::ClientHeight);
    progress.ShowWaitWindow();
    EXPECT_FALSE(main.isEnabled());
    progress.SetProgressMax(200);
    progress.Advance(50);
    EXPECT_EQ(wait->ProgressBar->value(), 25);
    wait->CancelBtn->click();
    wait->CancelBtn->click();
    EXPECT_TRUE(progress.Canceled());
    EXPECT_EQ(wait->WaitLabel->text(), "Canceled...");
    wait->move(5, 7);
    progress.HideWait();
    progress.ShowWaitWindow();
    EXPECT_EQ(wait->pos(), QPoint(5, 7));
    progress.CloseWait();
    EXPECT_EQ(progress.WaitForm(), nullptr);
    EXPECT_TRUE(main.isEnabled());

    progress.ShowScan();
    progress.AdvanceScan(10); // no maximum: the bar stays at 0
    EXPECT_EQ(progress.ScanForm()->ProgressBar->value(), 0);
    progress.CloseScan();
}

} // namespace
