// The search window's lists that follow the open catalogs: the category and flag check
// lists and the scope tree; and the window's place in the settings store.

#include "MainForm.h"
#include "SearchForm.h"
#include "browser/IconList.h"
#include "catalog/ItemRoutines.h"
#include "config/WindowRecords.h"
#include "search/SearchScope.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>

namespace quorvex
{

namespace
{

TTreeNode* ScopeNode(const QTreeWidgetItem* item)
{
    return reinterpret_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<quintptr>());
}

Qt::CheckState ScopeCheck(int state)
{
    return state == ssChecked  ? Qt::Checked
           : state == ssPartly ? Qt::PartiallyChecked
                               : Qt::Unchecked;
}

} // namespace

void TSearchForm::RebuildCategoryLists()
{
    auto keepChecks = [](QListWidget* list, std::vector<TCheckRow>& rows) {
        for (int i = 0; i < list->count() && i < int(rows.size()); ++i)
            rows[size_t(i)].Checked = list->item(i)->checkState() == Qt::Checked;
    };
    auto fill = [](QListWidget* list, const std::vector<TCheckRow>& rows) {
        list->clear();
        for (const TCheckRow& row : rows) {
            auto* item = new QListWidgetItem(QString::fromStdString(row.Name), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(row.Checked ? Qt::Checked : Qt::Unchecked);
        }
    };
    keepChecks(CategoryList, m_categoryRows);
    keepChecks(FlagsList, m_flagRows);
    RebuildCategoryRows(m_categoryRows, m_main.Tree());
    RebuildFlagRows(m_flagRows, m_main.Tree());
    fill(CategoryList, m_categoryRows);
    fill(FlagsList, m_flagRows);
    CategoryLabel->setEnabled(!m_categoryRows.empty());
    CategoryList->setEnabled(!m_categoryRows.empty());
    FlagsLabel->setEnabled(!m_flagRows.empty());
    FlagsList->setEnabled(!m_flagRows.empty());
    const bool any = !m_categoryRows.empty() || !m_flagRows.empty();
    ByCategoryCheck->setEnabled(any);
    if (!any) ByCategoryCheck->setChecked(false);
}

void TSearchForm::RebuildScopeTree()
{
    TCatalogTree& tree = m_main.Tree();
    BeginScopeTree(tree);
    m_updating = true;
    CatalogTree->clear();
    for (int c = 0; c < tree.Count(); ++c) {
        TTreeNode* cat = tree.Catalog(c);
        if (!ShownInScope(cat)) continue;
        auto* catItem = new QTreeWidgetItem(CatalogTree, {QString::fromStdString(cat->Text)});
        catItem->setData(0, Qt::UserRole, QVariant::fromValue(quintptr(cat)));
        FillScopeItem(catItem);
        for (int d = 0; d < cat->Count(); ++d) {
            TTreeNode* disk = cat->Child(d);
            if (!AsDisk(disk->Data)) continue;
            auto* diskItem = new QTreeWidgetItem(catItem, {QString::fromStdString(disk->Text)});
            diskItem->setData(0, Qt::UserRole, QVariant::fromValue(quintptr(disk)));
            FillScopeItem(diskItem);
        }
        catItem->setExpanded(true);
    }
    m_updating = false;
    RefreshScopeChecks();
}

void TSearchForm::FillScopeItem(QTreeWidgetItem* item)
{
    TTreeNode* node = ScopeNode(item);
    item->setIcon(0, m_main.Icons().Icon(ItemImage(node->Data, m_main.Icons().List())));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
}

void TSearchForm::ScopeItemToggled(QTreeWidgetItem* item)
{
    if (Searching()) {
        RefreshScopeChecks();
        return;
    }
    ToggleScope(ScopeNode(item));
    RefreshScopeChecks();
}

void TSearchForm::RefreshScopeChecks()
{
    m_updating = true;
    const bool allShownChecked = Searching() && !ShowLimitCheck->isChecked();
    for (int c = 0; c < CatalogTree->topLevelItemCount(); ++c) {
        QTreeWidgetItem* catItem = CatalogTree->topLevelItem(c);
        catItem->setCheckState(0, allShownChecked ? Qt::Checked
                                                  : ScopeCheck(ScopeState(ScopeNode(catItem))));
        for (int d = 0; d < catItem->childCount(); ++d) {
            QTreeWidgetItem* diskItem = catItem->child(d);
            diskItem->setCheckState(
                0, allShownChecked ? Qt::Checked : ScopeCheck(ScopeState(ScopeNode(diskItem))));
        }
    }
    m_updating = false;
    UpdateButtons();
}

void TSearchForm::RestorePosition()
{
    const std::optional<TWindowRecord> record =
        LoadWindowRecord(m_main.Store().Settings(), WindowValues::Search);
    if (!record) return;
    if (record->Value != -1) m_found.ListHeight = std::max<int>(100, WindowValueLow(record->Value));
    const TWindowBounds& b = record->Bounds;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (b.Width < 200 || !BoundsOnScreen(b, TScreenSize{area.width(), area.height()})) return;
    setGeometry(b.Left, b.Top, b.Width, height());
}

void TSearchForm::SavePosition()
{
    if (m_found.Shown) m_found.ListHeight = std::max(100, FoundArea->height());
    const QRect g = geometry();
    TWindowRecord record;
    record.Bounds = {g.left(), g.top(), g.width(), g.height()};
    // The duplicates list keeps its least height until that mode exists.
    record.Value = PackWindowValue(uint16_t(std::clamp(m_found.ListHeight, 100, 0xFFFF)), 100);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    SaveWindowRecord(m_main.Store().Settings(), WindowValues::Search, record,
                     TScreenSize{area.width(), area.height()});
}

} // namespace quorvex
