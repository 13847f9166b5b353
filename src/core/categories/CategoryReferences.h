#pragma once
// Removing the references that deleted categories and removed flags leave on items.

#include <cstdint>

namespace quorvex {

class TTreeNode;

struct TReferenceRemoval {
    uint32_t DeletedNumbers = 0; // bit n: category number n was deleted
    uint8_t ClearFlagBits = 0;   // CategoryByte bits of flags whose references go
    bool Any() const { return DeletedNumbers != 0 || ClearFlagBits != 0; }
};

// Walks every disk of the catalog, loading sub-folders and file lists as needed: deleted
// category numbers become 0 and the removed flags' bits are cleared, nothing else changes.
// Disks with changes are marked dirty. File lists loaded only for this and left unchanged
// are released again. Shows the wait window meanwhile. Returns the number of items changed.
int64_t RemoveCategoryReferences(TTreeNode* catalogNode, const TReferenceRemoval& removal);

} // namespace quorvex
