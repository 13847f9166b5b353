#include "browser/BackItem.h"

#include "catalog/ItemRoutines.h"

namespace quorvex {

TBackItem::TBackItem()
{
    m_node.Text = "..";
    m_node.Data = &m_rec;
    m_rec.KindFlags = ikFolder;
    m_rec.Attr = faDirectory;
    m_rec.Node = &m_node;
}

void TBackItem::Prepare(TTreeNode* shownFolder)
{
    auto* folder = shownFolder ? AsFolder(shownFolder->Data) : nullptr;
    m_rec.Modified = folder ? folder->Modified : 0;
    TTreeNode* parent = shownFolder ? shownFolder->Parent() : nullptr;
    if (parent && AsFolder(parent->Data))
        m_rec.Description.Assign("Back to " + parent->Text + " (folder)");
    else if (parent && AsDisk(parent->Data))
        m_rec.Description.Assign("Back to root of " + parent->Text);
    else
        m_rec.Description.Reset();
}

} // namespace quorvex
