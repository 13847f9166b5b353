#include "search/SearchThread.h"

#include "search/SearchGuard.h"
#include "search/SearchHost.h"

namespace quorvex {

TSearchThread::TSearchThread(TCatalogTree& tree, TFoundList& list, ISearchHost& host,
                             TSearchCriteria criteria, TCategoryChecks checks, bool useScopeFlags)
    : m_host(host), m_worker(tree, list, host, std::move(criteria), std::move(checks), useScopeFlags)
{
}

TSearchThread::~TSearchThread()
{
    m_worker.RequestStop();
    if (m_thread.joinable()) m_thread.join();
    if (m_running) {
        m_running = false;
        SetSearchCancel(nullptr);
        SetSearchRunning(false);
    }
}

void TSearchThread::Start(std::function<void(const TSearchOutcome&)> onEnd)
{
    if (m_running) return;
    m_onEnd = std::move(onEnd);
    m_running = true;
    SetSearchRunning(true);
    SetSearchCancel([this] { Cancel(); });
    m_thread = std::thread([this] {
        m_worker.Run();
        m_host.Post([this] { Finish(); });
    });
}

void TSearchThread::Finish()
{
    if (m_thread.joinable()) m_thread.join();
    if (!m_running) return;
    m_running = false;
    SetSearchCancel(nullptr);
    SetSearchRunning(false);
    if (m_onEnd) m_onEnd(m_worker.Outcome());
}

TSearchOutcome RunSearchHere(TSearchWorker& worker)
{
    SetSearchRunning(true);
    SetSearchCancel([&worker] { worker.RequestStop(); });
    worker.Run();
    SetSearchCancel(nullptr);
    SetSearchRunning(false);
    return worker.Outcome();
}

} // namespace quorvex
