#pragma once
// The found list as the search window's view sees it: rows are entries of the list, texts
// are made only for the cells the view asks for. The row count follows the list only when
// the window says so (progress reports, the end of a search, commands).

#include <QAbstractTableModel>

namespace quorvex
{

class TFoundList;
class TIconImages;
struct TItemRec;

class TFoundListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    TFoundListModel(TFoundList& list, TIconImages& icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Raises the row count to the list's entry count (rows are only ever appended here).
    void RaiseRowCount();
    // The list changed in any other way (cleared, packed, sorted).
    void Reset();
    TItemRec* Item(int row) const;

    mutable qint64 CellRequests = 0;

private:
    TFoundList& m_list;
    TIconImages& m_icons;
    int m_rows = 0;
};

} // namespace quorvex
