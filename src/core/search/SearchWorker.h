#pragma once
// The walk of a search: the disks in scope, their folders and file lists, loading what it
// needs through the main thread and releasing file lists that gave nothing.

#include "search/SearchCriteria.h"
#include "search/SearchMatch.h"
#include "search/SearchSnapshot.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorvex {

class ISearchHost;
class TCatalogTree;
class TFoundList;
class TTreeNode;
struct TItemRec;

struct TSearchProgress {
    int64_t Checked = 0;
    int64_t Total = 0;
    int Found = 0;
    int FirstNew = -1; // row of the first hit of this search
    int Bar() const;   // 0..1000
};
QString SearchStatusText(int64_t checked, int found);

struct TSearchOutcome {
    bool Cancelled = false; // stopped by a request (Cancel or the hit limit)
    bool NoCriteria = false;
    int Found = 0;
    int FirstNew = -1;
    std::string Error; // a failure ended the walk
};

// Hooks of the search window; every one runs on the main thread.
struct TSearchEvents {
    std::function<void(bool on)> TreeNotifications;
    std::function<void(const TSearchProgress&)> Progress;
    // True while the main window shows the files of node, so they must stay loaded.
    std::function<bool(TTreeNode* node)> FilesInUse;
};

class TSearchWorker {
public:
    TSearchWorker(TCatalogTree& tree, TFoundList& list, ISearchHost& host, TSearchCriteria criteria,
                  TCategoryChecks checks, bool useScopeFlags);

    // The whole search; runs on the worker's thread.
    void Run();

    // Any thread.
    void RequestStop() { m_stop = true; }
    bool StopRequested() const { return m_stop; }
    // Main thread: an item of node was taken into the user list, so the files stay loaded.
    void ItemTaken(TTreeNode* node);

    TSearchEvents Events;
    const TSearchOutcome& Outcome() const { return m_outcome; }
    const TSearchSnapshot& Snapshot() const { return m_snapshot; }

private:
    void Search();
    void CountTotal();
    int64_t DiskAmount(const TTreeNode* disk) const;
    bool InScope(const TTreeNode* disk) const;
    void Walk(TTreeNode* node);
    void WalkFiles(TItemRec* owner);
    bool MayHoldDescribedFiles(const TItemRec* rec) const;
    void AddHit(TItemRec* item);
    void Advance(int64_t n);
    void Report();
    void Flush(); // main thread
    bool LoadFilesOnMain(TTreeNode* node);
    void ReleaseOnMain(TTreeNode* node);
    void ReleasePending(); // main thread
    void OnMain(const std::function<void()>& work);

    TCatalogTree& m_tree;
    TFoundList& m_list;
    ISearchHost& m_host;
    TSearchCriteria m_criteria;
    TCategoryChecks m_checks;
    bool m_useScope;

    TSearchSnapshot m_snapshot;
    TCategoryMatch m_categories;
    bool m_keepsDescribedFlags = true;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_untouched{false};
    std::atomic<TTreeNode*> m_current{nullptr};
    // A release waiting to travel with the next call to the main thread.
    std::atomic<TTreeNode*> m_pendingRelease{nullptr};
    int64_t m_checked = 0;
    int64_t m_total = 0;
    int m_found = 0;
    int m_firstNew = -1;
    int m_flushedCount = 0; // entries of the list at the last flush
    std::vector<TItemRec*> m_pending; // hits not yet handed to the list
    TSearchOutcome m_outcome;
};

} // namespace quorvex
