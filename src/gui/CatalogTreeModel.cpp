#include "CatalogTreeModel.h"

#include "IconImages.h"
#include "browser/BrowserOptions.h"
#include "browser/DisplayText.h"
#include "browser/ItemText.h"
#include "catalog/CatalogErrors.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "platform/Prompt.h"

#include <QFont>

namespace quorvex {

TCatalogTreeModel::TCatalogTreeModel(TCatalogTree& tree, TIconImages& icons, QObject* parent)
    : QAbstractItemModel(parent), m_tree(tree), m_icons(icons)
{
    m_tree.Observer = this;
}

TCatalogTreeModel::~TCatalogTreeModel()
{
    if (m_tree.Observer == this) m_tree.Observer = nullptr;
}

TTreeNode* TCatalogTreeModel::Node(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<TTreeNode*>(index.internalPointer()) : m_tree.Root();
}

QModelIndex TCatalogTreeModel::IndexOf(TTreeNode* node) const
{
    if (!node || node == m_tree.Root() || !node->Parent()) return {};
    return createIndex(node->Index(), 0, node);
}

QModelIndex TCatalogTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    TTreeNode* p = Node(parent);
    if (column != 0 || row < 0 || row >= p->Count()) return {};
    return createIndex(row, 0, p->Child(row));
}

QModelIndex TCatalogTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid()) return {};
    return IndexOf(Node(child)->Parent());
}

int TCatalogTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) return 0;
    return Node(parent)->Count();
}

int TCatalogTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool TCatalogTreeModel::hasChildren(const QModelIndex& parent) const
{
    TTreeNode* node = Node(parent);
    return node->Count() > 0 || node->HasChildren;
}

bool TCatalogTreeModel::canFetchMore(const QModelIndex& parent) const
{
    TTreeNode* node = Node(parent);
    auto* folder = node ? AsFolder(node->Data) : nullptr;
    return folder && folder->SubfolderOffset > 0;
}

void TCatalogTreeModel::fetchMore(const QModelIndex& parent)
{
    TTreeNode* node = Node(parent);
    if (!canFetchMore(parent)) return;
    if (LoadingSubfolders) LoadingSubfolders(true);
    try {
        BrowseSubfolders(node);
    } catch (const std::exception& e) {
        Prompt().Inform("Catalog error", QString::fromUtf8(e.what()), TPromptIcon::Error);
    }
    if (LoadingSubfolders) LoadingSubfolders(false);
}

QVariant TCatalogTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    TTreeNode* node = Node(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return DisplayText(node->Text);
    case Qt::DecorationRole: return m_icons.Icon(ItemImage(node->Data, const_cast<TIconImages&>(m_icons).List(),
                                                           m_expanded.contains(node)));
    case Qt::FontRole:
        if (node->Data && ItemIs(node->Data, ikCatalog)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole: {
        if (!BrowserOptions().DescAsTipsCheck) return {};
        const QString d = ItemDescription(node->Data);
        return d.isEmpty() ? QVariant() : QVariant(DescriptionTip(d));
    }
    default: return {};
    }
}

void TCatalogTreeModel::SetExpanded(const QModelIndex& index, bool expanded)
{
    TTreeNode* node = Node(index);
    if (expanded) m_expanded.insert(node);
    else m_expanded.remove(node);
    emit dataChanged(index, index, {Qt::DecorationRole});
}

void TCatalogTreeModel::BeforeInsert(TTreeNode* parent, int index)
{
    beginInsertRows(IndexOf(parent), index, index);
}

void TCatalogTreeModel::AfterInsert(TTreeNode*) { endInsertRows(); }

void TCatalogTreeModel::BeforeRemove(TTreeNode* node)
{
    beginRemoveRows(IndexOf(node->Parent()), node->Index(), node->Index());
    // Forget expansion marks of everything that goes.
    std::vector<const TTreeNode*> stack{node};
    while (!stack.empty()) {
        const TTreeNode* n = stack.back();
        stack.pop_back();
        m_expanded.remove(n);
        for (const auto& c : n->Children()) stack.push_back(c.get());
    }
}

void TCatalogTreeModel::AfterRemove(TTreeNode*, int) { endRemoveRows(); }

void TCatalogTreeModel::BeforeReorder(TTreeNode* parent)
{
    const QModelIndex parentIndex = IndexOf(parent);
    QList<QPersistentModelIndex> parents;
    if (parentIndex.isValid()) parents << QPersistentModelIndex(parentIndex);
    emit layoutAboutToBeChanged(parents, QAbstractItemModel::VerticalSortHint);
    m_reorderPersistent.clear();
    m_reorderNodes.clear();
    for (const QModelIndex& i : persistentIndexList())
        if (i.isValid() && Node(i)->Parent() == parent) {
            m_reorderPersistent.push_back(i);
            m_reorderNodes.push_back(Node(i));
        }
}

void TCatalogTreeModel::AfterReorder(TTreeNode* parent)
{
    for (size_t k = 0; k < m_reorderNodes.size(); ++k)
        changePersistentIndex(m_reorderPersistent[qsizetype(k)], createIndex(m_reorderNodes[k]->Index(), 0, m_reorderNodes[k]));
    m_reorderPersistent.clear();
    m_reorderNodes.clear();
    QList<QPersistentModelIndex> parents;
    if (IndexOf(parent).isValid()) parents << QPersistentModelIndex(IndexOf(parent));
    emit layoutChanged(parents, QAbstractItemModel::VerticalSortHint);
}

} // namespace quorvex
