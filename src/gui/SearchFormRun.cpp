// The search window running a search, and the commands of its found list.

#include "FoundListModel.h"
#include "IconCells.h"
#include "MainForm.h"
#include "SearchForm.h"
#include "browser/BrowserOptions.h"
#include "browser/ItemText.h"
#include "catalog/Progress.h"
#include "catalog/ResultLists.h"
#include "platform/Prompt.h"
#include "search/FoundListColumns.h"
#include "search/SearchHost.h"
#include "search/SearchThread.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QStackedWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

namespace quorvex
{

namespace
{

constexpr int SlotModulo = 32768;

// The row of an entry, from its slot.
int RowOfEntry(const TFoundList& list, const TItemRec* rec)
{
    const int slot = rec->Slots[SearchSlot];
    if (slot < 0) return -1;
    for (int row = slot; row < list.Count(); row += SlotModulo)
        if (list.Item(row) == rec) return row;
    return -1;
}

} // namespace

void TSearchForm::FindClick()
{
    if (Searching()) return;
    LeavingPage(Pages->currentIndex());
    ReadControls();
    const bool valid = ValidateCriteria(m_criteria, false, [this](TCriteriaPage page) {
        WriteControls();
        ShowPage(page);
    });
    WriteControls();
    if (!valid) return;
    if (!FindBtn->isEnabled()) {
        Prompt().Inform("No criteria defined", "There is no criteria left to search by.",
                        TPromptIcon::Information);
        return;
    }

    if (ClearResultsCheck->isChecked()) {
        m_found.Clear();
        m_model->Reset();
    }
    ShowFoundList(true);
    m_found.SortColumn = 255;
    m_found.SortReversed = false;
    FoundView->header()->setSortIndicatorShown(false);
    m_firstHitSelected = false;

    m_thread.reset();
    m_thread = std::make_unique<TSearchThread>(m_main.Tree(), m_found, *m_host, m_criteria,
                                               CheckedRows(m_categoryRows, m_flagRows),
                                               ShowLimitCheck->isChecked());
    TSearchEvents& events = m_thread->Worker().Events;
    events.Progress = [this](const TSearchProgress& progress) { SearchProgressed(progress); };
    events.FilesInUse = [this](TTreeNode* node) { return node == m_main.ShownNode(); };
    m_thread->Start([this](const TSearchOutcome& outcome) { SearchFinished(outcome); });

    StatusPanels[1]->hide();
    StatusPanels[2]->hide();
    SearchProgress->setValue(0);
    SearchProgress->show();
    StatusPanels[0]->setText(SearchStatusText(0, 0));
    RefreshScopeChecks(); // every row checked while the limit is not shown
    UpdateButtons();
    CurrentFoundView()->setFocus();
    m_main.RefreshCommands();
    emit SearchStarted();
}

void TSearchForm::CancelClick()
{
    if (!Searching()) return;
    m_thread->Cancel();
    CancelBtn->setEnabled(false);
}

void TSearchForm::SearchProgressed(const TSearchProgress& progress)
{
    StatusPanels[0]->setText(SearchStatusText(progress.Checked, progress.Found));
    SearchProgress->setValue(progress.Bar());
    const bool wasEmpty = m_model->rowCount() == 0;
    m_model->RaiseRowCount();
    if (!m_firstHitSelected && progress.FirstNew >= 0 && progress.FirstNew < m_model->rowCount()) {
        m_firstHitSelected = true;
        SelectRow(progress.FirstNew);
    }
    if (wasEmpty && m_model->rowCount() > 0) FitColumns();
    emit ProgressReported(progress.Checked, progress.Total, progress.Found);
}

void TSearchForm::SearchFinished(const TSearchOutcome& outcome)
{
    m_model->RaiseRowCount();
    FitColumns();
    if (!FoundView->currentIndex().isValid() && m_model->rowCount() > 0) SelectRow(0);
    SearchProgress->hide();
    StatusPanels[1]->show();
    StatusPanels[2]->show();
    RefreshFoundStatus();
    RebuildScopeTree();
    RebuildCategoryLists();
    UpdateButtons();
    m_main.RefreshCommands();
    m_main.RefreshStatus();
    CurrentFoundView()->setFocus();
    if (!outcome.Error.empty())
        Prompt().Inform("Search error", QString::fromStdString(outcome.Error), TPromptIcon::Error);
    else if (m_found.FoundCount == 0 && !outcome.Cancelled && !outcome.NoCriteria)
        Prompt().Inform("No hits", "Sorry, no items were found to match your criteria.",
                        TPromptIcon::Information);
    emit SearchEnded(outcome.Cancelled, outcome.Found);
}

void TSearchForm::NewSearchClick()
{
    if (Searching()) return;
    TSearchCriteria defaults;
    defaults.FileCase = FileCaseCheck->isChecked();
    defaults.LimitFound = LimitFoundCheck->isChecked();
    defaults.MaxFound = MaxFoundNum->value();
    defaults.Time1 = TimePicker1->time();
    defaults.Time2 = TimePicker2->time();
    m_criteria = defaults;
    m_nameTexts = {};
    const bool keepClear = ClearResultsCheck->isChecked();
    WriteControls();
    ClearResultsCheck->setChecked(keepClear);
    m_found.Clear();
    m_model->Reset();
    SetMaximized(false);
    ShowFoundList(false);
    Pages->setCurrentIndex(0);
    RefreshFoundStatus();
    UpdateButtons();
}

void TSearchForm::ShowFoundList(bool shown)
{
    m_found.Shown = shown;
    if (FoundArea->isVisible() == shown && m_layoutDone) return;
    m_layoutDone = true;
    if (!shown && FoundArea->isVisible()) m_found.ListHeight = std::max(100, FoundArea->height());
    FoundArea->setVisible(false);
    layout()->activate();
    const int criteria = layout()->sizeHint().height();
    if (shown) {
        FoundArea->setVisible(true);
        // The list takes the height it had; the criteria keep theirs.
        setMinimumHeight(criteria + 100);
        setMaximumHeight(QWIDGETSIZE_MAX);
        resize(width(), criteria + layout()->spacing() + std::max(100, m_found.ListHeight));
    } else {
        setFixedHeight(criteria);
    }
}

void TSearchForm::FitColumns()
{
    for (int c = 0; c < m_model->columnCount() - 1; ++c)
        FoundView->resizeColumnToContents(c);
}

void TSearchForm::SelectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) return;
    const QModelIndex index = m_model->index(row, 0);
    FoundView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    CurrentFoundView()->scrollTo(index);
}

int TSearchForm::FocusedRow() const
{
    const QModelIndex current = FoundView->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

std::vector<int> TSearchForm::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : FoundView->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TSearchForm::LocateClick()
{
    if (TItemRec* rec = m_model->Item(FocusedRow())) m_main.LocateItem(rec);
}

void TSearchForm::DeleteSelectedClick()
{
    if (Searching() || FocusedRow() < 0) return;
    if (Prompt().Ask("Delete items", "Remove selected item(s) from the found list?", pbYes | pbNo,
                     TPromptIcon::Question, pbYes) != pbYes)
        return;
    const int focus = m_found.RemoveRows(SelectedRows(), FocusedRow());
    m_model->Reset();
    SelectRow(focus);
    RefreshFoundStatus();
    UpdateButtons();
}

void TSearchForm::ClearListClick(bool ask)
{
    if (Searching() || m_found.Count() == 0) return;
    if (ask && Prompt().Ask("Delete all items", "Remove all items from the found list?",
                            pbYes | pbNo, TPromptIcon::Question, pbYes) != pbYes)
        return;
    Progress().SetStatus("Clearing file list...", StatusBusy);
    m_found.Clear();
    m_model->Reset();
    Progress().SetStatus({}, 0);
    RefreshFoundStatus();
    UpdateButtons();
}

void TSearchForm::FoundHeaderClicked(int column)
{
    if (Searching() || m_found.Count() == 0) return;
    TItemRec* focused = m_model->Item(FocusedRow());
    std::vector<TItemRec*> selected;
    for (int row : SelectedRows())
        if (TItemRec* rec = m_model->Item(row)) selected.push_back(rec);
    StatusPanels[1]->setText("Sorting...");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SortFoundList(m_found, column, BrowserOptions().ArchivesSortCheck);
    m_model->Reset();
    QItemSelection selection;
    for (TItemRec* rec : selected) {
        const int row = RowOfEntry(m_found, rec);
        if (row >= 0)
            selection.select(m_model->index(row, 0),
                             m_model->index(row, m_model->columnCount() - 1));
    }
    FoundView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (focused) {
        const QModelIndex index = m_model->index(RowOfEntry(m_found, focused), 0);
        FoundView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        CurrentFoundView()->scrollTo(index);
    }
    FoundView->header()->setSortIndicatorShown(true);
    FoundView->header()->setSortIndicator(column, m_found.SortReversed ? Qt::DescendingOrder
                                                                       : Qt::AscendingOrder);
    QApplication::restoreOverrideCursor();
    RefreshFoundStatus();
}

void TSearchForm::SetMaximized(bool maximized)
{
    if (MaximizeAction->isChecked() != maximized) {
        MaximizeAction->setChecked(maximized); // comes back here through toggled
        return;
    }
    m_found.Maximized = maximized;
    if (maximized && FoundArea->isVisible())
        m_found.ListHeight = std::max(100, FoundArea->height());
    // The whole criteria strip goes, so the list takes the window's height.
    for (QWidget* w : {static_cast<QWidget*>(Pages), static_cast<QWidget*>(FindBtn),
                       static_cast<QWidget*>(CancelBtn), static_cast<QWidget*>(NewSearchBtn),
                       static_cast<QWidget*>(CloseBtn)})
        w->setVisible(!maximized);
    if (!FoundArea->isVisible()) return;
    if (maximized) {
        setMinimumHeight(150);
        setMaximumHeight(QWIDGETSIZE_MAX);
        return;
    }
    m_layoutDone = false;
    ShowFoundList(true);
}

void TSearchForm::SetStayOnTop(bool onTop)
{
    if (StayOnTopAction->isChecked() != onTop) {
        StayOnTopAction->setChecked(onTop);
        return;
    }
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) show();
}

QAbstractItemView* TSearchForm::CurrentFoundView() const
{
    return m_viewStyle == 3 ? static_cast<QAbstractItemView*>(FoundView) : FoundIcons;
}

void TSearchForm::SetViewStyle(int style)
{
    if (style < 0 || style > 3) style = 3;
    const bool hadFocus = CurrentFoundView()->hasFocus();
    m_viewStyle = style;
    if (style == 3) {
        m_foundStack->setCurrentWidget(FoundView);
    } else {
        m_foundStack->setCurrentWidget(FoundIcons);
        m_foundCells->SetStyle(style);
    }
    ViewActions[size_t(style)]->setChecked(true);
    if (hadFocus) CurrentFoundView()->setFocus();
    const QModelIndex current = FoundView->selectionModel()->currentIndex();
    if (current.isValid()) CurrentFoundView()->scrollTo(current);
}

void TSearchForm::ReleaseResults()
{
    m_found.Clear();
    m_model->Reset();
}

void TSearchForm::CompactFound()
{
    m_compactQueued = false;
    TItemRec* focused = nullptr;
    const int focus = FocusedRow();
    if (focus >= 0 && focus < m_found.Count()) focused = m_found.Item(focus);
    ResultLists().CompactPending();
    if (Searching()) {
        // Rows only ever grow while the worker appends; packing waits for its end.
        m_model->Reset();
        return;
    }
    m_model->Reset();
    if (focused && focused->Slots[SearchSlot] >= 0)
        SelectRow(RowOfEntry(m_found, focused));
    else
        SelectRow(std::min(focus, m_model->rowCount() - 1));
    RefreshFoundStatus();
    UpdateButtons();
}

void TSearchForm::RefreshFoundStatus()
{
    if (Searching()) return;
    StatusPanels[0]->setText(QStringLiteral("Items in list: %1").arg(m_found.Count()));
    TItemRec* focused = m_model->Item(FocusedRow());
    StatusPanels[1]->setText(focused ? StatusItemText(focused, ItemName(focused)) : QString());
    std::vector<TItemRec*> selected;
    for (int row : SelectedRows())
        if (TItemRec* rec = m_model->Item(row)) selected.push_back(rec);
    if (selected.empty()) {
        std::vector<TItemRec*> all;
        for (int row = 0; row < m_model->rowCount(); ++row)
            if (TItemRec* rec = m_model->Item(row)) all.push_back(rec);
        StatusPanels[2]->setText(ListTotals(all, false));
    } else {
        StatusPanels[2]->setText(ListTotals(selected, true));
    }
}

void TSearchForm::FoundContextMenu(const QPoint& pos)
{
    RefreshFoundCommands();
    QMenu menu(this);
    if (LocateAction->isEnabled())
        menu.addAction("Locate in Catalog", this, [this] { LocateClick(); });
    if (DeleteAction->isEnabled())
        menu.addAction("Remove from List", this, [this] { DeleteSelectedClick(); });
    if (!menu.isEmpty()) menu.exec(CurrentFoundView()->viewport()->mapToGlobal(pos));
}

void TSearchForm::RefreshFoundCommands()
{
    if (!LocateAction) return;
    const bool searching = Searching();
    const bool focused = FocusedRow() >= 0;
    LocateAction->setEnabled(focused);
    DeleteAction->setEnabled(!searching && focused && FoundView->selectionModel()->hasSelection());
    ClearAction->setEnabled(!searching && m_model->rowCount() > 0);
}

} // namespace quorvex
