#pragma once
// The item list: a backing store of record pointers; texts and images are made only for
// the cells a view asks for.

#include "catalog/ItemRecords.h"

#include <QAbstractTableModel>

#include <vector>

namespace quorvex {

class TIconImages;

enum TColumnSet { csDisks, csFiles };

class TItemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TItemListModel(TIconImages& icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces the store; the column set follows the kind of the node shown.
    void SetStore(std::vector<TItemRec*> store, TColumnSet columns);
    void Clear();
    // Tells the views the store's order changed (sorted or reversed in place).
    void Reordered(const std::vector<TItemRec*>& newOrder);
    std::vector<TItemRec*>& Store() { return m_store; }
    const std::vector<TItemRec*>& Store() const { return m_store; }
    TItemRec* Item(int row) const;
    int RowOf(const TItemRec* rec) const;
    TColumnSet Columns() const { return m_columns; }
    void SetLargeIcons(bool large) { m_largeIcons = large; }
    void RefreshAll();

    static int ColumnCountOf(TColumnSet set) { return set == csDisks ? 7 : 8; }
    static QString ColumnTitle(TColumnSet set, int field);

    // How many cells were asked for, to prove the list stays virtual.
    mutable qint64 CellRequests = 0;

private:
    TIconImages& m_icons;
    std::vector<TItemRec*> m_store;
    TColumnSet m_columns = csDisks; // what an empty list shows, as after closing every catalog
    bool m_largeIcons = false;
};

} // namespace quorvex
