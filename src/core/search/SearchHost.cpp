#include "search/SearchHost.h"

#include <QThread>

namespace quorvex {

void TQueuedSearchHost::Call(const std::function<void()>& work)
{
    std::unique_lock lock(m_mutex);
    bool done = false;
    m_tasks.push_back({work, &done});
    m_queued.notify_all();
    m_finished.wait(lock, [&] { return done; });
}

void TQueuedSearchHost::Post(std::function<void()> work)
{
    std::lock_guard lock(m_mutex);
    m_tasks.push_back({std::move(work), nullptr});
    m_queued.notify_all();
}

bool TQueuedSearchHost::RunOne(std::unique_lock<std::mutex>& lock)
{
    if (m_tasks.empty()) return false;
    TTask task = std::move(m_tasks.front());
    m_tasks.pop_front();
    lock.unlock();
    task.Work();
    lock.lock();
    if (task.Done) {
        *task.Done = true;
        m_finished.notify_all();
    }
    return true;
}

void TQueuedSearchHost::ServeUntil(const std::function<bool()>& done)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        while (RunOne(lock)) {
        }
        lock.unlock();
        const bool finished = done();
        lock.lock();
        if (finished && m_tasks.empty()) return;
        m_queued.wait(lock, [&] { return !m_tasks.empty() || m_woken; });
        m_woken = false;
    }
}

void TQueuedSearchHost::ServePending()
{
    std::unique_lock lock(m_mutex);
    while (RunOne(lock)) {
    }
}

void TQueuedSearchHost::Wake()
{
    std::lock_guard lock(m_mutex);
    m_woken = true;
    m_queued.notify_all();
}

void TQtSearchHost::Call(const std::function<void()>& work)
{
    if (QThread::currentThread() == thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(this, [&work] { work(); }, Qt::BlockingQueuedConnection);
}

void TQtSearchHost::Post(std::function<void()> work)
{
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

} // namespace quorvex
