#pragma once

#include <QFont>
#include <QString>
#include <QTextOption>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vellum {

/// The display-line counts of a large text's paragraphs, worked out on threads of their own
/// while the text goes into the editor, so that the counting is done on the other processors
/// during the filling instead of after it.
///
/// The text comes in pieces from its end backwards, each starting after a line break; the first
/// piece given ends the text. CR LF, a lone CR, LF and the document's own paragraph and frame
/// marks each end a paragraph, as the document takes them.
class BackgroundCounts {
public:
    struct Paragraph {
        int length = 0; ///< characters, without the break
        int lines = -1; ///< -1: the quick count cannot tell
    };

    /// Starts the threads; each counts as a WrapCounter configured with `font`, `option` and
    /// `width`, paragraphs of at most `longest` characters (a longer one the widget mostly lays out
    /// itself). `done` is called on the counting thread once every piece is counted (after
    /// finish()).
    BackgroundCounts(const QFont& font, const QTextOption& option, qreal width, int longest,
                     std::function<void()> done);
    /// Stops the counting and waits for the threads.
    ~BackgroundCounts();
    BackgroundCounts(const BackgroundCounts&) = delete;
    BackgroundCounts& operator=(const BackgroundCounts&) = delete;

    /// Queues the piece before those given so far, first waiting while several pieces wait to
    /// be counted (so that no more than these are held twice). False, and nothing queued, when
    /// the counting has stopped.
    bool addBefore(const QString& piece);
    /// No more pieces come.
    void finish();
    /// Whether every piece is counted.
    bool isDone() const { return m_done.load(std::memory_order_acquire); }
    /// The text's paragraphs in order; waits for the counting to end.
    const std::vector<Paragraph>& paragraphs();

private:
    void run(QFont font, QTextOption option, qreal width);
    /// Puts the pieces' paragraphs together once all are counted; under the lock.
    bool completeIfCounted();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<std::size_t, QString>> m_queue; ///< pieces and their numbers
    /// Each piece's paragraphs, by its number (the text's end first).
    std::vector<std::vector<Paragraph>> m_pieces;
    std::size_t m_counted = 0;
    bool m_finished = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    int m_longest = 0;
    std::function<void()> m_onDone;
    std::vector<Paragraph> m_paragraphs;
    std::vector<std::thread> m_threads;
};

} // namespace vellum
