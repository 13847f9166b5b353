#pragma once
// The decisions of the add/update dialog when OK is pressed: which Disk (if any) the medium
// replaces, the questions on the way, and whether the medium gets a new serial number.

#include "adddisk/AddDiskSwitches.h"

#include <functional>
#include <vector>

namespace quorvex {

class IPrompt;
class TOptions;
class TTreeNode;

struct TAddDiskState {
    TAddDiskMode Mode = TAddDiskMode::Add;
    TTreeNode* ReplacedDisk = nullptr; // update: the Disk named by the command; add: the first match
    std::vector<TTreeNode*> Matches;   // add mode: the matching Disks in tree order
    bool MediumMatches = false;        // update mode: the medium is the replaced Disk
    TAddDiskSwitches Switches;
    int MatchesAtOk = 0;               // remembered for the serial number decision
};

// The answer of the "Select Disk" dialog.
struct TDiskSelectAnswer {
    enum TKind { Cancel, Update, AddAsNew } Kind = Cancel;
    TTreeNode* Disk = nullptr;
};
using TSelectDisk = std::function<TDiskSelectAnswer(const std::vector<TTreeNode*>& matches)>;

enum class TOkOutcome {
    Close,                   // the dialog closes with OK
    StayOpen,                // back to the dialog
    StayOpenAtKeepCurrent,   // back with the options panel open and KeepCurrentCheck focused
};

TOkOutcome PressOk(TAddDiskState& state, IPrompt& prompt, const TSelectDisk& selectDisk);

// The "Change Serial Number?" dialog: its answer and its "Don't ask again" box.
struct TSerialAnswer {
    bool Change = false;
    bool DontAskAgain = false;
};
using TAskSerial = std::function<TSerialAnswer()>;

// After OK: true when the medium is to get a new serial number before it is read.
bool DecideSerialChange(const TAddDiskState& state, TOptions& options, const TAskSerial& askSerial);

} // namespace quorvex
