#include "ui/editor/plain_text_editor.h"

#include "ui/editor/html_highlighter.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <functional>
#include <utility>

namespace vellum {

namespace {

// The widget's own paragraph layout, which also reports each change it has taken in: a change
// over several paragraphs (or a new default font or text option) drops their layouts.
class ReportingLayout : public QPlainTextDocumentLayout {
public:
    ReportingLayout(QTextDocument* document, std::function<void(int, int, int)> report)
        : QPlainTextDocumentLayout(document), m_report(std::move(report)) {}

protected:
    void documentChanged(int from, int removed, int added) override {
        QPlainTextDocumentLayout::documentChanged(from, removed, added);
        m_report(from, removed, added);
    }

private:
    std::function<void(int, int, int)> m_report;
};

} // namespace

void PlainTextEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    // The base class lays the text out again exactly when the width changes.
    if (event->oldSize().width() != event->size().width()) {
        m_layoutWidth = viewport()->width();
        emit layoutDiscarded();
    }
}

PlainTextEditor::PlainTextEditor(QWidget* parent) : QPlainTextEdit(parent) {
    auto* text = new QTextDocument(this);
    text->setDefaultFont(document()->defaultFont());
    text->setDocumentLayout(new ReportingLayout(text, [this](int from, int removed, int added) {
        if (!m_highlighter || !m_highlighter->isColouring())
            emit layoutChanged(from, removed, added);
    }));
    setDocument(text);
    m_highlighter = new HtmlHighlighter(*this);
    m_layoutWidth = viewport()->width();
    preferPlainShaping();
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
