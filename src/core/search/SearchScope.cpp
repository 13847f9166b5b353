#include "search/SearchScope.h"

#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"

namespace quorvex {

namespace {

void SetScope(TTreeNode* node, bool on)
{
    if (node->Data) SetItemBits(node->Data, ifInScope, on);
}

} // namespace

bool ShownInScope(const TTreeNode* catalogNode)
{
    for (const auto& child : catalogNode->Children())
        if (ItemIs(child->Data, ikDisk)) return true;
    return false;
}

void BeginScopeTree(TCatalogTree& tree)
{
    for (int i = 0; i < tree.Count(); ++i) SetScope(tree.Catalog(i), true);
}

int ScopeState(const TTreeNode* node)
{
    if (ItemIs(node->Data, ikDisk)) return ItemIs(node->Data, ifInScope) ? ssChecked : ssUnchecked;
    int in = 0, out = 0;
    for (const auto& child : node->Children())
        if (ItemIs(child->Data, ikDisk)) ++(ItemIs(child->Data, ifInScope) ? in : out);
    return out == 0 ? ssChecked : in == 0 ? ssUnchecked : ssPartly;
}

void ToggleScope(TTreeNode* node)
{
    const bool on = ScopeState(node) != ssChecked;
    SetScope(node, on);
    if (ItemIs(node->Data, ikCatalog)) {
        for (const auto& child : node->Children())
            if (ItemIs(child->Data, ikDisk)) SetScope(child.get(), on);
    } else if (TTreeNode* cat = OwningCatalog(node)) {
        SetScope(cat, ScopeState(cat) == ssChecked);
    }
}

void SetWholeScope(TCatalogTree& tree, bool inScope)
{
    for (int i = 0; i < tree.Count(); ++i) {
        TTreeNode* cat = tree.Catalog(i);
        SetScope(cat, inScope);
        for (const auto& child : cat->Children())
            if (ItemIs(child->Data, ikDisk)) SetScope(child.get(), inScope);
    }
}

bool SomeCatalogNotIn(TCatalogTree& tree, int state)
{
    for (int i = 0; i < tree.Count(); ++i)
        if (ShownInScope(tree.Catalog(i)) && ScopeState(tree.Catalog(i)) != state) return true;
    return false;
}

} // namespace quorvex
