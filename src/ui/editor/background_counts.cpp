#include "ui/editor/background_counts.h"

#include "ui/editor/wrap_counter.h"

#include <QStringView>

#include <algorithm>
#include <utility>

namespace vellum {

namespace {

// Pieces queued and not yet counted when the filling waits for the counting: it then holds no
// more than these pieces of the text twice. The document takes a piece in faster than a thread
// counts it, so more waiting would hold more of the text twice without counting any sooner.
constexpr std::size_t MaxWaitingPieces = 2;

// Threads counting at once. A paragraph takes the document less time to take in than to count,
// so the counting sets the pace, on as many processors as are free for it.
int countingThreads() {
    return std::clamp(int(std::thread::hardware_concurrency()), 1, 3);
}

bool endsParagraph(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\u2029' || c == u'\uFDD0' || c == u'\uFDD1';
}

} // namespace

BackgroundCounts::BackgroundCounts(const QFont& font, const QTextOption& option, qreal width,
                                   int longest, std::function<void()> done)
    : m_longest(longest), m_onDone(std::move(done)) {
    for (int i = countingThreads(); i > 0; --i)
        m_threads.emplace_back([this, font, option, width] { run(font, option, width); });
}

BackgroundCounts::~BackgroundCounts() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

bool BackgroundCounts::addBefore(const QString& piece) {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_queue.size() < MaxWaitingPieces || m_stop; });
        if (m_stop)
            return false;
        m_queue.emplace_back(m_pieces.size(), piece);
        m_pieces.emplace_back();
    }
    m_changed.notify_all();
    return true;
}

void BackgroundCounts::finish() {
    bool complete = false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
        complete = completeIfCounted();
    }
    m_changed.notify_all();
    if (complete && m_onDone)
        m_onDone();
}

bool BackgroundCounts::completeIfCounted() {
    if (!m_finished || m_counted < m_pieces.size() || m_done.load())
        return false;
    std::size_t total = 0;
    for (const auto& piece : m_pieces)
        total += piece.size();
    m_paragraphs.reserve(total);
    for (auto piece = m_pieces.rbegin(); piece != m_pieces.rend(); ++piece)
        m_paragraphs.insert(m_paragraphs.end(), piece->begin(), piece->end());
    m_pieces.clear();
    m_done = true;
    return true;
}

const std::vector<BackgroundCounts::Paragraph>& BackgroundCounts::paragraphs() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_done.load() || m_stop; });
    return m_paragraphs;
}

void BackgroundCounts::run(QFont font, QTextOption option, qreal width) {
    // The font engine a counter measures through belongs to the thread that made it.
    WrapCounter counter;
    counter.configure(font, option, width);
    for (;;) {
        std::size_t number = 0;
        QString piece;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_queue.empty() || m_finished || m_stop; });
            if (m_stop || m_queue.empty())
                return;
            number = m_queue.front().first;
            piece = std::move(m_queue.front().second);
            m_queue.pop_front();
        }
        m_changed.notify_all(); // room in the queue
        // The first piece given ends the text; any other ends with its break.
        const bool endsText = number == 0;
        std::vector<Paragraph> out;
        const auto* chars = reinterpret_cast<const char16_t*>(piece.constData());
        const qsizetype n = piece.size();
        qsizetype start = 0;
        for (qsizetype i = 0; i <= n; ++i) {
            if (i < n && !endsParagraph(chars[i]))
                continue;
            // A piece other than the last ends with its break: nothing follows it.
            if (i == n && !endsText)
                break;
            if (m_stop)
                return;
            const QStringView text(chars + start, i - start);
            const bool counted = text.size() <= m_longest;
            out.push_back({static_cast<int>(text.size()), counted ? counter.lineCount(text) : -1});
            if (i + 1 < n && chars[i] == u'\r' && chars[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        bool complete = false;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_pieces[number] = std::move(out);
            ++m_counted;
            complete = completeIfCounted();
        }
        if (complete) {
            m_changed.notify_all();
            if (m_onDone)
                m_onDone();
        }
    }
}

} // namespace vellum
