#include "core/app/recovery_worker.h"

#include <algorithm>

namespace vellum {

RecoveryWorker::RecoveryWorker(Done done) : m_done(std::move(done)) {}

RecoveryWorker::~RecoveryWorker() {
    {
        const std::lock_guard<std::mutex> hold(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void RecoveryWorker::submit(RecoveryJob job) {
    {
        const std::lock_guard<std::mutex> hold(m_mutex);
        // Only the newest job of a document matters: a later snapshot makes an earlier one stale,
        // and a removal makes a waiting write pointless (and the reverse).
        m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                     [&job](const RecoveryJob& queued) {
                                         return queued.serial == job.serial;
                                     }),
                      m_queue.end());
        m_queue.push_back(std::move(job));
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void RecoveryWorker::drain() {
    std::unique_lock<std::mutex> hold(m_mutex);
    m_idle.wait(hold, [this] { return m_queue.empty() && !m_busy; });
}

void RecoveryWorker::run() {
    std::unique_lock<std::mutex> hold(m_mutex);
    for (;;) {
        m_wake.wait(hold, [this] { return m_stopping || !m_queue.empty(); });
        // The queue is emptied before the thread ends: the removals of closed documents' files
        // at exit are carried out.
        if (m_queue.empty()) {
            m_idle.notify_all();
            return;
        }
        RecoveryJob job = std::move(m_queue.front());
        m_queue.pop_front();
        m_busy = true;
        hold.unlock();
        QString error;
        runRecoveryJob(job, error);
        m_done(job.serial, error);
        // The text is let go of now rather than when the next job comes.
        job = RecoveryJob{};
        hold.lock();
        m_busy = false;
        if (m_queue.empty())
            m_idle.notify_all();
    }
}

} // namespace vellum
