#pragma once
// What the add/update flow hands to the disk scanner, and the one place the flow calls it
// (tests may put another scanner there).

#include "adddisk/AddDiskSwitches.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorvex {

class IPrompt;
class TTreeNode;

struct TScanFlags {
    bool Abort = false;    // set by the scan window's Cancel (after its question)
    bool Finished = false; // set by the scanner when the new Disk is in place
    // Folders the scan was not allowed to read, recorded as empty.
    std::vector<std::string> UnreadableFolders;
};

struct TDiskScanJob {
    TTreeNode* CatalogNode = nullptr;
    QString Drive;
    QString VirtualRoot;          // "\dir\sub\" inside the drive; empty: the whole drive
    TTreeNode* OldDisk = nullptr; // the Disk to replace, or none
    std::string DiskName;         // empty: the scanner names it after the drive
    bool ChangeSerial = false;
    TAddDiskSwitches Switches;
    TScanFlags* Flags = nullptr;
};

using TDiskScanFunction = std::function<void(const TDiskScanJob& job)>;

void SetDiskScanFunction(TDiskScanFunction scan); // empty: the disk scanner again

enum class TDiskScanEnd { Finished, Canceled, Failed };

// Runs the scan. Failed: neither flag set afterwards, or an error escaped the scanner; a silent
// abort counts as cancelled.
TDiskScanEnd RunDiskScan(const TDiskScanJob& job);
// The "Error" message after a failed scan.
void ReportScanFailure(IPrompt& prompt);
// After a finished scan: the folders recorded empty because they could not be read.
void ReportUnreadableFolders(IPrompt& prompt, const std::vector<std::string>& folders);

} // namespace quorvex
