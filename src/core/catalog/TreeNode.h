#pragma once
// The catalog tree: catalogs at the top, disks below them, folders below disks.
// Nodes carry the item record in Data; records are released by the tree's deletion event.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvex {

struct TItemRec;
class TCatalogTree;

class TTreeNode {
public:
    std::string Text;
    TItemRec* Data = nullptr;
    bool HasChildren = false; // shows an expansion button even when no child is loaded yet

    TTreeNode* Parent() const { return m_parent; }
    TCatalogTree* Tree() const { return m_tree; }
    const std::vector<std::unique_ptr<TTreeNode>>& Children() const { return m_children; }
    int Count() const { return static_cast<int>(m_children.size()); }
    TTreeNode* Child(int i) const { return m_children[static_cast<size_t>(i)].get(); }
    int Index() const; // position among its siblings
    int Level() const; // 0 for catalogs
    TTreeNode* NextSibling() const;
    bool HasAsParent(const TTreeNode* ancestor) const; // true for the node itself too

private:
    friend class TCatalogTree;
    TTreeNode* m_parent = nullptr;
    TCatalogTree* m_tree = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> m_children;
};

// Lets a view follow the tree (a Qt model, for one).
class TTreeObserver {
public:
    virtual ~TTreeObserver() = default;
    virtual void BeforeInsert(TTreeNode* parent, int index) = 0;
    virtual void AfterInsert(TTreeNode* node) = 0;
    virtual void BeforeRemove(TTreeNode* node) = 0;
    virtual void AfterRemove(TTreeNode* parent, int index) = 0;
    // The children of parent change their order (sorting); nothing is added or removed.
    virtual void BeforeReorder(TTreeNode* /*parent*/) {}
    virtual void AfterReorder(TTreeNode* /*parent*/) {}
};

class TCatalogTree {
public:
    TCatalogTree();
    ~TCatalogTree();
    TCatalogTree(const TCatalogTree&) = delete;
    TCatalogTree& operator=(const TCatalogTree&) = delete;

    // Top-level nodes are the children of an invisible root.
    TTreeNode* Root() { return &m_root; }
    int Count() const { return m_root.Count(); }
    TTreeNode* Catalog(int i) const { return m_root.Child(i); }

    // Adds a node at the end of parent's children (parent null = top level).
    TTreeNode* AddChild(TTreeNode* parent, std::string text, TItemRec* data = nullptr);
    // Deletes node and everything below it; each deleted node goes through the deletion
    // event first (deepest first), unless releasing is switched off.
    void Delete(TTreeNode* node);
    void DeleteChildren(TTreeNode* node);
    // Moves node to index among newParent's children.
    void Move(TTreeNode* node, TTreeNode* newParent, int index);
    // Puts parent's children into the given order; order must hold each child exactly once.
    void ReorderChildren(TTreeNode* parent, const std::vector<TTreeNode*>& order);

    // Called for every deleted node; the catalog code releases the node's records here.
    std::function<void(TTreeNode*)> OnDeletion;
    bool ReleaseOnDelete = true;
    TTreeObserver* Observer = nullptr;

private:
    void NotifyDeletion(TTreeNode* node);
    TTreeNode m_root;
};

} // namespace quorvex
