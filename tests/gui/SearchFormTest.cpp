// The search window over real catalog files: criteria, scope, the worker thread with its
// progress and Cancel, the found list and its commands, and the categories setup.

#include "GuiFixture.h"

#include "CategoriesForm.h"
#include "FoundListModel.h"
#include "SearchForm.h"
#include "browser/ItemText.h"
#include "catalog/CatalogOpener.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "search/FoundListColumns.h"
#include "search/SearchGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QAction>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

// Two disks of two folders of 200 files each: file000.txt ... file199.txt.
std::string WriteBigCatalog(TTempDir& dir, const std::string& name, const std::string& diskPrefix)
{
    TCatalogTree scratch;
    TCatalogBuilder b(scratch);
    TTreeNode* cat = b.Catalog(name);
    for (int d = 1; d <= 2; ++d) {
        TTreeNode* disk = b.Disk(cat, diskPrefix + std::to_string(d));
        for (const char* folderName : {"Docs", "Misc"}) {
            TTreeNode* folder = b.Folder(disk, folderName);
            for (int i = 0; i < 200; ++i) {
                char fileName[32];
                std::snprintf(fileName, sizeof fileName, "file%03d.txt", i);
                b.File(folder, fileName, 100 + i);
            }
        }
    }
    const std::string path = dir.Path(name + ".ctf");
    WriteCatalogFile(cat, path);
    return path;
}

class SearchFormTest : public TMainFormTest
{
protected:
    TSearchForm* search = nullptr;

    void OpenSearch()
    {
        form->MenuSearchClick();
        search = form->SearchWindow();
        ASSERT_TRUE(search);
        QApplication::processEvents();
    }
    void SearchByName(const QString& text)
    {
        search->ByNameCheck->setChecked(true);
        search->NameCombo->setCurrentIndex(nmPartOfName);
        search->NameEdit->setText(text);
    }
    void RunToEnd()
    {
        search->FindClick();
        ASSERT_TRUE(WaitFor([&] { return !search->Searching(); }, 30000));
        QApplication::processEvents();
    }
    std::vector<QString> Column(int column)
    {
        std::vector<QString> texts;
        for (int r = 0; r < search->FoundModel()->rowCount(); ++r)
            texts.push_back(FoundItemText(search->FoundModel()->Item(r), column));
        return texts;
    }
    bool Shown(const QString& caption) const
    {
        for (const TPromptMessage& m : prompt.Shown)
            if (m.Caption == caption) return true;
        return false;
    }
};

TEST_F(SearchFormTest, SearchesTwoCatalogsStopsClosesAndLocates)
{
    form->OpenCatalogFiles({WriteBigCatalog(dir, "Alpha", "A"), WriteBigCatalog(dir, "Beta", "B")},
                           false);
    ASSERT_EQ(form->Tree().Count(), 2);
    OpenSearch();
    // file1, file10..file19, file100..file199: 100 in each of the 8 folders.
    SearchByName("file1");

    // The first search is stopped at its first progress report; commands that would change
    // what it walks are refused meanwhile.
    bool tried = false;
    int reports = 0;
    qint64 checkedAtEnd = 0, total = 0;
    auto connection = QObject::connect(search, &TSearchForm::ProgressReported,
                                       [&](qint64 checked, qint64 all, int) {
                                           ++reports;
                                           checkedAtEnd = checked;
                                           total = all;
                                           if (tried) return;
                                           tried = true;
                                           EXPECT_TRUE(SearchRunning());
                                           form->MenuCloseAllClick();
                                           form->SelectNode(form->Tree().Catalog(1));
                                           form->MenuSaveClick();
                                           form->MenuOpenClick();
                                           search->CancelClick();
                                       });
    prompt.Answers = {pbOK, pbOK, pbOK};
    RunToEnd();
    QObject::disconnect(connection);
    EXPECT_TRUE(Shown("Can't close catalog"));
    EXPECT_TRUE(Shown("Can't Save Catalog"));
    EXPECT_TRUE(Shown("Can't Open Catalog"));
    EXPECT_EQ(form->Tree().Count(), 2);
    EXPECT_FALSE(Shown("No hits")) << "a cancelled search says nothing";
    EXPECT_LT(checkedAtEnd, total);
    const int partial = search->FoundModel()->rowCount();
    EXPECT_GT(partial, 0);
    EXPECT_LT(partial, 8 * 100);
    EXPECT_EQ(search->FocusedRow(), 0) << "the first hit is selected";

    // A second search without clearing adds only what is not listed yet.
    search->ClearResultsCheck->setChecked(false);
    RunToEnd();
    EXPECT_EQ(search->FoundModel()->rowCount(), 8 * 100);
    EXPECT_EQ(search->Found().Count(), 8 * 100);
    EXPECT_TRUE(search->StatusPanels[0]->text() == "Items in list: 800");
    std::vector<QString> media = Column(5);
    EXPECT_EQ(std::count(media.begin(), media.end(), "B2"), 2 * 100);

    // Folders whose files gave no hits were not kept in memory.
    for (int c = 0; c < 2; ++c)
        for (const auto& disk : form->Tree().Catalog(c)->Children())
            for (const auto& folder : disk->Children())
                EXPECT_TRUE(AsFolder(folder->Data)->FilesInMemory)
                    << "folders with hits keep their files";

    // Sorting by size keeps the focused item focused.
    TItemRec* focused = search->FoundModel()->Item(search->FocusedRow());
    search->FoundHeaderClicked(2);
    EXPECT_EQ(search->FoundModel()->Item(search->FocusedRow()), focused);
    const auto sizes = search->Found().Entries().Items();
    for (size_t i = 1; i < sizes.size(); ++i)
        ASSERT_LE(static_cast<TFileRec*>(sizes[i - 1])->Size,
                  static_cast<TFileRec*>(sizes[i])->Size);

    // Closing a catalog takes its hits out of the list.
    form->SelectNode(form->Tree().Catalog(1));
    form->MenuCloseClick();
    ASSERT_EQ(form->Tree().Count(), 1);
    QApplication::processEvents();
    EXPECT_EQ(search->FoundModel()->rowCount(), 4 * 100);
    media = Column(5);
    EXPECT_EQ(std::count(media.begin(), media.end(), "A1") +
                  std::count(media.begin(), media.end(), "A2"),
              4 * 100);
    EXPECT_EQ(search->CatalogTree->topLevelItemCount(), 1) << "the scope tree follows";

    // Locate in Catalog selects the hit in the main window.
    const QModelIndex row = search->FoundModel()->index(10, 0);
    search->FoundView->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
    auto* hit = static_cast<TFileRec*>(search->FoundModel()->Item(10));
    search->LocateClick();
    QApplication::processEvents();
    EXPECT_EQ(form->SelectedNode(), hit->Node);
    const QModelIndex current = form->ListView->selectionModel()->currentIndex();
    ASSERT_TRUE(current.isValid());
    EXPECT_EQ(form->ListModel()->Item(current.row()), hit);

    // The icon styles show the same rows with the same focus.
    const int focusedRow = search->FocusedRow();
    search->ViewActions[0]->trigger();
    EXPECT_EQ(search->CurrentFoundView(), static_cast<QAbstractItemView*>(search->FoundIcons));
    EXPECT_TRUE(search->FoundIcons->isVisible());
    EXPECT_EQ(search->FocusedRow(), focusedRow);
    search->SetViewStyle(3);
    EXPECT_TRUE(search->FoundView->isVisible());

    // Maximize Found List: the criteria and the search buttons make room for the list.
    const int listBefore = search->FoundView->height();
    search->MaximizeAction->trigger();
    EXPECT_TRUE(search->Pages->isHidden());
    EXPECT_TRUE(search->FindBtn->isHidden());
    EXPECT_TRUE(search->FoundArea->isVisible());
    search->MaximizeAction->trigger();
    EXPECT_FALSE(search->Pages->isHidden());
    EXPECT_NEAR(search->FoundView->height(), listBefore, 2);

    // Remove the focused row and the one before it: the focus stays on the same position.
    search->FoundView->selectionModel()->select(
        search->FoundModel()->index(9, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    prompt.Answers = {pbYes};
    search->DeleteSelectedClick();
    EXPECT_EQ(search->FoundModel()->rowCount(), 4 * 100 - 2);
    EXPECT_EQ(search->FocusedRow(), 9);
    EXPECT_EQ(hit->Slots[SearchSlot], -1);
}

TEST_F(SearchFormTest, CriteriaAreCheckedAndTidied)
{
    form->OpenCatalogFiles({WriteBigCatalog(dir, "Alpha", "A")}, false);
    OpenSearch();
    EXPECT_FALSE(search->FindBtn->isEnabled()) << "no criteria group is on";
    EXPECT_FALSE(search->ByCategoryCheck->isEnabled()) << "no catalog has categories";

    // An empty name: the page shows, the user keeps the criterion, nothing is searched.
    search->ByNameCheck->setChecked(true);
    EXPECT_TRUE(search->FindBtn->isEnabled());
    prompt.Answers = {pbNo};
    search->FindClick();
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Invalid item name field");
    EXPECT_FALSE(search->Searching());
    EXPECT_EQ(search->Pages->currentWidget(), search->NameEdit->parentWidget());

    // Wildcards switch the mode to File Mask; a mask of only separators is refused.
    search->NameEdit->setText("a*b");
    search->Pages->setCurrentIndex(0);
    QApplication::processEvents();
    prompt.Shown.clear();
    prompt.Answers = {pbOK}; // "No hits"
    search->FindClick();
    EXPECT_EQ(search->NameCombo->currentIndex(), nmMask);
    ASSERT_TRUE(WaitFor([&] { return !search->Searching(); }));
    EXPECT_TRUE(Shown("No hits"));
    search->NameEdit->setText(",/\\");
    prompt.Shown.clear();
    prompt.Answers = {pbYes}; // switch the criterion off
    search->FindClick();
    ASSERT_GE(prompt.Shown.size(), 2u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Invalid file mask field");
    EXPECT_EQ(prompt.Shown[1].Text, "There is no criteria left to search by.");
    EXPECT_FALSE(search->ByNameCheck->isChecked());

    // File Extension text is tidied when the page is left; the remembered text per mode.
    search->ByNameCheck->setChecked(true);
    search->NameCombo->setCurrentIndex(nmExtension);
    search->NameEdit->setText("*.TXT, doc");
    search->Pages->setCurrentIndex(0);
    EXPECT_EQ(search->NameEdit->text(), "TXT,doc");
    search->NameCombo->setCurrentIndex(nmExact);
    EXPECT_EQ(search->NameEdit->text(), "");
    search->NameCombo->setCurrentIndex(nmExtension);
    EXPECT_EQ(search->NameEdit->text(), "TXT,doc");

    // Sizes: 2.5 GB becomes 2560 MB when the field is left; a reversed range is put in order.
    search->BySizeCheck->setChecked(true);
    search->SizeCombo->setCurrentIndex(smBetween);
    search->SizeValues[0]->setText("2.5");
    search->SizeUnits[0]->setCurrentIndex(3);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(search->SizeValues[0], &out);
    EXPECT_EQ(search->SizeValues[0]->text(), "2560");
    EXPECT_EQ(search->SizeUnits[0]->currentIndex(), 2);
    search->SizeValues[1]->setText("1");
    search->SizeUnits[1]->setCurrentIndex(1);
    search->Pages->setCurrentIndex(0);
    EXPECT_EQ(search->SizeValues[0]->text(), "1");
    EXPECT_EQ(search->SizeUnits[0]->currentIndex(), 1);
    EXPECT_EQ(search->SizeValues[1]->text(), "2560");

    // Scope: one disk out makes its catalog partly checked; Exclude All disables itself.
    search->ShowLimitCheck->setChecked(true);
    QTreeWidgetItem* cat = search->CatalogTree->topLevelItem(0);
    ASSERT_EQ(cat->childCount(), 2);
    EXPECT_FALSE(search->IncludeBtn->isEnabled());
    cat->child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(cat->checkState(0), Qt::PartiallyChecked);
    EXPECT_TRUE(search->IncludeBtn->isEnabled());
    search->ExcludeBtn->click();
    EXPECT_EQ(cat->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(search->ExcludeBtn->isEnabled());

    // File Type: the registered types; a search without the limit covers every disk, and the
    // limit set before shows again afterwards.
    search->BySizeCheck->setChecked(false);
    search->ShowLimitCheck->setChecked(false);
    search->NameCombo->setCurrentIndex(nmFileType);
    EXPECT_FALSE(search->FileTypeCombo->isHidden());
    EXPECT_TRUE(search->NameEdit->isHidden());
    const std::vector<TFileType> types = RegisteredFileTypes();
    int textRow = -1;
    for (size_t i = 0; i < types.size() && textRow < 0; ++i)
        if (types[i].Extensions.contains(QStringLiteral(".txt\x01"), Qt::CaseInsensitive))
            textRow = int(i) + 1;
    ASSERT_EQ(search->FileTypeCombo->count(), int(types.size()) + 1);
    emit search->FileTypeCombo->activated(0);
    EXPECT_EQ(search->FileTypeCombo->currentIndex(), -1) << "(none) is never a chosen state";
    if (textRow > 0) {
        search->FileTypeCombo->setCurrentIndex(textRow);
        prompt.Shown.clear();
        search->FindClick();
        ASSERT_TRUE(WaitFor([&] { return !search->Searching(); }));
        EXPECT_EQ(search->FoundModel()->rowCount(), 800);
        search->ShowLimitCheck->setChecked(true);
        EXPECT_EQ(search->CatalogTree->topLevelItem(0)->checkState(0), Qt::Unchecked);
    }

    // New Search restores the defaults and empties the list.
    search->NewSearchClick();
    EXPECT_FALSE(search->ByNameCheck->isChecked());
    EXPECT_FALSE(search->BySizeCheck->isChecked());
    EXPECT_TRUE(search->ShowLimitCheck->isChecked());
    EXPECT_EQ(search->FoundModel()->rowCount(), 0);
}

TEST_F(SearchFormTest, CategoriesSetupRenamesAndRemovesReferences)
{
    form->OpenCatalogFiles({ShowcaseFile()}, false);
    TTreeNode* cat = form->Tree().Catalog(0);
    TTreeNode* photos = Find(cat, "Photos 2003");
    EXPECT_TRUE(form->MenuCategories->isEnabled());
    OpenSearch();
    search->ByCategoryCheck->setChecked(true);
    ASSERT_EQ(search->CategoryList->count(), 4);

    // The dialog runs modal from the menu command; the steps run once it shows.
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* setup = qobject_cast<TCategoriesForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(setup);
        ran = true;
        EXPECT_EQ(setup->CatalogCombo->currentText(), "Collection");
        ASSERT_EQ(setup->CategoryListBox->count(), 3);
        setup->CategoryListBox->setCurrentRow(0); // Games
        AnswerNextDialog("Toys");
        setup->RenameClick();
        setup->CategoryListBox->setCurrentRow(0); // Music, now first by name
        EXPECT_EQ(setup->CategoryListBox->currentItem()->text(), "Music");
        prompt.Answers = {pbYes};
        setup->DeleteClick();
        EXPECT_EQ(setup->CategoryListBox->count(), 2);
        setup->CategoryEdit->setText("Radio");
        setup->AddClick();
        EXPECT_EQ(setup->CategoryListBox->count(), 3);
        EXPECT_FALSE(setup->RemoveAllChecks[0]->isEnabled()) << "flag 1 is not defined";
        setup->FlagEdits[0]->setText("Favourite");
        QFocusEvent left(QEvent::FocusOut);
        QApplication::sendEvent(setup->FlagEdits[0], &left);
        setup->accept();
    });
    form->MenuCategoriesClick(photos);
    ASSERT_TRUE(ran);
    TTreeNode* games = Find(photos, "Games");
    EXPECT_EQ(CategoryName(games->Data), "Toys");
    TTreeNode* music = Find(photos, "Music");
    LoadFiles(music);
    ASSERT_TRUE(music->Data->Next);
    EXPECT_EQ(CategoryNumber(music->Data->Next->CategoryByte), 0)
        << "the deleted category is gone from its item";
    EXPECT_TRUE(AsCatalog(cat->Data)->Modified);
    std::vector<QString> rows;
    for (int i = 0; i < search->CategoryList->count(); ++i)
        rows.push_back(search->CategoryList->item(i)->text());
    EXPECT_EQ(rows, (std::vector<QString>{"(Items without category)", "Radio", "Toys", "Work"}));
    EXPECT_EQ(AsCatalog(cat->Data)->FlagNames[0].Str(), "Favourite");
    ASSERT_EQ(search->FlagsList->count(), 1);
    EXPECT_EQ(search->FlagsList->item(0)->text(), "Favourite");

    // Reached from the menu; Cancel without changes asks nothing.
    AnswerNextDialog(QString(), false);
    form->MenuCategoriesClick(cat);
    EXPECT_EQ(prompt.Shown.size(), 1u);
}

TEST_F(SearchFormTest, KeepsItsPlaceAndListHeight)
{
    const std::string file = WriteBigCatalog(dir, "Alpha", "A");
    form->OpenCatalogFiles({file}, false);
    OpenSearch();
    search->move(40, 50);
    search->resize(760, search->height());
    SearchByName("file15");
    RunToEnd();
    ASSERT_TRUE(search->FoundArea->isVisible());
    const int listHeight = search->FoundArea->height();
    form->close();
    EXPECT_EQ(search->Found().Count(), 0)
        << "the list let go of the records before the catalogs closed";
    form.reset();
    NewForm();
    form->OpenCatalogFiles({file}, false);
    OpenSearch();
    EXPECT_EQ(search->pos(), QPoint(40, 50));
    EXPECT_EQ(search->width(), 760);
    EXPECT_FALSE(search->FoundArea->isVisible());
    SearchByName("file15");
    RunToEnd();
    EXPECT_NEAR(search->FoundArea->height(), listHeight, 2);
}

TEST_F(SearchFormTest, EnterFindsAndTheListKnowsItsKeys)
{
    form->OpenCatalogFiles({WriteBigCatalog(dir, "Alpha", "A")}, false);
    OpenSearch();
    SearchByName("file15");
    QTest::keyClick(search->NameEdit, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return search->FoundModel()->rowCount() > 0 && !search->Searching(); }, 30000));

    EXPECT_EQ(search->LocateAction->toolTip(), "Locate in Catalog (Ctrl-T)");
    EXPECT_EQ(search->DeleteAction->toolTip(), "Delete selected item(s) (Del)");
    EXPECT_EQ(search->ClearAction->toolTip(), "Remove all items from the list (Shift-Del)");

    // A double click where no control is toggles the maximized list.
    auto doubleClickFreeArea = [&] {
        QApplication::processEvents();
        for (int y = 2; y < search->height(); y += 3)
            for (int x = 2; x < search->width(); x += 3)
                if (!search->childAt(x, y)) {
                    QTest::mouseDClick(search, Qt::LeftButton, {}, QPoint(x, y));
                    return true;
                }
        return false;
    };
    ASSERT_TRUE(doubleClickFreeArea());
    EXPECT_TRUE(search->Found().Maximized);
    EXPECT_TRUE(search->Pages->isHidden());
    ASSERT_TRUE(doubleClickFreeArea());
    EXPECT_FALSE(search->Found().Maximized);
    EXPECT_FALSE(search->Pages->isHidden());
}

// Notes whether the search window could be used while a question was asked.
class TSearchWatchingPrompt : public IPrompt {
public:
    explicit TSearchWatchingPrompt(TSearchForm*& search) : m_search(search) {}
    int Ask(const TPromptMessage& message) override
    {
        Asked.push_back(message.Caption);
        SearchEnabled.push_back(m_search && m_search->isEnabled());
        return message.Caption == "Confirm" ? pbNo : pbOK;
    }
    std::vector<QString> Asked;
    std::vector<bool> SearchEnabled;

private:
    TSearchForm*& m_search;
};

TEST_F(SearchFormTest, ClosingCatalogsDisablesTheWindowAndTheLastOneHidesIt)
{
    form->OpenCatalogFiles({WriteBigCatalog(dir, "Alpha", "A"), WriteBigCatalog(dir, "Beta", "B")}, false);
    OpenSearch();
    ASSERT_TRUE(search->isVisible());
    TSearchWatchingPrompt watching(search);
    SetPrompt(&watching);
    for (int i = 0; i < 2; ++i) {
        TTreeNode* cat = form->Tree().Catalog(form->Tree().Count() - 1);
        MarkCatalogModified(cat, true); // so that closing asks
        form->SelectNode(cat);
        form->MenuCloseClick();
        ASSERT_EQ(watching.SearchEnabled.size(), size_t(i + 1));
        EXPECT_FALSE(watching.SearchEnabled.back()) << "closing catalog " << i;
        EXPECT_TRUE(search->isEnabled());
        EXPECT_EQ(search->isVisible(), i == 0) << "after closing catalog " << i;
    }
    SetPrompt(&prompt);
    EXPECT_EQ(form->Tree().Count(), 0);
}

} // namespace
