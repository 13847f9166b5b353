#pragma once
// How the search worker gets work done on the main thread. The catalog records carry no
// lock: every load or release of file lists and sub-folders and every progress report runs
// on the main thread while the worker waits for it.

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace quorvex {

class ISearchHost {
public:
    virtual ~ISearchHost() = default;
    // Runs work on the main thread and returns when it is done. work must not throw.
    virtual void Call(const std::function<void()>& work) = 0;
    // Has the main thread run work later, without waiting (the end of a search).
    virtual void Post(std::function<void()> work) = 0;
};

// The worker runs on the main thread itself (command line, tests): work runs at once.
class TDirectSearchHost : public ISearchHost {
public:
    void Call(const std::function<void()>& work) override { work(); }
    void Post(std::function<void()> work) override { work(); }
};

// The main thread serves a queue while the worker thread runs (no event loop needed).
class TQueuedSearchHost : public ISearchHost {
public:
    void Call(const std::function<void()>& work) override;
    void Post(std::function<void()> work) override;
    // On the main thread: runs queued work until done() is true and the queue is empty.
    void ServeUntil(const std::function<bool()>& done);
    // Runs what is queued now.
    void ServePending();
    // Wakes ServeUntil to look at done() again.
    void Wake();

private:
    struct TTask {
        std::function<void()> Work;
        bool* Done = nullptr; // set when a waiting caller can go on
    };
    bool RunOne(std::unique_lock<std::mutex>& lock);
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_finished;
    std::deque<TTask> m_tasks;
    bool m_woken = false;
};

// The GUI: work travels through the Qt event loop of the thread this object lives in.
class TQtSearchHost : public QObject, public ISearchHost {
    Q_OBJECT
public:
    using QObject::QObject;
    void Call(const std::function<void()>& work) override;
    void Post(std::function<void()> work) override;
};

} // namespace quorvex
