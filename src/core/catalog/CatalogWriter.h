#pragma once
// Writing a catalog file: unchanged disks and file lists that were never loaded are copied
// byte for byte from the catalog's current file; everything else is encoded anew.

#include <cstdint>
#include <functional>

namespace quorvex {

class TTreeNode;
class TWriteTarget;

struct TWriteCallbacks {
    std::function<void(int64_t done)> Advance; // progress in Currency units
    std::function<void()> Idle;                // after every record: let pending work run
};

// Writes the catalog of catNode to out and records the new offsets in its disks and
// folders; clears Dirty of the disks written in full and the catalog's Modified, and sets
// CurrentFormat. Throws EStreamError on read or write failures.
void WriteCatalog(TTreeNode* catNode, TWriteTarget& out, const TWriteCallbacks& callbacks = {});

// What a save shows as its progress maximum (Currency).
int64_t CatalogProgressTotal(TTreeNode* catNode);

} // namespace quorvex
