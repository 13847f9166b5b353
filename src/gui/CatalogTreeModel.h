#pragma once
// The catalog tree seen by a tree view: catalogs (bold), disks, folders and archives, with
// sub-folders read from the catalog file when a folder is expanded.

#include "catalog/TreeNode.h"

#include <QAbstractItemModel>
#include <QSet>

namespace quorvex {

class TIconImages;

class TCatalogTreeModel : public QAbstractItemModel, public TTreeObserver {
    Q_OBJECT
public:
    TCatalogTreeModel(TCatalogTree& tree, TIconImages& icons, QObject* parent = nullptr);
    ~TCatalogTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role) const override;

    TTreeNode* Node(const QModelIndex& index) const;
    QModelIndex IndexOf(TTreeNode* node) const;
    void SetExpanded(const QModelIndex& index, bool expanded);

    // Before sub-folders are read from the file: shows the status; after: clears it.
    std::function<void(bool starting)> LoadingSubfolders;

    void BeforeInsert(TTreeNode* parent, int index) override;
    void AfterInsert(TTreeNode* node) override;
    void BeforeRemove(TTreeNode* node) override;
    void AfterRemove(TTreeNode* parent, int index) override;
    void BeforeReorder(TTreeNode* parent) override;
    void AfterReorder(TTreeNode* parent) override;

private:
    TCatalogTree& m_tree;
    TIconImages& m_icons;
    QSet<const TTreeNode*> m_expanded;
    QModelIndexList m_reorderPersistent;
    std::vector<TTreeNode*> m_reorderNodes;
};

} // namespace quorvex
