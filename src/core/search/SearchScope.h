#pragma once
// The search scope: the ifInScope flags of catalogs and disks, as the scope tree of the
// search window shows and edits them.

namespace quorvex {

class TCatalogTree;
class TTreeNode;

enum TScopeState { ssUnchecked = 1, ssChecked = 2, ssPartly = 3 };

// A catalog shows in the scope tree when it has a disk.
bool ShownInScope(const TTreeNode* catalogNode);
// Rows are built with every catalog checked; disks as their flags say.
void BeginScopeTree(TCatalogTree& tree);
int ScopeState(const TTreeNode* node); // catalog: from its disks; disk: its flag
// A row in state 2 becomes 1, any other 2; a catalog passes its state to its disks.
void ToggleScope(TTreeNode* node);
void SetWholeScope(TCatalogTree& tree, bool inScope); // Include All / Exclude All
// Include All is enabled while some catalog row is not checked, Exclude All while some is
// not unchecked.
bool SomeCatalogNotIn(TCatalogTree& tree, int state);

} // namespace quorvex
