#pragma once
// Runs a search worker on a thread of its own. The running mark is set while it runs; its
// end is handed to the main thread through the host.

#include "search/SearchWorker.h"

#include <functional>
#include <memory>
#include <thread>

namespace quorvex {

class TSearchThread {
public:
    // host must run Post work on the main thread (TQueuedSearchHost, TQtSearchHost).
    TSearchThread(TCatalogTree& tree, TFoundList& list, ISearchHost& host, TSearchCriteria criteria,
                  TCategoryChecks checks, bool useScopeFlags);
    // Destroy it once onEnd has run: a worker still waiting for the main thread cannot end
    // while the main thread waits here.
    ~TSearchThread();
    TSearchThread(const TSearchThread&) = delete;
    TSearchThread& operator=(const TSearchThread&) = delete;

    TSearchWorker& Worker() { return m_worker; }

    // Main thread. onEnd runs on the main thread once the worker has ended, after the
    // running mark was cleared.
    void Start(std::function<void(const TSearchOutcome&)> onEnd);
    void Cancel() { m_worker.RequestStop(); }
    bool Running() const { return m_running; }

private:
    void Finish();

    ISearchHost& m_host;
    TSearchWorker m_worker;
    std::thread m_thread;
    bool m_running = false;
    std::function<void(const TSearchOutcome&)> m_onEnd;
};

// Runs a search on the calling thread with loads and releases done in place.
TSearchOutcome RunSearchHere(TSearchWorker& worker);

} // namespace quorvex
