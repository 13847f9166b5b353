#pragma once
// Finding the drive that holds a catalogued medium, asking the user to insert it.

#include <QString>

namespace quorvex {

class TTreeNode;
struct TDiskRec;

struct TRequestedMedium {
    enum TOutcome { NotFound = 0, ManualSelect = 1, Found = 2 };
    TOutcome Outcome = NotFound;
    QString Drive; // set when Found

    bool IsFound() const { return Outcome == Found; }
};

// node: any node of the Disk (the Disk itself, a folder below it). Not interactive: no
// message is shown and the first round decides. allowManual offers "&Manual Select".
TRequestedMedium RequestMedium(TTreeNode* node, bool interactive, bool allowManual);

// Whether the medium now in drive is the catalogued disk.
bool DriveHoldsDisk(const QString& drive, const TDiskRec& disk);

// The texts of the "Insert Media" request, as the prompt receives them.
QString InsertMediaText(const QString& diskName, const QString& mediaTypeName);

} // namespace quorvex
