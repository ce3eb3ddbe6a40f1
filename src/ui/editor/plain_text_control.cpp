#include "ui/editor/plain_text_control.h"

#include "core/foundation/line_breaks.h"
#include "ui/editor/html_highlighter.h"
#include "ui/editor/paragraph_bulk_fill.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace vellum {

namespace {

// A large text goes to the widget in pieces of about so many characters.
constexpr qsizetype TextPiece = 1 << 20;

// The text read for searching is kept so long after the last search.
constexpr int SearchableKeptMs = 10000;

// So many paragraphs are counted in a few milliseconds, well within a keystroke.
constexpr int SyncCountBlocks = 10000;

// A text this long is counted on another thread while it is filled in.
constexpr qsizetype BackgroundCountChars = 1 << 18;

} // namespace

PlainTextControl::PlainTextControl(PlainTextEditor* editor, Clipboard* clipboard)
    : QObject(editor), m_editor(editor), m_clipboard(clipboard) {
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->document()->setDocumentMargin(0);
    m_savedPalette = m_editor->palette();

    m_chunkTimer.setSingleShot(true);
    m_chunkTimer.setInterval(0);
    connect(&m_chunkTimer, &QTimer::timeout, this, &PlainTextControl::layOutChunk);
    connect(m_editor, &PlainTextEditor::layoutChanged, this, &PlainTextControl::onLayoutChange);
    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        if (m_onChange)
            m_onChange();
    });
    connect(m_editor->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (m_onModified)
            m_onModified(modified);
    });
    // Colours change no character; anything else may.
    connect(m_editor->document(), &QTextDocument::contentsChange, this,
            [this](int from, int removed, int) {
                if (!m_editor->highlighter().isColouring())
                    noteTextChange(from, removed);
            });
    m_searchableRelease.setSingleShot(true);
    m_searchableRelease.setInterval(SearchableKeptMs);
    connect(&m_searchableRelease, &QTimer::timeout, this, [this] { m_searchable = QString(); });
    connect(m_editor, &PlainTextEditor::layoutDiscarded, this, [this] { checkLayoutKey(); });
    // A change of font or tab stops on the document relayouts it all and repaints; each repaint
    // request is a moment to compare the layout inputs.
    connect(m_editor->document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
            [this] { checkLayoutKey(); });
    m_blockCount = m_editor->document()->blockCount();
    m_key = currentKey();
    configureCounter();
}

PlainTextControl::~PlainTextControl() {
    // The counting thread may still be about to post its end to this object.
    m_background.reset();
}

void PlainTextControl::setTabStops(const QList<QTextOption::Tab>& tabs, qreal distance) {
    QTextOption option = m_editor->document()->defaultTextOption();
    // Setting the same stops again would still drop every paragraph's layout.
    if (option.tabs() == tabs && option.tabStopDistance() == distance)
        return;
    option.setTabs(tabs);
    option.setTabStopDistance(distance);
    // The layout reports the new option as a change of the whole text (onLayoutChange).
    m_editor->document()->setDefaultTextOption(option);
}

void PlainTextControl::fill(const std::function<QString()>& pieceBefore, qsizetype size) {
    // The document takes CR LF, lone CR and LF each for one paragraph break itself, so a whole
    // document's text is not copied to convert them first. No paragraph may be laid out before
    // the widget shows it at its final width (a paragraph of megabytes takes a second), so:
    // - the text goes in through the document, not the widget (which selects it all to format
    //   it, laying out the first paragraph);
    // - the caret is put at the start before the text comes, in a placeholder paragraph the
    //   text goes after (moved there later, the widget would scroll to it, laying it out); the
    //   placeholder is a paragraph of its own because the layout lays out at once a paragraph
    //   changed without a change in the number of paragraphs (all of a text on one line);
    // - the widget hears of the new size with the first line count, not now (it would lay out
    //   the last screenful of paragraphs).
    // A large text's lines are counted on another thread while it goes in, for the layout it
    // goes in with; they are taken if that is still the layout when the counting is done.
    QTextDocument* doc = m_editor->document();
    m_background.reset();
    m_filling = true;
    if (size >= BackgroundCountChars) {
        m_backgroundKey = currentKey();
        m_background = std::make_unique<BackgroundCounts>(
            doc->defaultFont(), doc->defaultTextOption(), m_backgroundKey.textWidth, LongParagraph,
            [this] {
                QMetaObject::invokeMethod(
                    this, [this] { scheduleChunk(); }, Qt::QueuedConnection);
            });
    }
    {
        const QSignalBlocker quiet(doc->documentLayout());
        doc->setPlainText(QStringLiteral("\n"));
        doc->setUndoRedoEnabled(false);
        m_editor->setTextCursor(QTextCursor(doc));
        QTextCursor at(doc);
        at.beginEditBlock();
        ParagraphBulkFill bulk(doc);
        for (QString piece = pieceBefore(); !piece.isEmpty(); piece = pieceBefore()) {
            if (m_background && !m_background->addBefore(piece))
                m_background.reset();
            at.setPosition(1);
            bulk.insert(at, std::move(piece));
        }
        bulk.finish();
        if (m_background)
            m_background->finish();
        at.setPosition(0);
        at.setPosition(1, QTextCursor::KeepAnchor);
        at.removeSelectedText();
        at.endEditBlock();
        doc->setUndoRedoEnabled(true);
    }
    m_filling = false;
    doc->setModified(false);
    m_countsChanged = true;
    m_editor->viewport()->update();
    m_editor->verticalScrollBar()->setValue(0);
}

void PlainTextControl::setText(const QString& text) {
    QString whole = text;
    fill([&whole] { return std::exchange(whole, QString()); }, text.size());
}

void PlainTextControl::takeText(QString&& text) {
    // Pieces are split off the end of the text, each starting after a line break, and their
    // memory given back at once; each goes before the ones already in.
    const qsizetype size = text.size();
    fill(
        [&text] {
            qsizetype start = std::max<qsizetype>(0, text.size() - TextPiece);
            if (start > 0) {
                // Never empty: a break that ends the text starts no piece, the one before it does.
                qsizetype lineBreak = text.indexOf(QLatin1Char('\n'), start);
                if (lineBreak < 0 || lineBreak + 1 == text.size())
                    lineBreak = text.lastIndexOf(QLatin1Char('\n'), start - 1);
                start = lineBreak + 1;
            }
            QString piece = text.mid(start);
            text.truncate(start);
            text.squeeze();
            return piece;
        },
        size);
}

Selection PlainTextControl::selection() const {
    const QTextCursor c = m_editor->textCursor();
    return {toModel(c.selectionStart()), toModel(c.selectionEnd())};
}

void PlainTextControl::setSelection(int anchor, int caret) {
    QTextCursor c = m_editor->textCursor();
    c.setPosition(toWidget(anchor));
    c.setPosition(toWidget(caret), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(c);
}

void PlainTextControl::replaceSelection(const QString& text) {
    QTextDocument* doc = m_editor->document();
    QTextCursor c = m_editor->textCursor();
    // Switching undo off and on again empties the history: a program insertion cannot be undone,
    // and nothing typed before it can come back.
    doc->setUndoRedoEnabled(false);
    c.insertText(lineFeedBreaks(text));
    doc->setUndoRedoEnabled(true);
    m_editor->setTextCursor(c);
    doc->setModified(true);
}

QString PlainTextControl::selectedText() const {
    return paragraphsToCrLf(m_editor->textCursor().selectedText());
}

QString PlainTextControl::text() const {
    return paragraphsToCrLf(m_editor->document()->toRawText());
}

void PlainTextControl::noteTextChange(int from, int removed) {
    if (m_searchable.isNull())
        return;
    const qsizetype before = m_widgetLength;
    m_widgetLength = m_editor->document()->characterCount() - 1;
    m_searchableFrom = std::min<qsizetype>(m_searchableFrom, from);
    // A change may be reported over the document's closing paragraph break, which the text does
    // not hold.
    m_searchableTail =
        std::clamp<qsizetype>(before - (qsizetype(from) + removed), 0, m_searchableTail);
}

QString PlainTextControl::searchableText() const {
    // Reading the text out of the widget costs several times the search itself, and Find Next is
    // pressed again and again on an unchanged text: the copy serves until searching pauses for a
    // while (it is as large as the text). After an edit only what changed is read again: the
    // first Find after typing no longer reads the whole text out of the widget.
    QTextDocument* doc = m_editor->document();
    const qsizetype length = doc->characterCount() - 1;
    const qsizetype kept = m_searchable.size();
    if (!m_searchable.isNull() &&
        (m_searchableFrom < kept || m_searchableTail < kept || kept != length)) {
        const qsizetype keptEnd = kept - m_searchableTail;
        const qsizetype end = length - m_searchableTail;
        if (m_searchableFrom <= keptEnd && m_searchableFrom <= end) {
            QTextCursor changed(doc);
            changed.setPosition(int(m_searchableFrom));
            changed.setPosition(int(end), QTextCursor::KeepAnchor);
            m_searchable.replace(m_searchableFrom, keptEnd - m_searchableFrom,
                                 changed.selectedText());
        }
    }
    if (m_searchable.isNull() || m_searchable.size() != length)
        m_searchable = doc->toRawText();
    m_searchableFrom = m_searchableTail = m_widgetLength = length;
    m_searchableRelease.start();
    return m_searchable;
}

int PlainTextControl::length() const {
    const QTextDocument* doc = m_editor->document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

int PlainTextControl::lineFromPosition(int position) const {
    const int widget = position < 0 ? m_editor->textCursor().selectionStart() : toWidget(position);
    return displayLineOf(widget);
}

int PlainTextControl::lineFromPositionIfSettled(int position) const {
    const int widget = position < 0 ? m_editor->textCursor().selectionStart() : toWidget(position);
    checkLayoutKey();
    const int block = m_editor->document()->findBlock(widget).blockNumber();
    // Some thousands of paragraphs are counted at once without the user noticing; more are left
    // to the idle-time chunks.
    if (m_dirtyLo < m_dirtyHi && block >= m_dirtyLo && block - m_dirtyLo >= SyncCountBlocks)
        return -1;
    return displayLineOf(widget);
}

int PlainTextControl::lineStart(int line) const {
    if (line < 0)
        line = displayLineOf(m_editor->textCursor().position());
    int inBlock = 0;
    const QTextBlock block = blockOfLine(line, &inBlock);
    if (!block.isValid())
        return -1;
    return toModel(block.position() + block.layout()->lineAt(inBlock).textStart());
}

int PlainTextControl::lineLength(int position) const {
    const int widget = position < 0 ? m_editor->textCursor().selectionStart() : toWidget(position);
    const QTextBlock block = m_editor->document()->findBlock(widget);
    layOutThrough(block.blockNumber());
    m_editor->ensureBlockLayout(block);
    const QTextLayout* layout = block.layout();
    const int line = displayLineOf(widget) - block.firstLineNumber();
    const int start = layout->lineAt(line).textStart();
    const int end =
        line + 1 < layout->lineCount() ? layout->lineAt(line + 1).textStart() : block.length() - 1;
    return end - start;
}

int PlainTextControl::lineCount() const {
    const QTextDocument* doc = m_editor->document();
    const QTextBlock last = doc->lastBlock();
    layOutThrough(last.blockNumber());
    const int lines = last.firstLineNumber() + last.lineCount();
    return last.length() == 1 ? lines - 1 : lines;
}

QString PlainTextControl::lineText(int line) const {
    const int start = lineStart(line);
    if (start < 0)
        return {};
    const int widget = toWidget(start);
    const QTextBlock block = m_editor->document()->findBlock(widget);
    return block.text().mid(widget - block.position(), lineLength(start));
}

bool PlainTextControl::canUndo() const {
    return m_editor->document()->isUndoAvailable();
}

void PlainTextControl::undo() {
    if (!canUndo())
        return;
    m_editor->undo();
    // Undoing is a change like any other, even when it returns to the saved text.
    m_editor->document()->setModified(true);
}

void PlainTextControl::emptyUndoBuffer() {
    m_editor->document()->clearUndoRedoStacks();
}

void PlainTextControl::cut() {
    if (m_editor->textCursor().hasSelection()) {
        copy();
        clear();
    }
}

void PlainTextControl::copy() {
    if (m_editor->textCursor().hasSelection())
        m_clipboard->setText(selectedText());
}

void PlainTextControl::paste() {
    const QString text = m_clipboard->text();
    if (text.isEmpty())
        return;
    QTextCursor c = m_editor->textCursor();
    // An edit block of its own keeps each paste one undo step; the document would otherwise merge
    // it with an insertion that ends where it starts, such as the paste before.
    c.beginEditBlock();
    c.insertText(lineFeedBreaks(text));
    c.endEditBlock();
    m_editor->setTextCursor(c);
}

void PlainTextControl::clear() {
    QTextCursor c = m_editor->textCursor();
    if (!c.hasSelection())
        return;
    c.removeSelectedText();
    m_editor->setTextCursor(c);
}

void PlainTextControl::selectAll() {
    m_editor->selectAll();
}

bool PlainTextControl::isModified() const {
    return m_editor->document()->isModified();
}

void PlainTextControl::setModified(bool modified) {
    m_editor->document()->setModified(modified);
}

void PlainTextControl::setSelectionHidden(bool hidden) {
    if (hidden == m_selectionHidden)
        return;
    m_selectionHidden = hidden;
    if (hidden) {
        m_savedPalette = m_editor->palette();
        QPalette p = m_savedPalette;
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, QPalette::Highlight, p.color(group, QPalette::Base));
            p.setColor(group, QPalette::HighlightedText, p.color(group, QPalette::Text));
        }
        m_editor->setPalette(p);
    } else {
        m_editor->setPalette(m_savedPalette);
    }
}

void PlainTextControl::setFormattingRect(const QRect& rect) {
    const QMargins current = m_editor->viewportMargins();
    const QSize client = m_editor->viewport()->size().grownBy(current);
    const QMargins wanted(std::max(0, rect.left()), std::max(0, rect.top()),
                          std::max(0, client.width() - rect.right() - 1),
                          std::max(0, client.height() - rect.bottom() - 1));
    // Changing margins relayouts the whole text; leave them alone when nothing changes.
    if (wanted != current)
        m_editor->setViewportMargins(wanted);
}

QPoint PlainTextControl::caretPixelPosition() const {
    return m_editor->cursorRect().topLeft();
}

void PlainTextControl::setChangeHandler(std::function<void()> handler) {
    m_onChange = std::move(handler);
}

void PlainTextControl::setModifiedHandler(std::function<void(bool)> handler) {
    m_onModified = std::move(handler);
}

} // namespace vellum
