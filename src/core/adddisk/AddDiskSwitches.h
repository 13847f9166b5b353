#pragma once
// The scan switches of the add/update dialog: their start values from the settings, the rules
// that tie them together, and writing them back as the new defaults.

namespace quorvex {

class TOptions;

enum class TAddDiskMode { Add, Update };

struct TSwitch {
    bool Checked = false;
    bool Enabled = true;
};

struct TAddDiskSwitches {
    TSwitch BrowseArchive;
    TSwitch ArchiveDescOnly;
    TSwitch ArchiveQuickScan;
    TSwitch EjectMedia;
    TSwitch ImportDiz;
    TSwitch ImportBBS;
    TSwitch Import4DOS;
    TSwitch ImportComment;
    TSwitch KeepCurrent;
    int ImportDescRow = 0; // 0: the disk being updated, 1: all disks in the catalog
    bool ImportDescEnabled = false;
};

enum class TSwitchClick { None, BrowseArchive, ImportDiz, ImportBBS, Import4DOS, ImportComment, KeepCurrent };

TAddDiskSwitches SwitchesFromOptions(const TOptions& options, TAddDiskMode mode);
// Runs after the clicked switch took its new state (None: at show).
void ApplySwitchRules(TAddDiskSwitches& switches, TAddDiskMode mode, TSwitchClick clicked);
// "Save as default": the switches become the settings' defaults; the settings count as changed.
void SaveSwitchesAsDefaults(const TAddDiskSwitches& switches, TOptions& options);

} // namespace quorvex
