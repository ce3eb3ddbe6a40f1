#include "core/editor/text_buffer.h"

#include <algorithm>

namespace vellum {

namespace {

bool isBreakAt(const QString& text, int i) {
    return i + 1 < text.size() && text.at(i) == QLatin1Char('\r') &&
           text.at(i + 1) == QLatin1Char('\n');
}

// Appends the starts of the display lines of the paragraph [start, end) after its first line.
void wrapParagraph(const QString& text, int start, int end, int width, std::vector<int>& starts) {
    int pos = start;
    while (width > 0 && end - pos > width) {
        const int limit = pos + width;
        // Spaces opening the paragraph are no wrap point: they stay with the first word.
        int word = pos;
        while (word < limit && text.at(word) == QLatin1Char(' '))
            ++word;
        int next = limit;
        if (text.at(limit) != QLatin1Char(' ')) {
            const int space = text.lastIndexOf(QLatin1Char(' '), limit - 1);
            // A word that does not fit is cut, keeping at least one of its characters on the line
            // even when the opening spaces fill it.
            next = space >= word ? space + 1 : std::max(limit, word + 1);
        }
        // The spaces after the last word that fits hang at the end of the line.
        while (next < end && text.at(next) == QLatin1Char(' '))
            ++next;
        if (next >= end)
            return;
        starts.push_back(next);
        pos = next;
    }
}

} // namespace

TextBuffer::TextBuffer(int wrapWidth, Clipboard* clipboard)
    : m_wrapWidth(std::max(0, wrapWidth)), m_clipboard(clipboard ? clipboard : &m_ownClipboard) {}

void TextBuffer::setWrapWidth(int width) {
    m_wrapWidth = std::max(0, width);
    m_lineStarts.clear();
}

void TextBuffer::setText(const QString& text) {
    m_text = normalizeLineBreaks(text);
    m_anchor = m_caret = 0;
    m_undo.clear();
    setModified(false);
    changed();
}

const std::vector<int>& TextBuffer::lineStarts() const {
    if (!m_lineStarts.empty())
        return m_lineStarts;
    m_lineStarts.push_back(0);
    const int n = m_text.size();
    int paragraph = 0;
    for (int i = 0; i <= n; ++i) {
        if (i == n || isBreakAt(m_text, i)) {
            wrapParagraph(m_text, paragraph, i, m_wrapWidth, m_lineStarts);
            if (i == n)
                break;
            paragraph = i + 2;
            m_lineStarts.push_back(paragraph);
            ++i;
        }
    }
    return m_lineStarts;
}

int TextBuffer::snap(int position) const {
    position = std::clamp(position, 0, static_cast<int>(m_text.size()));
    if (position > 0 && position < m_text.size() && isBreakAt(m_text, position - 1))
        --position;
    return position;
}

Selection TextBuffer::selection() const {
    return {std::min(m_anchor, m_caret), std::max(m_anchor, m_caret)};
}

void TextBuffer::setSelection(int anchor, int caret) {
    m_anchor = snap(anchor);
    m_caret = snap(caret);
}

QString TextBuffer::selectedText() const {
    const Selection s = selection();
    return m_text.mid(s.start, s.length());
}

void TextBuffer::edit(const QString& inserted, bool recordUndo) {
    const Selection s = selection();
    if (recordUndo)
        m_undo.push_back({s.start, m_text.mid(s.start, s.length()), inserted, m_anchor, m_caret});
    else
        m_undo.clear();
    m_text.replace(s.start, s.length(), inserted);
    m_anchor = m_caret = s.start + inserted.size();
    setModified(true);
    changed();
}

void TextBuffer::setModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    if (m_onModified)
        m_onModified(modified);
}

void TextBuffer::changed() {
    m_lineStarts.clear();
    if (m_onChange)
        m_onChange();
}

void TextBuffer::replaceSelection(const QString& text) {
    edit(normalizeLineBreaks(text), false);
}

void TextBuffer::typeText(const QString& text) {
    edit(normalizeLineBreaks(text), true);
}

int TextBuffer::lineFromPosition(int position) const {
    if (position < 0)
        position = selection().start;
    position = snap(position);
    const std::vector<int>& starts = lineStarts();
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), position) -
                            starts.begin()) -
           1;
}

int TextBuffer::lineStart(int line) const {
    if (line < 0)
        line = lineFromPosition(m_caret);
    const std::vector<int>& starts = lineStarts();
    return line < static_cast<int>(starts.size()) ? starts[line] : -1;
}

int TextBuffer::lineLength(int position) const {
    const std::vector<int>& starts = lineStarts();
    const int line = lineFromPosition(position);
    const int start = starts[line];
    int end = line + 1 < static_cast<int>(starts.size()) ? starts[line + 1] : m_text.size();
    if (end - start >= 2 && isBreakAt(m_text, end - 2) &&
        line + 1 < static_cast<int>(starts.size()))
        end -= 2;
    return end - start;
}

int TextBuffer::lineCount() const {
    const std::vector<int>& starts = lineStarts();
    const int count = static_cast<int>(starts.size());
    return starts.back() == m_text.size() ? count - 1 : count;
}

QString TextBuffer::lineText(int line) const {
    const int start = lineStart(line);
    if (start < 0)
        return {};
    return m_text.mid(start, lineLength(start));
}

void TextBuffer::undo() {
    if (m_undo.empty())
        return;
    const Edit last = m_undo.back();
    m_undo.pop_back();
    m_text.replace(last.position, last.inserted.size(), last.removed);
    m_anchor = last.anchorBefore;
    m_caret = last.caretBefore;
    setModified(true);
    changed();
}

void TextBuffer::cut() {
    if (selection().length() == 0)
        return;
    copy();
    edit(QString(), true);
}

void TextBuffer::copy() {
    if (selection().length() > 0)
        m_clipboard->setText(selectedText());
}

void TextBuffer::paste() {
    const QString text = normalizeLineBreaks(m_clipboard->text());
    if (!text.isEmpty())
        edit(text, true);
}

void TextBuffer::clear() {
    if (selection().length() > 0)
        edit(QString(), true);
}

void TextBuffer::selectAll() {
    m_anchor = 0;
    m_caret = m_text.size();
}

QPoint TextBuffer::caretPixelPosition() const {
    const int line = lineFromPosition(m_caret);
    return {(m_caret - lineStart(line)) * 8, line * 16};
}

} // namespace vellum
