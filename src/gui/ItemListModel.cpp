#include "ItemListModel.h"

#include "IconImages.h"
#include "browser/BrowserOptions.h"
#include "browser/IconList.h"
#include "browser/ItemText.h"

namespace quorvex {

namespace {
const char* const DiskTitles[] = {"Disk Name", "Media Type", "Volume Name", "Capacity",
                                  "Free Space", "Last Updated", "Description"};
const char* const FileTitles[] = {"Filename", "Ext", "Size", "Date", "Time", "Attr", "Description", "Category"};
} // namespace

TItemListModel::TItemListModel(TIconImages& icons, QObject* parent) : QAbstractTableModel(parent), m_icons(icons) {}

int TItemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_store.size());
}

int TItemListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCountOf(m_columns);
}

QString TItemListModel::ColumnTitle(TColumnSet set, int field)
{
    if (field < 0 || field >= ColumnCountOf(set)) return {};
    return QLatin1String(set == csDisks ? DiskTitles[field] : FileTitles[field]);
}

TItemRec* TItemListModel::Item(int row) const
{
    return row >= 0 && row < static_cast<int>(m_store.size()) ? m_store[size_t(row)] : nullptr;
}

int TItemListModel::RowOf(const TItemRec* rec) const
{
    for (size_t i = 0; i < m_store.size(); ++i)
        if (m_store[i] == rec) return static_cast<int>(i);
    return -1;
}

static Qt::Alignment ColumnAlignment(TColumnSet set, int field)
{
    if (set == csDisks) return field >= 3 && field <= 5 ? Qt::AlignRight : Qt::AlignLeft;
    if (field >= 2 && field <= 4) return Qt::AlignRight;
    if (field == 5) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

QVariant TItemListModel::data(const QModelIndex& index, int role) const
{
    TItemRec* rec = Item(index.row());
    if (!rec) return {};
    switch (role) {
    case Qt::DisplayRole:
        ++CellRequests;
        return ItemText(rec, index.column());
    case Qt::DecorationRole:
        if (index.column() != 0) return {};
        return m_icons.Icon(ItemImage(rec, m_icons.List()));
    case Qt::TextAlignmentRole: return QVariant::fromValue(ColumnAlignment(m_columns, index.column()) | Qt::AlignVCenter);
    case Qt::ToolTipRole: {
        if (!BrowserOptions().DescAsTipsCheck) return {};
        const QString d = ItemDescription(rec);
        return d.isEmpty() ? QVariant() : QVariant(DescriptionTip(d));
    }
    default: return {};
    }
}

QVariant TItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return ColumnTitle(m_columns, section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(m_columns, section) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TItemListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void TItemListModel::SetStore(std::vector<TItemRec*> store, TColumnSet columns)
{
    beginResetModel();
    m_store = std::move(store);
    m_columns = columns;
    endResetModel();
}

void TItemListModel::Clear() { SetStore({}, m_columns); }

void TItemListModel::Reordered(const std::vector<TItemRec*>& newOrder)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<TItemRec*> recs;
    recs.reserve(size_t(persistent.size()));
    for (const QModelIndex& i : persistent) recs.push_back(Item(i.row()));
    m_store = newOrder;
    if (!persistent.isEmpty()) {
        QHash<const TItemRec*, int> rows;
        rows.reserve(qsizetype(m_store.size()));
        for (size_t r = 0; r < m_store.size(); ++r) rows.insert(m_store[r], int(r));
        for (qsizetype k = 0; k < persistent.size(); ++k) {
            const int row = rows.value(recs[size_t(k)], -1);
            changePersistentIndex(persistent[k], row < 0 ? QModelIndex() : index(row, persistent[k].column()));
        }
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TItemListModel::RefreshAll()
{
    if (!m_store.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace quorvex
