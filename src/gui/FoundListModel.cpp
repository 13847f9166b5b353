#include "FoundListModel.h"

#include "IconImages.h"
#include "browser/BrowserOptions.h"
#include "browser/IconList.h"
#include "browser/ItemText.h"
#include "search/FoundList.h"
#include "search/FoundListColumns.h"

namespace quorvex
{

TFoundListModel::TFoundListModel(TFoundList& list, TIconImages& icons, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_icons(icons)
{
}

int TFoundListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TFoundListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FoundColumnCount;
}

TItemRec* TFoundListModel::Item(int row) const
{
    if (row < 0 || row >= m_rows || row >= m_list.Count()) return nullptr;
    return m_list.Item(row);
}

QVariant TFoundListModel::data(const QModelIndex& index, int role) const
{
    TItemRec* rec = Item(index.row());
    if (!rec) return {};
    switch (role) {
    case Qt::DisplayRole:
        ++CellRequests;
        return FoundItemText(rec, index.column());
    case Qt::DecorationRole:
        if (index.column() != 0) return {};
        return m_icons.Icon(ItemImage(rec, m_icons.List()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            (FoundColumnRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    case Qt::ToolTipRole: {
        if (!BrowserOptions().DescAsTipsCheck) return {};
        const QString d = ItemDescription(rec);
        return d.isEmpty() ? QVariant() : QVariant(DescriptionTip(d));
    }
    default:
        return {};
    }
}

QVariant TFoundListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return FoundColumnTitle(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            (FoundColumnRightAligned(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TFoundListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TFoundListModel::RaiseRowCount()
{
    const int count = m_list.Count();
    if (count <= m_rows) return;
    beginInsertRows({}, m_rows, count - 1);
    m_rows = count;
    endInsertRows();
}

void TFoundListModel::Reset()
{
    beginResetModel();
    m_rows = m_list.Count();
    endResetModel();
}

} // namespace quorvex
