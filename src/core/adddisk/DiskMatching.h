#pragma once
// Recognising a medium that is already in a catalog, and the dialog's status line about it.

#include "adddisk/AddDiskSwitches.h"

#include <QString>

#include <vector>

namespace quorvex {

class TTreeNode;
struct TDiskRec;

// The medium the user picked: what the drive reported, and the virtual root chosen for it.
struct TMediumChoice {
    QString Drive;
    const TDiskRec* Medium = nullptr; // filled from the drive
    bool VirtualRootChecked = false;
    QString VirtualRoot; // "\dir\sub\" inside the drive; empty: the whole drive
};

// Add mode: the Disks of the catalog that are this medium, in tree order.
std::vector<TTreeNode*> FindMatchingDisks(TTreeNode* catalogNode, const TMediumChoice& choice);
// Update mode: whether the medium is the Disk being updated.
bool MediumMatchesDisk(const TDiskRec& disk, const TMediumChoice& choice);

// "\dir\sub\" with one backslash at each end; "" and "\" stay empty (the root is no virtual root).
QString NormalizedVirtualRoot(const QString& root);

// The status line of the dialog; choice null while no drive is selected.
QString AddDiskStatusLine(TAddDiskMode mode, const TMediumChoice* choice, bool matched);

} // namespace quorvex
