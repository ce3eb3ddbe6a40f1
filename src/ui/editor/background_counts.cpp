#include "ui/editor/background_counts.h"

#include "ui/editor/wrap_counter.h"

#include <QStringView>

#include <utility>

namespace vellum {

namespace {

// Pieces queued and not yet counted when the counting is given up: on a busy machine the
// filling neither waits for it nor holds more than these pieces of the text twice.
constexpr std::size_t MaxWaitingPieces = 8;

bool endsParagraph(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\u2029' || c == u'\uFDD0' || c == u'\uFDD1';
}

} // namespace

BackgroundCounts::BackgroundCounts(const QFont& font, const QTextOption& option, qreal width,
                                   int longest, std::function<void()> done)
    : m_longest(longest), m_onDone(std::move(done)) {
    m_thread = std::thread([this, font, option, width] { run(font, option, width); });
}

BackgroundCounts::~BackgroundCounts() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

bool BackgroundCounts::addBefore(const QString& piece) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.size() >= MaxWaitingPieces)
            return false;
        m_queue.push_back(piece);
    }
    m_changed.notify_all();
    return true;
}

void BackgroundCounts::finish() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
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
    // Each piece's paragraphs, the text's end first.
    std::vector<std::vector<Paragraph>> pieces;
    for (;;) {
        QString piece;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_queue.empty() || m_finished || m_stop; });
            if (m_stop)
                return;
            if (m_queue.empty())
                break;
            piece = std::move(m_queue.front());
            m_queue.pop_front();
        }
        const bool endsText = pieces.empty();
        std::vector<Paragraph>& out = pieces.emplace_back();
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
    }
    std::size_t total = 0;
    for (const auto& piece : pieces)
        total += piece.size();
    std::vector<Paragraph> all;
    all.reserve(total);
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece)
        all.insert(all.end(), piece->begin(), piece->end());
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_paragraphs = std::move(all);
        m_done = true;
    }
    m_changed.notify_all();
    if (m_onDone)
        m_onDone();
}

} // namespace vellum
