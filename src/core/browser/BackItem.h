#pragma once
// The ".." entry at the top of a folder's listing: a folder record on a node that never
// joins the tree.

#include "catalog/ItemRecords.h"
#include "catalog/TreeNode.h"

namespace quorvex {

class TBackItem {
public:
    TBackItem();
    TBackItem(const TBackItem&) = delete;
    TBackItem& operator=(const TBackItem&) = delete;

    TFolderRec* Rec() { return &m_rec; }
    // Takes the date of the folder being shown and describes where ".." leads.
    void Prepare(TTreeNode* shownFolder);

private:
    TTreeNode m_node;
    TFolderRec m_rec;
};

inline bool IsBackItem(const TItemRec* rec)
{
    return rec && (rec->KindFlags & 7) == ikFolder && rec->Node && !rec->Node->Tree();
}

} // namespace quorvex
