#pragma once
// The disk scan: one medium (a drive's root folder, or one of its folders taken as a virtual
// root) walked into a new Disk of a catalog, with its folders, files, archive members and
// the descriptions of its description files, archive comments and the catalog's own items.
//
// The scan runs on the calling thread and reports through Progress(): the scan window's
// labels and bar, pending events once per folder and every few milliseconds in between.
// The scan window's Cancel reaches it through IProgress::SetScanAbortCallback; the walk stops
// before the next entry. On success the new Disk is dirty, its catalog modified, and it is the
// last child of the catalog, or for an update stands where the Disk it replaced stood; on
// cancel or error the catalog is exactly as before (the Disk being updated untouched).
//
// The caller shows the scan window (IProgress::ShowScan) before and closes it after, keeps
// other commands away from the catalogs meanwhile, and selects the new Disk when it is there.

#include "archive/ArchiveKinds.h"
#include "config/OptionsTypes.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorvex
{

class TArchiveLister;
class TOptions;
class TTreeNode;

// The switches of the add/update dialog and the settings the scan reads, and nothing else.
struct TScanOptions {
    // Dialog.
    std::string DiskName;           // empty: DefaultDiskName
    bool BrowseArchiveCheck = true; // list archive members
    bool ArchiveDescOnly = false;   // archives are plain files; only their descriptions are read
    bool ArchiveQuickScan = false;  // reuse unchanged archives of the Disk being updated
    bool ImportDizCheck = true;
    bool ImportBBSCheck = true;
    bool Import4DOSCheck = true;
    bool ImportCommentCheck = true;
    bool KeepCurrentCheck = false; // copy descriptions from the catalog
    int ImportDescCombo = 0; // 0: from the Disk being updated, 1: from every Disk of the catalog
    bool EjectMediaCheck = false;
    // Settings.
    bool IgnoreFoldersCheck = true; // skip hidden folders
    bool IgnoreFilesCheck = true;   // skip hidden files
    bool IgnoreRecycleCheck = true; // skip folders named "Recycled"
    TDescSourceOrder ImportDescList{TDescSource::FileIdDiz, TDescSource::FilesBbs,
                                    TDescSource::DescriptIon, TDescSource::ArchiveComment};
    bool DescTruncCheck = false;
    int DescTruncEdit = 3;  // lines kept of DESCRIPT.ION and FILES.BBS texts when truncating
    std::string ExtractDir; // where description files come out of archives, ends with "/"
    TArchiveKindSwitches ArchiveKinds; // ArcARC ... ArcZ

    // Takes a member out of an archive and returns the copy's path, empty when it could not;
    // TakeOutOfArchive when not set.
    std::function<std::string(int archiveKind, const std::string& archivePath,
                              const std::string& member)>
        TakeOut;

    int LineLimit() const { return DescTruncCheck ? DescTruncEdit : 0; }
};

// The dialog's defaults from the settings (add mode or update mode) and the settings' own values.
TScanOptions ScanOptionsFromSettings(const TOptions& options, bool updating);

struct TScanRequest {
    TTreeNode* Catalog = nullptr;      // the target catalog node
    QString Drive;                     // the drive id (IDrives)
    QString VirtualRoot;               // "\dir\sub\" on the drive; empty: the whole medium
    TTreeNode* OldDisk = nullptr;      // the Disk being updated, or none
    bool ChangeSerial = false;         // give the medium a new serial number first
    bool PromptWhenNotReady = true;    // ask the user to retry while the drive is not ready
    TArchiveLister* ZipView = nullptr; // the listing component to use; null: one of the scan's own
};

enum class TScanOutcome {
    NotReady, // the drive was not ready and the user gave up: nothing was created
    Finished, // the scan finished flag
    Aborted,  // the scan abort flag: the user cancelled, everything was rolled back
    Failed,   // an error ended the scan, everything was rolled back
};

struct TScanResult {
    TScanOutcome Outcome = TScanOutcome::NotReady;
    TTreeNode* NewDisk = nullptr;               // set when finished
    std::string Error;                          // what went wrong, when failed
    std::vector<std::string> UnreadableFolders; // recorded as empty: no permission to read them
};

// The message the caller shows when a scan failed.
QString ScanFailedMessage();

TScanResult Scan(const TScanRequest& request, const TScanOptions& options);

} // namespace quorvex
