// Browsing the main window as a user does: a damaged folder index met while browsing, the
// icon styles and the Size column with long names and large numbers, the status bar, the
// keys of tree and list, and what an empty window shows.

#include "GuiFixture.h"

#include "IconCells.h"
#include "SearchForm.h"
#include "browser/BrowserOptions.h"
#include "browser/ItemText.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "MainStore.h"
#include "config/Options.h"
#include "platform/FileSystem.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QTreeView>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

const std::string LongName = "A rather long file name that a user would like to read in full.txt";

class BrowsingTest : public TMainFormTest {
protected:
    TTreeNode* Catalog() { return form->Tree().Catalog(0); }
    TTreeNode* Disk() { return Catalog()->Child(0); }
    int Row(const std::string& name)
    {
        for (int r = 0; r < form->ListModel()->rowCount(); ++r)
            if (ItemName(form->ListModel()->Item(r)) == QString::fromStdString(name)) return r;
        return -1;
    }
    // Texts of the context menu a key opens, the default one marked with "*".
    QStringList MenuFromKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QStringList texts;
        bool opened = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible()) return;
            poll.stop();
            opened = true;
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) texts << (a == menu->defaultAction() ? "*" + a->text() : a->text());
            menu->close();
        });
        poll.start();
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
        poll.stop();
        EXPECT_TRUE(opened);
        return texts;
    }
    void Shoot(QWidget* widget, const QString& name)
    {
        const QByteArray folder = qgetenv("QUORVEX_SCREENSHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(QString::fromUtf8(folder));
        widget->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
    }
};

// A disk "Work" whose folder "Software" holds, in this order, the folders Editors, Tools (a file
// and Bin below it), the archives a.zip and b.zip, and two files.
std::string SoftwareCatalog(TTempDir& dir)
{
    TCatalogTree scratch;
    TCatalogBuilder b(scratch);
    TTreeNode* cat = b.Catalog("Shelf");
    TTreeNode* disk = b.Disk(cat, "Work");
    TTreeNode* software = b.Folder(disk, "Software");
    b.File(b.Folder(software, "Editors"), "vi.exe", 1000);
    TTreeNode* tools = b.Folder(software, "Tools");
    b.File(tools, "make.exe", 1500);
    b.File(b.Folder(tools, "Bin"), "grep.exe", 2000);
    b.File(b.Folder(software, "a.zip", ifArchive), "a.txt", 10);
    b.File(b.Folder(software, "b.zip", ifArchive), "b.txt", 20);
    b.File(software, "setup.exe", 3000);
    b.File(software, "readme.txt", 400);
    b.File(disk, "boot.ini", 50);
    const std::string path = dir.Path("software.ctf");
    WriteCatalogFile(cat, path);
    return path;
}

// Overwrites 16 bytes of a folder's index entry with 0xFF, from the length of its file list
// on: opening skips the entry whole, reading it as a folder finds it damaged.
void DamageFolderEntry(const std::string& path, const std::string& name)
{
    std::string bytes = ReadFileBytes(path);
    const std::string stored = std::string(1, char(name.size())) + '\0' + name;
    const size_t at = bytes.find(stored);
    ASSERT_NE(at, std::string::npos);
    const size_t from = at + stored.size() + 4; // past the file list's offset
    ASSERT_LE(from + 16, bytes.size());
    for (size_t i = from; i < from + 16; ++i) bytes[i] = char(0xFF);
    WriteFileBytes(path, bytes);
}

TEST_F(BrowsingTest, DamagedFolderIndexMetWhileBrowsingSaysSoAndKeepsWhatWasRead)
{
    const std::string path = SoftwareCatalog(dir);
    DamageFolderEntry(path, "Tools");
    form->OpenCatalogFiles({path}, false);
    ASSERT_EQ(form->Tree().Count(), 1);
    TTreeNode* software = Find(Disk(), "Software");
    ASSERT_TRUE(software);

    // Expanding the folder in the tree reads its index: the damage is reported once.
    form->DBTree->expand(form->TreeModel()->IndexOf(Disk()));
    QApplication::processEvents();
    EXPECT_TRUE(prompt.Shown.empty());
    form->DBTree->expand(form->TreeModel()->IndexOf(software));
    QApplication::processEvents();
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Error Loading Catalog");
    const QString folder = QDir::separator() + QStringLiteral("Software");
    EXPECT_EQ(prompt.Shown[0].Text, "Program detected an error while trying to load files in folder \"" + folder +
                                        "\". Catalog file may be damaged.\r\nProgram will try to recover by "
                                        "skipping the rest of files in this folder.");

    // What was read before the damage stays, with the folder's own files.
    form->SelectNode(software);
    EXPECT_EQ(ListNames(), (std::vector<QString>{"..", "Editors", "setup.exe", "readme.txt"}));
    form->SelectNode(Find(software, "Editors"));
    EXPECT_EQ(ListNames(), (std::vector<QString>{"..", "vi.exe"}));
    form->SelectNode(software);
    EXPECT_EQ(prompt.Shown.size(), 1u) << "the folder counts as read";
}

TEST_F(BrowsingTest, DamageFoundFromTheListOrTheStatusBarIsReportedToo)
{
    const std::string path = SoftwareCatalog(dir);
    DamageFolderEntry(path, "Tools");
    form->OpenCatalogFiles({path}, false);
    form->SelectNode(Disk());
    // Focusing the folder in the list makes the status bar count its sub-folders: the first
    // read of its index.
    const int row = Row("Software");
    ASSERT_GE(row, 0);
    form->ListView->setFocus();
    form->ListView->selectionModel()->setCurrentIndex(form->ListModel()->index(row, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QApplication::processEvents();
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Error Loading Catalog");
    form->OpenListItem(row);
    EXPECT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(form->SelectedNode(), Find(Disk(), "Software"));
    EXPECT_EQ(ListNames(), (std::vector<QString>{"..", "Editors", "setup.exe", "readme.txt"}));
}

// A folder of long names, of which one is very long, and a file of a large size.
std::string LongNamesCatalog(TTempDir& dir)
{
    TCatalogTree scratch;
    TCatalogBuilder b(scratch);
    TTreeNode* cat = b.Catalog("Long names");
    TTreeNode* disk = b.Disk(cat, "Archive disk");
    TTreeNode* folder = b.Folder(disk, "Documents of the year two thousand and three");
    b.File(folder, LongName, 2000000000);
    b.File(folder, "Minutes of the meeting of the garden club.doc", 48000);
    b.File(folder, "Holiday pictures from the south coast.zip", 1250000);
    for (int i = 1; i <= 12; ++i) b.File(folder, "Letter to the council number " + std::to_string(i) + ".txt", 900 + i);
    b.File(disk, std::string(300, 'x') + ".dat", 123456);
    const std::string path = dir.Path("long.ctf");
    WriteCatalogFile(cat, path);
    return path;
}

TEST_F(BrowsingTest, IconStylesGiveNamesTheRoomTheViewHas)
{
    form->OpenCatalogFiles({LongNamesCatalog(dir)}, false);
    form->SelectNode(Find(Disk(), "Documents of the year two thousand and three"));
    const int row = Row(LongName);
    ASSERT_GE(row, 0);
    const QModelIndex index = form->ListModel()->index(row, 0);
    const QFontMetrics metrics = form->IconView->fontMetrics();
    const int nameWidth = metrics.horizontalAdvance(QString::fromStdString(LongName));
    const char* const shots[] = {"large-icons", "small-icons", "list"};
    for (int style : {vsSmallIcons, vsIconList}) {
        form->SetViewStyle(style);
        QApplication::processEvents();
        const QRect cell = form->IconView->visualRect(index);
        EXPECT_GT(cell.width(), nameWidth + 16) << "style " << style << ": icon and the whole name";
        EXPECT_LT(cell.width(), form->IconView->viewport()->width()) << "style " << style;
        Shoot(form.get(), QString("list-view-") + shots[style]);
    }
    form->SetViewStyle(vsLargeIcons);
    QApplication::processEvents();
    const QRect cell = form->IconView->visualRect(index);
    EXPECT_GE(cell.width(), 96);
    EXPECT_LE(cell.width(), 160);
    EXPECT_GE(cell.height(), 32 + 3 * metrics.lineSpacing()) << "the name wraps under the icon";
    Shoot(form.get(), "list-view-large-icons");

    // A name wider than the view is cut at the view's width.
    form->SelectNode(Disk());
    form->SetViewStyle(vsIconList);
    QApplication::processEvents();
    const QRect wide = form->IconView->visualRect(form->ListModel()->index(Row(std::string(300, 'x') + ".dat"), 0));
    EXPECT_LE(wide.right(), form->IconView->viewport()->width());
    Shoot(form.get(), "list-view-list-too-long");
}

TEST_F(BrowsingTest, SizeColumnFitsSizesInFullAndStatusBarKeepsSizeAndDate)
{
    form->OpenCatalogFiles({LongNamesCatalog(dir)}, false);
    TTreeNode* folder = Find(Disk(), "Documents of the year two thousand and three");
    form->SetViewStyle(vsDetails);
    for (bool formatted : {true, false}) {
        form->Store().Options().SetFormattedSizesCheck(formatted);
        form->Store().Options().Apply();
        form->SelectNode(Disk());
        form->SelectNode(folder);
        const QString biggest = ListSizeText(2000000000);
        const int needed = form->ListView->fontMetrics().horizontalAdvance(biggest);
        EXPECT_GT(form->ListView->header()->sectionSize(fdSize), needed) << biggest.toStdString();
    }
    Shoot(form.get(), "details-sizes-in-full");

    // A long name in the status bar gives way; its size and date stay.
    form->resize(700, 500);
    QApplication::processEvents();
    const int row = Row(LongName);
    form->ListView->setFocus();
    form->ListView->selectionModel()->setCurrentIndex(form->ListModel()->index(row, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QApplication::processEvents();
    auto* file = static_cast<TFileRec*>(form->ListModel()->Item(row));
    const QString details = ", " + FormatSize(file->Size) + ", " + DosDateText(file->Modified);
    const QString shown = Panel(1);
    EXPECT_TRUE(shown.endsWith(details)) << shown.toStdString();
    EXPECT_TRUE(shown.contains("...")) << shown.toStdString();
    EXPECT_LE(form->StatusPanels[1]->fontMetrics().horizontalAdvance(shown), form->StatusPanels[1]->width());
    EXPECT_GT(form->StatusPanels[2]->width(), 50) << "the totals keep their share";
    Shoot(form.get(), "status-bar-long-name");
}

TEST_F(BrowsingTest, KeysOpenSearchAndContextMenusAtTheFocusedItem)
{
    form->OpenCatalogFiles({ShowcaseFile()}, false);
    TTreeNode* photos = Find(Catalog(), "Photos 2003");
    form->SelectNode(photos);
    form->SetViewStyle(vsDetails);
    const int games = Row("Games");
    form->ListView->setFocus();
    form->ListView->selectionModel()->setCurrentIndex(form->ListModel()->index(games, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(MenuFromKey(form->ListView, Qt::Key_F10, Qt::ShiftModifier), QStringList{"*Move To..."});
    EXPECT_EQ(MenuFromKey(form->ListView, Qt::Key_Menu), QStringList{"*Move To..."});
    EXPECT_EQ(form->ListModel()->Item(form->ListView->currentIndex().row()), Find(photos, "Games")->Data)
        << "the focused item, wherever the mouse is";

    form->DBTree->setFocus();
    form->SelectNode(Catalog());
    const QStringList catalogMenu = MenuFromKey(form->DBTree, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(catalogMenu.contains("Close Catalog")) << catalogMenu.join("|").toStdString();
    form->SelectNode(photos);
    const QStringList diskMenu = MenuFromKey(form->DBTree, Qt::Key_Menu);
    EXPECT_FALSE(diskMenu.contains("Close Catalog"));
    EXPECT_EQ(form->SelectedNode(), photos);

    EXPECT_EQ(form->MenuSearch->toolTip(), "Search for Items (Ctrl+F, F3)");
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form->DBTree, Qt::Key_F3);
    QApplication::processEvents();
    ASSERT_TRUE(form->SearchWindow());
    EXPECT_TRUE(form->SearchWindow()->isVisible());
}

TEST_F(BrowsingTest, EmptyWindowShowsDiskColumnsAtStartAndAfterCloseAll)
{
    auto captions = [&] {
        QStringList texts;
        for (int i = 0; i < form->ListModel()->columnCount(); ++i)
            texts << form->ListModel()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        for (QAction* a : form->ArrangeActions) texts << a->text();
        texts << form->SortButtons[1]->toolTip();
        return texts;
    };
    const QStringList atStart = captions();
    EXPECT_EQ(atStart.front(), "Disk Name");
    EXPECT_TRUE(atStart.contains("Arrange by &Free Space"));
    form->OpenCatalogFiles({ShowcaseFile()}, false);
    form->SelectNode(Find(Find(Catalog(), "Photos 2003"), "Games"));
    EXPECT_EQ(captions().front(), "Filename");
    prompt.Answers = {pbOK};
    form->MenuCloseAllClick();
    ASSERT_EQ(form->Tree().Count(), 0);
    EXPECT_EQ(captions(), atStart);
}

} // namespace
