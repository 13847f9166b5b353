// The main window's browsing: filling the list from the tree's selection, opening items,
// going back, view styles, sorting and the status bar texts.

#include "GuiProgress.h"
#include "IconCells.h"
#include "MainForm.h"
#include "SortInterrupt.h"
#include "StatusItemLabel.h"
#include "ToolIcons.h"
#include "browser/BrowserOptions.h"
#include "browser/DisplayText.h"
#include "browser/ItemText.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace quorvex {

TTreeNode* TMainForm::SelectedNode() const
{
    const QModelIndex current = DBTree->selectionModel()->currentIndex();
    return current.isValid() ? m_treeModel->Node(current) : nullptr;
}

void TMainForm::SelectNode(TTreeNode* node)
{
    m_shownNode = nullptr; // a selection made by the program always refills the list
    const QModelIndex index = m_treeModel->IndexOf(node);
    m_programSelecting = true;
    ++m_busy;
    DBTree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_busy = std::max(0, m_busy - 1);
    m_programSelecting = false;
    if (index.isValid()) DBTree->scrollTo(index);
    if (m_busy == 0) TreeSelectionChanged();
}

void TMainForm::TreeSelectionChanged()
{
    if (m_busy > 0) return;
    if (ListUpdateTimer->isActive()) ListUpdateTimer->start();
    TTreeNode* node = SelectedNode();
    if (node && node->Data && ItemIs(node->Data, ikFolder)) {
        try {
            BrowseSubfolders(node);
        } catch (const std::exception& e) {
            Prompt().Inform("Catalog error", QString::fromUtf8(e.what()), TPromptIcon::Error);
        }
    }
    ShowNodeContents(node);
    RefreshCommands();
    RefreshStatus();
}

void TMainForm::ListUpdateTimerFired()
{
    ListUpdateTimer->stop();
    if (TSortInterrupt::Active()) {
        ListUpdateTimer->start();
        return;
    }
    if (SelectedNode() != m_shownNode) {
        m_busy = 0;
        TreeSelectionChanged();
    }
    RefreshCommands();
    RefreshStatus();
}

TSortContext TMainForm::SortContextFor(bool diskList) const
{
    TSortContext ctx;
    ctx.Key = diskList ? m_diskKey : m_fileKey;
    ctx.Reverse = m_reverse;
    ctx.ArchivesAsFolders = BrowserOptions().ArchivesSortCheck;
    return ctx;
}

bool TMainForm::ListShowsDisks() const
{
    TTreeNode* node = SelectedNode();
    // With nothing selected the sort controls follow the columns the empty list shows.
    return node ? node->Data && ItemIs(node->Data, ikCatalog) : m_listModel->Columns() == csDisks;
}

int TMainForm::CurrentSortKey() const
{
    return ListShowsDisks() ? m_diskKey : m_fileKey;
}

void TMainForm::RememberColumnWidths()
{
    auto& widths = m_columnWidths[m_listModel->Columns() == csDisks ? 0 : 1];
    widths.clear();
    for (int i = 0; i < m_listModel->columnCount(); ++i) widths.push_back(ListView->header()->sectionSize(i));
}

void TMainForm::ApplyColumnWidths()
{
    const TColumnSet set = m_listModel->Columns();
    const auto& widths = m_columnWidths[set == csDisks ? 0 : 1];
    static const int diskDefaults[] = {150, 115, 120, 80, 80, 150, 260};
    static const int fileDefaults[] = {170, 45, 75, 80, 60, 45, 190, 90};
    // A date of two-digit day and a long month name, in the system's short format, must fit the
    // date column at its default width whatever the font.
    const int dateColumn = set == csDisks ? -1 : 3;
    const QString sampleDate = QLocale::system().toString(QDate(2026, 9, 28), QLocale::ShortFormat);
    const int dateWidth = ListView->fontMetrics().horizontalAdvance(sampleDate) + 16;
    for (int i = 0; i < m_listModel->columnCount(); ++i) {
        int w = size_t(i) < widths.size() ? widths[size_t(i)] : (set == csDisks ? diskDefaults[i] : fileDefaults[i]);
        if (size_t(i) >= widths.size() && i == dateColumn) w = std::max(w, dateWidth);
        if (set == csFiles && i == fdSize) w = std::max(w, SizeColumnWidth());
        ListView->header()->resizeSection(i, w);
    }
}

int TMainForm::SizeColumnWidth() const
{
    // Sizes in full are as wide as their digits: the largest one is the widest text.
    if (BrowserOptions().FormattedSizesCheck) return 0;
    int64_t largest = 0;
    for (const TItemRec* rec : m_listModel->Store()) largest = std::max(largest, ItemSizeBytes(rec));
    const int margin = 2 * ListView->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView) + 12;
    return ListView->fontMetrics().horizontalAdvance(ListSizeText(largest)) + margin;
}

void TMainForm::ShowNodeContents(TTreeNode* node)
{
    if (node && node == m_shownNode) return;
    Progress().SetStatus(QStringLiteral("Loading files..."), 2);
    setUpdatesEnabled(false);
    if (!node) node = SelectedNode();
    m_shownNode = node;
    if (m_widthsApplied) RememberColumnWidths();
    std::vector<TItemRec*> store;
    TColumnSet columns = csDisks; // with nothing selected the list is a disk list
    if (node && node->Data) {
        const bool catalog = ItemIs(node->Data, ikCatalog);
        columns = catalog ? csDisks : csFiles;
        try {
            LoadFiles(node);
        } catch (const std::exception& e) {
            Prompt().Inform("Catalog error", QString::fromUtf8(e.what()), TPromptIcon::Error);
        }
        int fileCount = 0;
        if (auto* folder = AsFolder(node->Data)) fileCount = folder->FileCount;
        else if (auto* disk = AsDisk(node->Data)) fileCount = disk->FileCount;
        store.reserve(size_t(node->Count()) + size_t(std::max(0, fileCount)) + 1);
        if (AsFolder(node->Data) && BrowserOptions().ShowPrevCheck) {
            m_back.Prepare(node);
            store.push_back(m_back.Rec());
        }
        for (const auto& child : node->Children())
            if (child->Data) store.push_back(child->Data);
        if (!catalog)
            for (TFileRec* f = node->Data->Next; f; f = f->Next) store.push_back(f);
        TSortInterrupt interrupt;
        SortList(store, SortContextFor(catalog), [&interrupt] { return interrupt(); });
        SortTreeChildren(node);
    }
    m_listModel->SetStore(std::move(store), columns);
    ApplyColumnWidths();
    m_widthsApplied = true;
    RefreshSortControls();
    if (m_selectAfterFill) {
        SelectListRow(m_listModel->RowOf(m_selectAfterFill));
        m_selectAfterFill = nullptr;
    }
    setUpdatesEnabled(true);
    Progress().SetStatus({}, 0);
}

void TMainForm::SelectListRow(int row)
{
    if (row < 0) return;
    const QModelIndex index = m_listModel->index(row, 0);
    ListView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CurrentListView()->scrollTo(index);
}

void TMainForm::SortTreeChildren(TTreeNode* node)
{
    if (!node || node->Count() < 2) return;
    std::vector<TItemRec*> recs;
    recs.reserve(size_t(node->Count()));
    for (const auto& child : node->Children())
        if (child->Data) recs.push_back(child->Data);
    if (recs.size() != size_t(node->Count())) return;
    SortList(recs, SortContextFor(ItemIs(node->Data, ikCatalog)));
    std::vector<TTreeNode*> order;
    order.reserve(recs.size());
    for (TItemRec* r : recs) order.push_back(r->Node);
    m_tree.ReorderChildren(node, order);
}

void TMainForm::OpenListItem(int row)
{
    TItemRec* rec = m_listModel->Item(row);
    if (!rec) return;
    if (ItemIs(rec, ikFolder) || ItemIs(rec, ikDisk)) {
        if (IsBackItem(rec)) {
            BackOneLevel();
            return;
        }
        TTreeNode* child = rec->Node;
        if (child && child->Parent() == SelectedNode()) {
            if (ItemIs(rec, ikFolder)) {
                try {
                    BrowseSubfolders(child);
                } catch (const std::exception& e) {
                    Prompt().Inform("Catalog error", QString::fromUtf8(e.what()), TPromptIcon::Error);
                }
            }
            DBTree->expand(m_treeModel->IndexOf(child->Parent()));
            SelectNode(child);
            SelectListRow(0);
        }
        CurrentListView()->setFocus();
        return;
    }
    // Files: the double-click actions arrive with the file commands.
}

void TMainForm::BackOneLevel()
{
    TTreeNode* node = SelectedNode();
    TTreeNode* parent = node ? node->Parent() : nullptr;
    if (!parent || !parent->Data) return;
    if (ItemIs(parent->Data, ikFolder)) {
        try {
            BrowseSubfolders(parent);
        } catch (const std::exception& e) {
            Prompt().Inform("Catalog error", QString::fromUtf8(e.what()), TPromptIcon::Error);
        }
    }
    m_selectAfterFill = node->Data;
    QWidget* focused = QApplication::focusWidget();
    SelectNode(parent);
    if (focused) focused->setFocus();
}

void TMainForm::LocateItem(TItemRec* rec)
{
    if (!rec) return;
    raise();
    activateWindow();
    TTreeNode* node = rec->Node;
    if (!node) return;
    for (TTreeNode* p = node->Parent(); p && p->Data; p = p->Parent()) DBTree->expand(m_treeModel->IndexOf(p));
    SelectNode(node);
    QApplication::processEvents();
    if (ItemIs(rec, ikFile)) {
        ListView->selectionModel()->clearSelection();
        SelectListRow(m_listModel->RowOf(rec));
        CurrentListView()->setFocus();
    } else {
        DBTree->setFocus();
    }
}

QAbstractItemView* TMainForm::CurrentListView() const
{
    return m_viewStyle == vsDetails ? static_cast<QAbstractItemView*>(ListView) : IconView;
}

void TMainForm::SetViewStyle(int style)
{
    if (style < vsLargeIcons || style > vsDetails) style = vsDetails;
    const bool hadFocus = ListHasFocus();
    setUpdatesEnabled(false);
    m_viewStyle = style;
    if (style == vsDetails) {
        m_listStack->setCurrentWidget(ListView);
    } else {
        m_listStack->setCurrentWidget(IconView);
        m_listModel->SetLargeIcons(style == vsLargeIcons);
        m_iconCells->SetStyle(style);
    }
    setUpdatesEnabled(true);
    if (hadFocus) CurrentListView()->setFocus();
    for (int i = 0; i < 4; ++i) ViewActions[size_t(i)]->setChecked(i == m_viewStyle);
}

std::vector<TItemRec*> TMainForm::SelectedListItems() const
{
    std::vector<TItemRec*> items;
    for (const QModelIndex& i : ListView->selectionModel()->selectedRows())
        if (TItemRec* rec = m_listModel->Item(i.row())) items.push_back(rec);
    return items;
}

void TMainForm::SortCommand(int key)
{
    if (key == CurrentSortKey()) {
        RefreshSortControls();
        return;
    }
    const bool diskList = ListShowsDisks();
    (diskList ? m_diskKey : m_fileKey) = key;
    SortMainList(true);
}

void TMainForm::HeaderClicked(int section)
{
    if (section == CurrentSortKey()) ToggleReverse();
    else SortCommand(section);
}

void TMainForm::ToggleReverse()
{
    m_reverse = !m_reverse;
    SortMainList(false);
}

void TMainForm::SortMainList(bool resort)
{
    if (m_tree.Count() == 0) {
        RefreshSortControls();
        return;
    }
    Progress().SetStatus("Sorting " + QString::number(m_listModel->rowCount()) + " files, please wait...", StatusBusy);
    std::vector<TItemRec*> store = m_listModel->Store();
    const bool diskList = ListShowsDisks();
    if (resort) {
        TSortInterrupt interrupt;
        SortList(store, SortContextFor(diskList), [&interrupt] { return interrupt(); });
    } else {
        ReverseList(store);
    }
    m_listModel->Reordered(store); // selection and focus follow their records
    const QModelIndex current = ListView->selectionModel()->currentIndex();
    if (current.isValid()) CurrentListView()->scrollTo(current);
    SortTreeChildren(SelectedNode());
    RefreshSortControls();
    Progress().SetStatus({}, 0);
}

void TMainForm::RefreshSortControls()
{
    const bool diskList = ListShowsDisks();
    const int key = diskList ? m_diskKey : m_fileKey;
    const bool any = m_listModel->rowCount() > 0;
    static const char* const fileArrange[] = {"Filename", "Extension", "Size", "Date", "Time", "Attributes"};
    static const char* const diskArrange[] = {"Disk Name", "Media Type", "Volume Label", "Capacity", "Free Space", "Update Date"};
    for (int i = 0; i < 6; ++i) {
        QAction* a = ArrangeActions[size_t(i)];
        a->setText(QString("Arrange by &") + (diskList ? diskArrange[i] : fileArrange[i]));
        a->setChecked(i == key);
        a->setEnabled(any);
    }
    const QString tips[] = {"Sort by Name", diskList ? "Sort by Media Type" : "Sort by Extension", "Sort by Size",
                            diskList ? "Sort by Free Space" : "Sort by Date"};
    for (int i = 0; i < 4; ++i) {
        QAction* b = SortButtons[size_t(i)];
        b->setToolTip(tips[i]);
        b->setChecked(i == key);
        b->setEnabled(any);
    }
    SortButtons[1]->setIcon(ToolIcon(diskList ? tiSortMedia : tiSortExt));
    SortButtons[3]->setIcon(ToolIcon(diskList ? tiSortFree : tiSortDate));
    MenuReverse->setChecked(m_reverse);
    MenuReverse->setEnabled(any);
    if (key < m_listModel->columnCount()) {
        ListView->header()->setSortIndicatorShown(true);
        ListView->header()->setSortIndicator(key, m_reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
    } else {
        ListView->header()->setSortIndicatorShown(false);
    }
}

void TMainForm::RefreshStatus()
{
    if (m_closing) return;
    TTreeNode* node = SelectedNode();
    TCatalogRec* cat = OwningCatalogRec(node);
    const QString indicator = !cat ? "Empty" : cat->Modified ? "Modified" : "Loaded";
    StatusPanels[0]->setText(indicator);
    MenuSave->setEnabled(indicator == "Modified");
    if (!m_statusShowsOperation) {
        TItemRec* rec = nullptr;
        QString name;
        if (ListHasFocus()) {
            rec = m_listModel->Item(ListView->selectionModel()->currentIndex().row());
            if (rec) name = ItemName(rec);
        } else if (node && node->Data) {
            rec = node->Data;
            name = DisplayText(node->Text);
        }
        const QString item = StatusItemText(rec, name);
        const bool named = !name.isEmpty() && item.startsWith(name);
        static_cast<TStatusItemLabel*>(StatusPanels[1])
            ->SetItemText(named ? name : QString(), named ? item.mid(name.size()) : item);
    }
    const std::vector<TItemRec*> selected = SelectedListItems();
    StatusPanels[2]->setText(selected.empty() ? ListTotals(m_listModel->Store(), false) : ListTotals(selected, true));
}

void TMainForm::RefreshCommands()
{
    if (m_closing) return;
    const bool anyCatalog = m_tree.Count() > 0;
    for (QAction* a : {MenuSaveAs, MenuClose, MenuCloseAll, MenuAddDisk}) a->setEnabled(anyCatalog);
    TTreeNode* node = SelectedNode();
    MenuBack->setEnabled(node && node->Data && !ItemIs(node->Data, ikCatalog));
    const bool items = m_listModel->rowCount() > 0;
    for (QAction* a : ViewActions) a->setEnabled(items);
    RefreshSortControls();
    RefreshSearchCommands();
    RefreshStatus();
}

} // namespace quorvex
