#include "ui/editor/plain_text_editor.h"

#include "ui/editor/html_highlighter.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <utility>

namespace vellum {

namespace {

// The widget's own paragraph layout, which also reports each change it has taken in: a change
// over several paragraphs (or a new default font or text option) drops their layouts.
//
// It lays each paragraph out itself, with the base class's steps, leaving out the widest line's
// bookkeeping: whenever the paragraph holding the widest line gets narrower, the base class asks
// every paragraph of the document for its width (giving each one a layout object on the way),
// and in a wrapped text typing in a long paragraph does that every other keystroke. The widest
// line only sets the horizontal scroll range, which wrapped text never has.
class ReportingLayout : public QPlainTextDocumentLayout {
public:
    ReportingLayout(QTextDocument* document, std::function<qreal()> width,
                    std::function<void(int, int, int)> report,
                    std::function<bool(const QTextBlock&)> keepShapes)
        : QPlainTextDocumentLayout(document), m_width(std::move(width)),
          m_report(std::move(report)), m_keepShapes(std::move(keepShapes)) {
        // Connected before anything that colours the text or asks where things are: what comes
        // here is the change to the text alone, before new colours widen it to the whole of each
        // paragraph they are for, and the paragraph's lines are still those it had before.
        connect(document, &QTextDocument::contentsChange, this,
                [this, document](int from, int, int added) {
                    m_edit = {from, added, extentOf(document->findBlock(from))};
                });
    }

    QRectF blockBoundingRect(const QTextBlock& block) const override {
        const_cast<ReportingLayout*>(this)->ensureLaidOut(block);
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

    void ensureLaidOut(const QTextBlock& block) {
        if (block.isValid() && block.layout()->lineCount() == 0)
            layOut(block);
    }

protected:
    void documentChanged(int from, int removed, int added) override {
        if (!layOutChangedBlock(from, removed, added))
            QPlainTextDocumentLayout::documentChanged(from, removed, added);
        m_edit = {};
        m_blockCount = document()->blockCount();
        m_report(from, removed, added);
    }

private:
    // A change within one paragraph: lay it out again, and repaint it alone when its height
    // stays. False for any other change, which the base class takes.
    //
    // A change is within one paragraph when the paragraphs are as many as before, what is
    // reported lies in one paragraph (its break included: new colours report the whole of it),
    // and the text put in, if any, stays short of that paragraph's break: then no break was put
    // in, and none was taken away either. Without text put in (new colours alone), the text is
    // as it was. The base class asks instead whether the removed and the added lengths, added
    // together, end in the same paragraph; for a typed character in a coloured paragraph, that
    // sum reached into the paragraphs after it, and every keystroke cleared their layouts and
    // drew the whole window again.
    bool layOutChangedBlock(int from, int removed, int added) {
        const QTextDocument* doc = document();
        const QTextBlock block = doc->findBlock(from);
        const int end = block.position() + block.length();
        const bool textIn =
            m_edit.from < 0 ? removed == added
                            : m_edit.from >= block.position() && m_edit.from + m_edit.added < end;
        if (doc->blockCount() != m_blockCount || !block.isValid() || block.length() == 0 ||
            from + added > end || !textIn ||
            (doc->defaultTextOption().flags() & QTextOption::AddSpaceForLineAndParagraphSeparators))
            return false;
        const Extent before = m_edit.from >= 0 ? m_edit.before : extentOf(block);
        layOut(block);
        const Extent after = extentOf(block);
        if (before.height >= 0 ? after.height == before.height : after.lines == before.lines)
            emit updateBlock(block);
        else
            emit update(QRectF(0., -doc->documentMargin(), 1000000000., 1000000000.));
        return true;
    }

    // A paragraph's height as its lines tell it, when it still has them (new colours and a change
    // to its text take them away; asking for its height then would lay it out again, and tell
    // only the new height), and the number of lines it had, which stays known.
    struct Extent {
        qreal height = -1; ///< unknown
        int lines = 0;
    };
    Extent extentOf(const QTextBlock& block) const {
        if (!block.isValid())
            return {};
        const bool laidOut = block.layout()->lineCount() > 0;
        return {laidOut ? QPlainTextDocumentLayout::blockBoundingRect(block).height() : -1.,
                block.lineCount()};
    }

    void layOut(const QTextBlock& block) {
        QTextDocument* doc = document();
        const qreal margin = doc->documentMargin();
        QTextLayout* layout = block.layout();
        layout->setTextOption(doc->defaultTextOption());
        // A layout otherwise throws its shaped glyphs away, and every paint of the paragraph
        // (each blink of the caret) shapes it again from its first character.
        layout->setCacheEnabled(m_keepShapes(block));
        qreal width = m_width();
        if (width <= 0)
            width = qreal(INT_MAX);
        width -= 2 * margin;
        qreal height = 0;
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            line.setPosition(QPointF(margin, height));
            height += line.height();
            if (line.leading() < 0)
                height += std::ceil(line.leading());
        }
        layout->endLayout();
        const int lines = doc->lineCount();
        QTextBlock(block).setLineCount(block.isVisible() ? layout->lineCount() : 0);
        if (doc->lineCount() != lines)
            emit documentSizeChanged(documentSize());
    }

    std::function<qreal()> m_width;
    std::function<void(int, int, int)> m_report;
    std::function<bool(const QTextBlock&)> m_keepShapes;
    int m_blockCount = 1;
    struct {
        int from = -1; ///< none under way
        int added = 0;
        Extent before; ///< of the paragraph at `from`
    } m_edit;          ///< the change to the text being taken in
};

} // namespace

void PlainTextEditor::resizeEvent(QResizeEvent* event) {
    // The base class lays the text out again exactly when the width changes, at the viewport's
    // width; a paragraph laid out while it does so (on its repaint request) takes the new width.
    const bool newWidth = event->oldSize().width() != event->size().width();
    if (newWidth)
        m_layoutWidth = viewport()->width();
    QPlainTextEdit::resizeEvent(event);
    if (newWidth)
        emit layoutDiscarded();
}

PlainTextEditor::PlainTextEditor(QWidget* parent) : QPlainTextEdit(parent) {
    m_layoutWidth = viewport()->width();
    auto* text = new QTextDocument(this);
    text->setDefaultFont(document()->defaultFont());
    text->setDocumentLayout(new ReportingLayout(
        text, [this] { return static_cast<qreal>(m_layoutWidth); },
        [this](int from, int removed, int added) {
            if (!m_highlighter || !m_highlighter->isColouring())
                emit layoutChanged(from, removed, added);
        },
        [this](const QTextBlock& block) { return keepsShapes(block); }));
    setDocument(text);
    m_highlighter = new HtmlHighlighter(*this);
    m_layoutWidth = viewport()->width();
    preferPlainShaping();
}

bool PlainTextEditor::keepsShapes(const QTextBlock& block) {
    if (block.length() < KeptShapesLength || block != textCursor().block())
        return false;
    // One paragraph keeps its shapes at a time: they take some 35 bytes a character.
    const QTextBlock before = m_keptShapes.block();
    if (before != block) {
        if (before.isValid() && before.layout()->cacheEnabled())
            QTimer::singleShot(0, this, [this, at = m_keptShapes] { dropShapes(at); });
        m_keptShapes = QTextCursor(block);
    }
    return true;
}

void PlainTextEditor::dropShapes(const QTextCursor& at) {
    const QTextBlock block = at.block();
    if (!block.isValid() || block == m_keptShapes.block())
        return;
    QTextLayout* layout = block.layout();
    if (!layout->cacheEnabled())
        return;
    // Only a layout without the cache gives the shapes back. Its lines go too, which the widget
    // takes as not laid out: the paragraph is laid out again when it is next shown or asked about.
    layout->setCacheEnabled(false);
    layout->beginLayout();
    layout->endLayout();
}

void PlainTextEditor::ensureBlockLayout(const QTextBlock& block) const {
    static_cast<ReportingLayout*>(document()->documentLayout())->ensureLaidOut(block);
}

void PlainTextEditor::preferPlainShaping() {
    // Kerning and ligatures mean nothing in source text, and skipping them makes laying out a
    // paragraph two to three times faster (and its width the sum of its characters' advances,
    // which the quick line count relies on); scripts that need shaping still get it.
    QFont plain = font();
    if ((plain.styleStrategy() & QFont::PreferNoShaping) && !plain.kerning())
        return;
    plain.setStyleStrategy(QFont::StyleStrategy(plain.styleStrategy() | QFont::PreferNoShaping));
    plain.setKerning(false);
    setFont(plain);
}

QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
}

bool PlainTextEditor::canInsertFromMimeData(const QMimeData* source) const {
    // Dropped files are not text: refused here, the drop goes on to the main window, which
    // opens them.
    if (!droppedFiles(source).isEmpty())
        return false;
    return QPlainTextEdit::canInsertFromMimeData(source);
}

void PlainTextEditor::keyPressEvent(QKeyEvent* event) {
    // Only the program's commands act on Ctrl+letter keys. A key no command takes does nothing:
    // the base class's own bindings (on X11, Ctrl+D deletes a character and Ctrl+K the rest of
    // the line) would change the text behind the user's back.
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A &&
        event->key() <= Qt::Key_Z) {
        event->ignore();
        return;
    }
    // A document has one kind of line break. Shift+Enter breaks the line as Enter does; the base
    // class would put a Unicode line separator into the text, which then reaches the file.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->matches(QKeySequence::InsertLineSeparator)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), event->count());
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PlainTextEditor::paintEvent(QPaintEvent* event) {
    // The paragraphs about to be shown get their colours first.
    const QTextBlock first = firstVisibleBlock();
    const qreal bottom = viewport()->height();
    const QPointF offset = contentOffset();
    QTextBlock last = first;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        last = block;
        if (blockBoundingGeometry(block).translated(offset).bottom() >= bottom)
            break;
    }
    m_highlighter->colourVisible(first, last.blockNumber());
    QPlainTextEdit::paintEvent(event);
}

void PlainTextEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        preferPlainShaping();
        emit layoutDiscarded();
    }
}

} // namespace vellum
