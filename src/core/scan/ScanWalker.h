#pragma once
// The disk scan's working state and steps; DiskScanner.h is the interface. The walk of the
// folders is in ScanWalker.cpp, the archives in ScanArchives.cpp, start and end in
// DiskScanner.cpp.

#include "platform/FolderReader.h"
#include "scan/DescriptionPool.h"
#include "scan/DiskScanner.h"

#include <QString>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quorvex
{

class TArchiveLister;
struct TDiskRec;
struct TFileRec;
struct TFolderRec;
struct TItemRec;

class TDiskScanner
{
public:
    TDiskScanner(const TScanRequest& request, const TScanOptions& options);
    ~TDiskScanner();
    TScanResult Run();

private:
    // One folder being walked.
    struct TWalk {
        TTreeNode* Node = nullptr;
        TItemRec* Rec = nullptr;
        TFolderRec* Folder = nullptr; // null for the Disk's root
        TTreeNode* Old = nullptr;     // the counterpart in the Disk being updated
        std::string Path;             // on the file system, without a trailing "/"
        std::vector<TFolderEntry> Subfolders;
        // The counterpart's children by name, built on first need.
        bool OldNamesBuilt = false;
        std::vector<std::pair<std::string, TTreeNode*>> OldNames;
        // Archive files read here (full paths) with the archive node made for each.
        std::vector<std::pair<std::string, TTreeNode*>> Volumes;
        TFileRec* Tail = nullptr;
        double Clusters = 0;
        // Real names of the description files met, empty when not met.
        std::string FilesBbs, DescriptIon, FileIdDiz;
        bool Override = false;
    };

    // The archive being read.
    struct TArchiveRead {
        TWalk* Walk = nullptr;
        std::string Path;
        TFolderEntry Entry;
        TTreeNode* Current = nullptr;  // the walked folder until the first member
        TTreeNode* Previous = nullptr; // the cabinet before the current one
        QString Volume;                // the file the current node stands for
        TFileRec* Tail = nullptr;
        std::vector<TTreeNode*> Made; // archive nodes made for this file
        int MembersRead = 0;
        int MembersRecorded = 0; // without a file recorded in the cabinet before
        bool SkipVolume = false; // the current volume was listed on its own before
        bool ReadFailed = false;
        bool SeenDiz = false, SeenBbs = false, SeenIon = false;
    };

    // DiskScanner.cpp
    std::string RootPath() const;
    void BuildPool();
    void Finish();
    void RollBack();
    void Reconcile();
    void KeepEventsFlowing();
    double ProgressBase() const;
    void ReportCounts();
    TTreeNode* AddNode(TTreeNode* parent, std::string text, TItemRec* rec);

    // ScanWalker.cpp
    void Walk(TTreeNode* node, TTreeNode* old, bool& parentOverride, const std::string& path,
              bool enter);
    void ReadEntries(TWalk& walk);
    void RecordFile(TWalk& walk, const TFolderEntry& entry, std::string name);
    void WalkSubfolders(TWalk& walk);
    void ApplyFolderSources(TWalk& walk, bool& parentOverride);
    void SortChildren(TTreeNode* node);
    TFolderRec* NewFolderRec(const TFolderEntry& entry);
    double ClustersOf(int64_t bytes) const;

    // ScanArchives.cpp
    bool HandleArchive(TWalk& walk, const TFolderEntry& entry, const std::string& name, int kind);
    bool QuickScan(TWalk& walk, const TFolderEntry& entry, const std::string& name);
    void MemberRead(TArchiveLister& lister);
    void NewArchiveNode(TArchiveLister& lister);
    void ApplyArchiveSources(TWalk& walk, int kind);
    std::string TakeOut(int kind, const std::string& member);

    const TScanRequest& m_request;
    const TScanOptions& m_options;
    TScanResult m_result;
    TTreeNode* m_diskNode = nullptr;
    TDiskRec* m_disk = nullptr;
    bool m_abort = false;
    bool m_capacityKnown = false;
    uint64_t m_rootDevice = 0;
    int64_t m_clusterBytes = 0;
    double m_used = 0;    // clusters in use on the medium
    double m_base = 0;    // the bar's maximum in clusters; 0: unknown, the bar is busy
    double m_counted = 0; // clusters of the scanned files
    int64_t m_bytes = 0;  // bytes of the files met
    int m_folders = 0;
    TDescriptionPool m_pool;
    std::vector<std::pair<TTreeNode*, TTreeNode*>> m_reused; // old archive node, its new node
    std::unique_ptr<TArchiveLister> m_ownLister;
    TArchiveLister* m_lister = nullptr;
    TArchiveRead m_read;
    bool m_captureArmed = false;
    std::string m_comment;     // the captured archive comment
    std::string m_pendingDesc; // for the archive recorded as a plain file
    std::chrono::steady_clock::time_point m_lastEvents;
};

} // namespace quorvex
