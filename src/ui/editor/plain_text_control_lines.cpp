// The display-line bookkeeping of PlainTextControl: which layout the line counts belong to, the
// counting of paragraphs (here, on the counting thread, or by the widget's own layout in idle
// time), and the moves between text positions, widget positions and display lines.
#include "ui/editor/plain_text_control.h"

#include "ui/editor/html_highlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace vellum {

namespace {

// One idle-time slice of layout work; short enough that typing and painting stay smooth.
constexpr qint64 ChunkBudgetNs = 6'000'000;

QPlainTextDocumentLayout* layoutOf(const QPlainTextEdit* editor) {
    return qobject_cast<QPlainTextDocumentLayout*>(editor->document()->documentLayout());
}

} // namespace

bool PlainTextControl::LayoutKey::operator==(const LayoutKey& o) const {
    return textWidth == o.textWidth && font == o.font && tabStop == o.tabStop &&
           wrapMode == o.wrapMode && lineWrap == o.lineWrap && margin == o.margin;
}

PlainTextControl::LayoutKey PlainTextControl::currentKey() const {
    const QTextDocument* doc = m_editor->document();
    LayoutKey key;
    key.textWidth = m_editor->layoutWidth();
    key.font = doc->defaultFont();
    key.tabStop = doc->defaultTextOption().tabStopDistance();
    key.wrapMode = static_cast<int>(doc->defaultTextOption().wrapMode());
    key.lineWrap = static_cast<int>(m_editor->lineWrapMode());
    key.margin = doc->documentMargin();
    return key;
}

void PlainTextControl::configureCounter() const {
    const QTextDocument* doc = m_editor->document();
    m_counter.configure(doc->defaultFont(), doc->defaultTextOption(), m_key.textWidth);
}

void PlainTextControl::checkLayoutKey() const {
    // The widget drops every paragraph's layout (and line count) when one of these changes; a
    // change of the text, the default font or the text option comes through onLayoutChange.
    LayoutKey now = currentKey();
    if (now == m_key)
        return;
    m_key = now;
    configureCounter();
    markDirty(0, m_editor->document()->blockCount());
}

void PlainTextControl::markDirty(int fromBlock, int toBlockExclusive) const {
    if (m_dirtyLo >= m_dirtyHi) {
        m_dirtyLo = fromBlock;
        m_dirtyHi = toBlockExclusive;
    } else {
        m_dirtyLo = std::min(m_dirtyLo, fromBlock);
        m_dirtyHi = std::max(m_dirtyHi, toBlockExclusive);
    }
    m_dirtyHi = std::min(m_dirtyHi, m_editor->document()->blockCount());
    if (m_dirtyLo < m_dirtyHi)
        scheduleChunk();
}

void PlainTextControl::scheduleChunk() const {
    if (!m_chunkTimer.isActive())
        m_chunkTimer.start();
}

void PlainTextControl::onLayoutChange(int from, int removed, int added) {
    QTextDocument* doc = m_editor->document();
    // Counts made beside the filling describe the text as it was filled in.
    if (!m_filling)
        m_background.reset();
    // A new default font or text option comes as a change of the whole text.
    if (!(currentKey() == m_key) || (from == 0 && added == doc->characterCount())) {
        m_key = currentKey();
        configureCounter();
    }
    const int newCount = doc->blockCount();
    const int delta = newCount - m_blockCount;
    m_blockCount = newCount;
    const int first = doc->findBlock(from).blockNumber();
    const int end = std::min(from + removed + added, doc->characterCount() - 1);
    const int last = doc->findBlock(end).blockNumber();
    // Paragraph numbers after the change move with the paragraphs added or removed.
    if (m_dirtyLo < m_dirtyHi && m_dirtyHi > first)
        m_dirtyHi = std::max(first + 1, m_dirtyHi + delta);
    markDirty(std::max(0, first), last + 1);
}

int PlainTextControl::backgroundLines(const QTextBlock& block, int number) const {
    // While the text is still going in (a change handler may ask), the counts are not all made.
    if (!m_background || m_filling)
        return -1;
    if (!(m_backgroundKey == m_key)) {
        m_background.reset();
        return -1;
    }
    const std::vector<BackgroundCounts::Paragraph>& counted = m_background->paragraphs();
    if (number >= static_cast<int>(counted.size()) ||
        counted[static_cast<std::size_t>(number)].length != block.length() - 1)
        return -1;
    return counted[static_cast<std::size_t>(number)].lines;
}

void PlainTextControl::countBlock(QTextBlock block, int number) const {
    // Asking a paragraph whether it is laid out would give each one a layout object (a few
    // hundred bytes); counting a paragraph the widget has laid out finds the same number, but
    // for a long one asking is cheaper.
    if (block.length() > LongParagraph && block.layout()->lineCount() > 0)
        return;
    // Colours cut a paragraph's layout into more pieces than the quick count knows of.
    if (HtmlHighlighter::hasColours(block)) {
        m_editor->ensureBlockLayout(block);
        return;
    }
    int lines = backgroundLines(block, number);
    if (lines < 0)
        lines = m_counter.lineCount(block.text());
    if (lines < 0) {
        m_editor->ensureBlockLayout(block);
    } else if (block.lineCount() != lines) {
        block.setLineCount(lines);
        m_countsChanged = true;
    }
}

void PlainTextControl::announceCounts() const {
    if (!m_countsChanged)
        return;
    m_countsChanged = false;
    // The scroll bar's range follows the document's line count.
    QPlainTextDocumentLayout* layout = layoutOf(m_editor);
    emit layout->documentSizeChanged(layout->documentSize());
}

void PlainTextControl::layOutThrough(int blockNumber) const {
    checkLayoutKey();
    if (m_dirtyLo >= m_dirtyHi || blockNumber < m_dirtyLo)
        return;
    const int stop = std::min(blockNumber + 1, m_dirtyHi);
    QTextBlock block = m_editor->document()->findBlockByNumber(m_dirtyLo);
    for (int i = m_dirtyLo; i < stop && block.isValid(); ++i, block = block.next())
        countBlock(block, i);
    m_dirtyLo = stop;
    announceCounts();
}

void PlainTextControl::layOutThroughLine(int line) const {
    checkLayoutKey();
    QTextBlock block = m_editor->document()->findBlockByNumber(m_dirtyLo);
    // Every paragraph before m_dirtyLo is counted, so its line number is exact.
    while (m_dirtyLo < m_dirtyHi && block.isValid() && block.firstLineNumber() <= line) {
        countBlock(block, m_dirtyLo);
        block = block.next();
        ++m_dirtyLo;
    }
    announceCounts();
}

void PlainTextControl::layOutChunk() {
    checkLayoutKey();
    // Counts still being made beside the filling come with a chunk of their own when they are
    // done; counting here meanwhile would do their work twice.
    if (m_background && !m_background->isDone() && m_backgroundKey == m_key)
        return;
    // Even when a query has already laid everything out, the signal is still due: a display that
    // was answered -1 waits for it.
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = m_editor->document()->findBlockByNumber(m_dirtyLo);
    while (m_dirtyLo < m_dirtyHi && block.isValid()) {
        countBlock(block, m_dirtyLo);
        block = block.next();
        ++m_dirtyLo;
        if ((m_dirtyLo & 63) == 0 && clock.nsecsElapsed() > ChunkBudgetNs)
            break;
    }
    announceCounts();
    if (m_dirtyLo < m_dirtyHi) {
        scheduleChunk();
    } else {
        m_background.reset();
        emit layoutSettled();
    }
}

bool PlainTextControl::isLayoutSettled() const {
    checkLayoutKey();
    return m_dirtyLo >= m_dirtyHi;
}

void PlainTextControl::settleLayout() {
    // The pending chunk, if any, finds nothing left and only announces the settled layout.
    layOutThrough(m_editor->document()->blockCount() - 1);
}

int PlainTextControl::toModel(int widgetPosition) const {
    return widgetPosition + m_editor->document()->findBlock(widgetPosition).blockNumber();
}

int PlainTextControl::toWidget(int position) const {
    const QTextDocument* doc = m_editor->document();
    position = std::clamp(position, 0, length());
    // The last paragraph whose text position is at or before `position`.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= position)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    // An offset past the paragraph's text lands on its CR or LF: both mean "before the CR".
    const int offset = std::min(position - (block.position() + lo), block.length() - 1);
    return block.position() + offset;
}

int PlainTextControl::displayLineOf(int widgetPosition) const {
    const QTextBlock block = m_editor->document()->findBlock(widgetPosition);
    const int offset = widgetPosition - block.position();
    // A paragraph's start needs only the paragraphs before it counted, and any place in a
    // paragraph of one line no layout: for a paragraph of megabytes either takes a second.
    layOutThrough(offset == 0 ? block.blockNumber() - 1 : block.blockNumber());
    if (offset == 0 || block.lineCount() == 1)
        return block.firstLineNumber();
    // The paragraph asked about must have its lines whatever the bookkeeping believes.
    m_editor->ensureBlockLayout(block);
    const QTextLayout* layout = block.layout();
    // The last line starting at or before the offset: a wrap point belongs to the line it starts.
    int lo = 0;
    int hi = std::max(0, layout->lineCount() - 1);
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (layout->lineAt(mid).textStart() <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    return block.firstLineNumber() + lo;
}

QTextBlock PlainTextControl::blockOfLine(int line, int* lineInBlock) const {
    layOutThroughLine(line);
    const QTextBlock block = m_editor->document()->findBlockByLineNumber(line);
    if (!block.isValid())
        return {};
    m_editor->ensureBlockLayout(block);
    if (line >= block.firstLineNumber() + block.lineCount() || block.layout()->lineCount() == 0)
        return {};
    *lineInBlock = line - block.firstLineNumber();
    return block;
}

} // namespace vellum
