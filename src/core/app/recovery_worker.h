#pragma once

#include "core/app/recovery_documents.h"

#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vellum {

/// Carries recovery jobs out on a thread of its own, so that encoding and writing a large
/// document never holds the window up. Jobs run one at a time in the order given; a job waiting
/// for its turn is replaced by a later one for the same document, which supersedes it; only the
/// later one is reported.
class RecoveryWorker {
public:
    /// What a carried-out job reports, on the worker's thread: the document's number and the error
    /// message (empty on success). Whatever the job was, a write or a removal, it may have
    /// replaced a write of the same document that was waiting: the report stands for both.
    using Done = std::function<void(int serial, const QString& error)>;

    explicit RecoveryWorker(Done done);
    /// Carries out every job given, then ends the thread.
    ~RecoveryWorker();
    RecoveryWorker(const RecoveryWorker&) = delete;
    RecoveryWorker& operator=(const RecoveryWorker&) = delete;

    /// Queues a job; the thread starts with the first.
    void submit(RecoveryJob job);
    /// Waits until every job given so far has been carried out.
    void drain();

private:
    void run();

    Done m_done;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<RecoveryJob> m_queue;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace vellum
