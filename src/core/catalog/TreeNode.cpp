#include "catalog/TreeNode.h"

#include "catalog/ItemRoutines.h"

#include <algorithm>
#include <unordered_map>

namespace quorvex {

int TTreeNode::Index() const
{
    if (!m_parent) return 0;
    const auto& siblings = m_parent->m_children;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const
{
    int level = -1;
    for (const TTreeNode* n = m_parent; n; n = n->m_parent) ++level;
    return level;
}

TTreeNode* TTreeNode::NextSibling() const
{
    if (!m_parent) return nullptr;
    const int i = Index();
    return i + 1 < m_parent->Count() ? m_parent->Child(i + 1) : nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode* ancestor) const
{
    for (const TTreeNode* n = this; n; n = n->m_parent)
        if (n == ancestor) return true;
    return false;
}

TCatalogTree::TCatalogTree()
{
    m_root.m_tree = this;
    OnDeletion = [](TTreeNode* node) { ReleaseNodeRecords(node, true, false); };
}

TCatalogTree::~TCatalogTree()
{
    Observer = nullptr;
    DeleteChildren(&m_root);
}

TTreeNode* TCatalogTree::AddChild(TTreeNode* parent, std::string text, TItemRec* data)
{
    if (!parent) parent = &m_root;
    auto node = std::make_unique<TTreeNode>();
    node->Text = std::move(text);
    node->Data = data;
    node->m_parent = parent;
    node->m_tree = this;
    if (Observer) Observer->BeforeInsert(parent, parent->Count());
    parent->m_children.push_back(std::move(node));
    TTreeNode* added = parent->m_children.back().get();
    if (Observer) Observer->AfterInsert(added);
    return added;
}

void TCatalogTree::NotifyDeletion(TTreeNode* node)
{
    for (auto& child : node->m_children) NotifyDeletion(child.get());
    if (ReleaseOnDelete && OnDeletion) OnDeletion(node);
    node->Data = nullptr;
}

void TCatalogTree::Delete(TTreeNode* node)
{
    if (!node || node == &m_root) return;
    TTreeNode* parent = node->m_parent;
    const int index = node->Index();
    if (Observer) Observer->BeforeRemove(node);
    // The children's records are released before the node's own, as a tree control would.
    NotifyDeletion(node);
    parent->m_children.erase(parent->m_children.begin() + index);
    if (Observer) Observer->AfterRemove(parent, index);
}

void TCatalogTree::DeleteChildren(TTreeNode* node)
{
    while (node->Count() > 0) Delete(node->Child(node->Count() - 1));
}

void TCatalogTree::Move(TTreeNode* node, TTreeNode* newParent, int index)
{
    if (!newParent) newParent = &m_root;
    TTreeNode* oldParent = node->m_parent;
    const int oldIndex = node->Index();
    if (Observer) Observer->BeforeRemove(node);
    std::unique_ptr<TTreeNode> owned = std::move(oldParent->m_children[oldIndex]);
    oldParent->m_children.erase(oldParent->m_children.begin() + oldIndex);
    if (Observer) Observer->AfterRemove(oldParent, oldIndex);
    index = std::clamp(index, 0, newParent->Count());
    if (Observer) Observer->BeforeInsert(newParent, index);
    owned->m_parent = newParent;
    newParent->m_children.insert(newParent->m_children.begin() + index, std::move(owned));
    if (Observer) Observer->AfterInsert(node);
}

void TCatalogTree::ReorderChildren(TTreeNode* parent, const std::vector<TTreeNode*>& order)
{
    if (!parent) parent = &m_root;
    auto& children = parent->m_children;
    if (order.size() != children.size()) return;
    std::unordered_map<const TTreeNode*, size_t> position;
    for (size_t i = 0; i < children.size(); ++i) position.emplace(children[i].get(), i);
    std::vector<size_t> from;
    from.reserve(order.size());
    std::vector<bool> used(children.size(), false);
    for (TTreeNode* node : order) {
        auto it = position.find(node);
        if (it == position.end() || used[it->second]) return; // not a permutation: keep the order
        used[it->second] = true;
        from.push_back(it->second);
    }
    if (Observer) Observer->BeforeReorder(parent);
    std::vector<std::unique_ptr<TTreeNode>> sorted(children.size());
    for (size_t i = 0; i < from.size(); ++i) sorted[i] = std::move(children[from[i]]);
    children = std::move(sorted);
    if (Observer) Observer->AfterReorder(parent);
}

} // namespace quorvex
