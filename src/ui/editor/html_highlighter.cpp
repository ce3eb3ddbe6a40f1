#include "ui/editor/html_highlighter.h"

#include "platform/editor/spell_dictionary.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace vellum {

namespace {

// What a paragraph keeps in its user state: -1 until it is first lexed; then whether its layout
// carries colours, whether those colours are its current ones, whether the states are known,
// and the lexer's states at its start and at its end.
constexpr int HasColours = 1;
constexpr int Coloured = 2;
constexpr int Known = 4;
constexpr int EndShift = 3;
constexpr int StartShift = 16;
constexpr int StateMask = (1 << 13) - 1;

// Lexer states are small numbers; one that would not fit is taken as plain text, which only
// costs colours, never a wrong line.
int fitting(html::State state) {
    return state >= 0 && state <= StateMask ? state : 0;
}
int pack(int flags, html::State start, html::State end) {
    return flags | Known | fitting(end) << EndShift | fitting(start) << StartShift;
}
bool known(int mark) {
    return mark != -1 && (mark & Known);
}
html::State startOf(int mark) {
    return mark >> StartShift & StateMask;
}
html::State endOf(int mark) {
    return mark >> EndShift & StateMask;
}
int coloursOf(int mark) {
    return mark == -1 ? 0 : mark & HasColours;
}

// Characters lexed at once on the way to a paragraph before the rest is left to slices.
constexpr qint64 LexBudget = 500000;
constexpr int SliceMs = 6;

} // namespace

HtmlHighlighter::HtmlHighlighter(QPlainTextEdit& editor)
    : QObject(&editor), m_editor(editor), m_document(editor.document()) {
    connect(m_document, &QTextDocument::contentsChange, this, &HtmlHighlighter::onContentsChange);
    connect(&m_editor, &QPlainTextEdit::cursorPositionChanged, this,
            &HtmlHighlighter::onCaretMoved);
    m_judgeLater.setSingleShot(true);
    m_judgeLater.setInterval(JudgeTypingAfterMs);
    connect(&m_judgeLater, &QTimer::timeout, this, &HtmlHighlighter::judgeTyping);
    m_slices.setSingleShot(true);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &HtmlHighlighter::lexAhead);
    m_blockCount = m_document->blockCount();
    m_misspelt.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    m_misspelt.setUnderlineColor(QColor(0xE0, 0x10, 0x10));
}

void HtmlHighlighter::setSpelling(SpellDictionary* dictionary, const QString& language) {
    if (dictionary == m_dictionary && language == m_language)
        return;
    m_dictionary = dictionary;
    m_language = language;
    recheckSpelling();
}

void HtmlHighlighter::recheckSpelling() {
    markUncoloured();
    m_editor.viewport()->update();
}

void HtmlHighlighter::markUncoloured() {
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (block.userState() != -1)
            block.setUserState(block.userState() & ~Coloured);
    }
}

void HtmlHighlighter::addMisspelt(const QTextBlock& block, const QString& text,
                                  QList<QTextLayout::FormatRange>& ranges) {
    if (!m_dictionary || !m_dictionary->ready(m_language))
        return;
    const int typing = m_typingAt - block.position();
    for (const SpellingWord& word : spellingWords(text, m_spans)) {
        // A word half typed is no word yet; asking about it costs as much as the keystroke.
        if (typing > word.start() && typing <= word.end())
            continue;
        if (m_dictionary->check(m_language, word.text))
            continue;
        for (const WordPiece& piece : word.pieces) {
            QTextLayout::FormatRange range;
            range.start = piece.start;
            range.length = piece.length;
            range.format = m_misspelt;
            ranges << range;
        }
    }
}

void HtmlHighlighter::carryMisspelt(const QTextBlock& block,
                                    QList<QTextLayout::FormatRange>& ranges) const {
    if (!m_dictionary)
        return;
    const int at = m_edit.from - block.position();
    const int shift = m_edit.added - m_edit.removed;
    // The underlines come after the colours, in the order of their words.
    const QList<QTextLayout::FormatRange> had = block.layout()->formats();
    auto first = had.end();
    while (first != had.begin() &&
           std::prev(first)->format.underlineStyle() == QTextCharFormat::WaveUnderline)
        --first;
    for (auto it = first; it != had.end(); ++it) {
        QTextLayout::FormatRange range = *it;
        if (m_edit.from >= 0 && range.start + range.length >= at) {
            // The edit is inside the word or touches it: the word is being typed.
            if (range.start <= at + m_edit.removed)
                continue;
            range.start += shift;
        }
        ranges << range;
    }
}

void HtmlHighlighter::judgeTyping() {
    const QTextBlock block = m_document->findBlock(m_typingAt);
    if (m_typingAt < 0 || !block.isValid() || block.userState() == -1 ||
        block.blockNumber() >= m_trustedBefore)
        return;
    m_judgeTyping = true;
    colour(block, block.blockNumber() == 0 ? 0 : endOf(block.previous().userState()));
    m_judgeTyping = false;
}

void HtmlHighlighter::onCaretMoved() {
    if (m_typingAt < 0 || m_editor.textCursor().position() == m_typingAt)
        return;
    // The word that was being typed is judged now.
    const QTextBlock block = m_document->findBlock(m_typingAt);
    m_typingAt = -1;
    uncolour(block);
}

void HtmlHighlighter::uncolour(QTextBlock block) {
    if (m_dictionary && block.isValid() && block.userState() != -1) {
        block.setUserState(block.userState() & ~Coloured);
        m_editor.viewport()->update();
    }
}

std::optional<SpellingWord> HtmlHighlighter::misspeltAt(const QTextBlock& block,
                                                        int positionInBlock) {
    if (!m_dictionary || !m_enabled || !block.isValid() || block.length() - 1 > MaxColouredLength)
        return std::nullopt;
    // The paragraph's start state is known once it has been shown, as a paragraph under the
    // pointer has.
    const int number = block.blockNumber();
    advance(number, LexBudget);
    const html::State start = number == 0 ? 0 : endOf(block.previous().userState());
    for (const SpellingWord& word : spellingWords(block.text(), start)) {
        for (const WordPiece& piece : word.pieces) {
            if (positionInBlock >= piece.start && positionInBlock <= piece.start + piece.length)
                return m_dictionary->check(m_language, word.text) ? std::nullopt
                                                                  : std::optional(word);
        }
    }
    return std::nullopt;
}

bool HtmlHighlighter::hasColours(const QTextBlock& block) {
    return coloursOf(block.userState()) != 0;
}

void HtmlHighlighter::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (hasColours(block))
            setColours(block, {});
        block.setUserState(-1);
    }
    reset();
    m_editor.viewport()->update();
}

void HtmlHighlighter::reset() {
    m_trustedBefore = 0;
    m_lexedUpTo = 0;
    m_editedUpTo = -1;
    m_target = -1;
    m_blockCount = m_document->blockCount();
    m_slices.stop();
}

void HtmlHighlighter::onContentsChange(int from, int removed, int added) {
    // One typed character or one taken away (two for a character outside the BMP) is typing.
    m_edit = {from, removed, added};
    const int typedBefore = m_typingAt;
    m_typingAt = removed + added <= 2 && m_editor.textCursor().position() == from + added
                     ? from + added
                     : -1;
    if (typedBefore >= 0 && m_typingAt < 0) {
        // Another change ends the typing: the word is judged when its paragraph is drawn.
        const int at =
            typedBefore < from ? typedBefore : std::max(from, typedBefore + added - removed);
        uncolour(m_document->findBlock(at));
    }
    const int count = m_document->blockCount();
    const int delta = count - m_blockCount;
    m_blockCount = count;
    QTextBlock first = m_document->findBlock(from);
    QTextBlock last =
        m_document->findBlock(std::min(from + added, m_document->characterCount() - 1));
    if (!first.isValid())
        return;
    // A whole new text (opening a file) starts with paragraphs that were never lexed.
    if (from == 0 && added >= m_document->characterCount() - 1) {
        reset();
        return;
    }
    // Paragraphs made by the change have never been lexed; the changed ones at its two ends keep
    // only the note that their layout may carry colours.
    for (QTextBlock block : {first, last}) {
        if (block.isValid() && block.userState() != -1)
            block.setUserState(coloursOf(block.userState()));
    }
    const int f = first.blockNumber();
    const int l = std::max(f, last.blockNumber());
    const bool reachable = f <= m_trustedBefore;
    m_trustedBefore = std::min(m_trustedBefore, f);
    if (m_lexedUpTo > f)
        m_lexedUpTo = std::max(f + 1, m_lexedUpTo + delta);
    if (m_editedUpTo >= f)
        m_editedUpTo = std::max(f, m_editedUpTo + delta);
    m_editedUpTo = std::max(m_editedUpTo, l);
    if (m_target > f)
        m_target = std::max(f, m_target + delta);

    // The edited paragraphs are coloured now, before the layout takes the change in, so that it
    // lays them out once and not again for their new colours; that is, when the state they start
    // in is known already (what is in view was coloured before) and there are few of them.
    if (!m_enabled || !reachable || l - f > 50)
        return;
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= l;
         block = block.next()) {
        if (block.blockNumber() != m_trustedBefore)
            break;
        colour(block, block.blockNumber() == 0 ? 0 : endOf(block.previous().userState()));
    }
}

bool HtmlHighlighter::advance(int target, qint64 budget) {
    if (m_trustedBefore >= target)
        return true;
    QTextBlock block = m_document->findBlockByNumber(m_trustedBefore);
    html::State state = m_trustedBefore == 0 ? 0 : endOf(block.previous().userState());
    qint64 spent = 0;
    while (block.isValid() && m_trustedBefore < target) {
        const int number = block.blockNumber();
        const int mark = block.userState();
        if (number > m_editedUpTo && number < m_lexedUpTo && known(mark) &&
            startOf(mark) == state) {
            // Past the edits, a paragraph starts as it did: every one lexed after it is as it was.
            m_editedUpTo = -1;
            m_trustedBefore = m_lexedUpTo;
            if (m_trustedBefore >= target)
                break;
            block = m_document->findBlockByNumber(m_trustedBefore);
            state = endOf(block.previous().userState());
            continue;
        }
        if (spent > budget)
            return false;
        spent += block.length();
        state = lexForState(block, state);
        m_trustedBefore = number + 1;
        m_lexedUpTo = std::max(m_lexedUpTo, m_trustedBefore);
        block = block.next();
    }
    return m_trustedBefore >= target;
}

html::State HtmlHighlighter::lexForState(QTextBlock block, html::State start) {
    const int mark = block.userState();
    if (known(mark) && startOf(mark) == start)
        return endOf(mark);
    m_spans.clear();
    const QString text = block.text();
    const html::State end = html::lexLine(text, start, m_spans);
    // Its colours, if any, were for another start: they are made again when it is shown. A
    // paragraph too long to colour has nothing to make again.
    const int coloured = text.size() > MaxColouredLength ? Coloured : 0;
    block.setUserState(pack(coloursOf(mark) | coloured, start, end));
    return fitting(end);
}

void HtmlHighlighter::setColours(QTextBlock block, const QList<QTextLayout::FormatRange>& ranges) {
    // The same colours again (a paragraph whose words were judged anew, most often) are not
    // worth laying the paragraph out again.
    if (block.layout()->formats() == ranges)
        return;
    // The layout takes the new colours in at once (or with the edit under way, if any). Colours
    // change no line, so the report of that is for nobody.
    ++m_colouring;
    block.layout()->setFormats(ranges);
    m_document->markContentsDirty(block.position(), block.length());
    --m_colouring;
}

void HtmlHighlighter::colour(QTextBlock block, html::State start) {
    chooseColours();
    const int mark = block.userState();
    const auto clearColours = [&] {
        if (coloursOf(mark))
            setColours(block, {});
    };
    // A paragraph too long to colour is not even lexed until a paragraph after it needs the
    // state it ends in.
    if (block.length() - 1 > MaxColouredLength) {
        clearColours();
        block.setUserState(known(mark) && startOf(mark) == start ? (mark & ~HasColours) | Coloured
                                                                 : Coloured);
        return;
    }
    m_spans.clear();
    const QString text = block.text();
    const html::State end = html::lexLine(text, start, m_spans);
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(static_cast<int>(m_spans.size()));
    for (const html::Span& span : m_spans) {
        QTextLayout::FormatRange range;
        range.start = span.start;
        range.length = span.length;
        // One shared format for each kind: the layout files each format it meets by its hash,
        // which a shared format computes once.
        range.format = m_formats[static_cast<std::size_t>(span.kind)];
        ranges << range;
    }
    if (m_dictionary && m_typingAt >= 0 && !m_judgeTyping && block.contains(m_typingAt)) {
        // While the user types, the paragraph keeps the underlines it had; its words are judged
        // once typing pauses, and the keystroke costs what it costs without spelling.
        carryMisspelt(block, ranges);
        m_judgeLater.start();
    } else {
        addMisspelt(block, text, ranges);
    }
    m_edit.from = -1;
    if (ranges.isEmpty()) {
        clearColours();
    } else {
        setColours(block, ranges);
    }
    block.setUserState(pack(Coloured | (ranges.isEmpty() ? 0 : HasColours), start, end));
    // Lexed from the state the paragraph before it ends in, its own end state is right too.
    const int number = block.blockNumber();
    if (number == m_trustedBefore) {
        m_trustedBefore = number + 1;
        m_lexedUpTo = std::max(m_lexedUpTo, m_trustedBefore);
    }
}

void HtmlHighlighter::colourVisible(const QTextBlock& first, int lastNumber) {
    if (!m_enabled || !first.isValid())
        return;
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= lastNumber;
         block = block.next()) {
        const int number = block.blockNumber();
        if (!advance(number, LexBudget)) {
            // Far ahead of what has been lexed: the rest of the way goes in slices.
            m_target = lastNumber;
            m_slices.start();
            return;
        }
        const html::State start = number == 0 ? 0 : endOf(block.previous().userState());
        const int mark = block.userState();
        if (!(mark & Coloured) || !known(mark) || startOf(mark) != start)
            colour(block, start);
    }
}

void HtmlHighlighter::lexAhead() {
    if (m_target < 0)
        return;
    QElapsedTimer clock;
    clock.start();
    while (!advance(m_target, LexBudget / 8)) {
        if (clock.elapsed() >= SliceMs) {
            m_slices.start();
            return;
        }
    }
    m_target = -1;
    m_editor.viewport()->update();
}

void HtmlHighlighter::chooseColours() {
    const QColor base = m_editor.palette().color(QPalette::Base);
    if (base == m_coloursFor)
        return;
    const bool hadColours = m_coloursFor.isValid();
    m_coloursFor = base;
    using html::Kind;
    const auto set = [this](Kind kind, QColor colour) {
        QTextCharFormat& format = m_formats[static_cast<std::size_t>(kind)];
        format = QTextCharFormat();
        format.setForeground(colour);
    };
    // Dark text on a light page, light text on a dark one.
    const bool dark = base.lightness() < 128;
    set(Kind::Text, m_editor.palette().color(QPalette::Text));
    set(Kind::Tag, dark ? QColor(0x7a, 0xb4, 0xff) : QColor(0x1a, 0x4f, 0xa0));
    set(Kind::AttributeName, dark ? QColor(0xe8, 0xa8, 0x6a) : QColor(0x8a, 0x3b, 0x00));
    set(Kind::AttributeValue, dark ? QColor(0x8f, 0xd4, 0x8f) : QColor(0x1b, 0x7a, 0x1b));
    set(Kind::Comment, dark ? QColor(0x9a, 0x9a, 0x9a) : QColor(0x80, 0x80, 0x80));
    set(Kind::Entity, dark ? QColor(0xe0, 0x8c, 0xd8) : QColor(0xa0, 0x20, 0x8a));
    set(Kind::Doctype, dark ? QColor(0xb0, 0xb0, 0xd0) : QColor(0x5a, 0x5a, 0x7a));
    set(Kind::Script, dark ? QColor(0xd0, 0xb0, 0xff) : QColor(0x6b, 0x3f, 0xa0));
    set(Kind::Style, dark ? QColor(0x6a, 0xd8, 0xd8) : QColor(0x00, 0x70, 0x7a));
    if (!hadColours)
        return;
    // Another colour scheme: every paragraph is coloured anew when next shown.
    markUncoloured();
}

} // namespace vellum
