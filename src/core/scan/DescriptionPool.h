#pragma once
// Descriptions and categories already in a catalog, gathered before a scan so that items
// found again get them back: sorted by name and indexed by first letter.

#include <array>
#include <string_view>
#include <vector>

namespace quorvex {

class TTreeNode;
struct TItemRec;

class TDescriptionPool {
public:
    void Empty();
    // Adds the described items below every disk node given, loading what is needed.
    void Build(const std::vector<TTreeNode*>& diskNodes);
    // Sorts the pool and builds the letter index.
    void SortAndIndex();
    // Copies a matching description (and category) onto a newly made item; true when one was found.
    bool CopyOnto(TItemRec* item) const;

    int Size() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

private:
    void Visit(TTreeNode* node, bool trustFlags);
    void AddFiles(TItemRec* owner);

    std::vector<TItemRec*> m_items;
    std::array<int, 26> m_start{};
};

} // namespace quorvex
