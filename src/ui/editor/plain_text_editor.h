#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>

class QMimeData;
class QTextBlock;

namespace vellum {

class HtmlHighlighter;

/// The local files a drag carries (none when it carries anything else, such as a link from a
/// browser, which is text for the editor).
QStringList droppedFiles(const QMimeData* data);

/// The document's editor control: a plain-text editor whose formatting rectangle can be set and
/// which tells when the widget has dropped its text layout.
class PlainTextEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PlainTextEditor(QWidget* parent = nullptr);
    using QPlainTextEdit::setViewportMargins;
    using QPlainTextEdit::viewportMargins;

    /// The width the widget lays its text out at.
    int layoutWidth() const { return m_layoutWidth; }
    /// Lays the paragraph out at the widget's width unless it is laid out already.
    void ensureBlockLayout(const QTextBlock& block) const;
    /// What colours the HTML in the text.
    HtmlHighlighter& highlighter() const { return *m_highlighter; }

signals:
    /// The widget has just discarded the layout of every paragraph (new width or font).
    void layoutDiscarded();
    /// The layout has taken in a change of the text (or of its default font or text option) over
    /// these characters, after the document's own contentsChange.
    void layoutChanged(int from, int removed, int added);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A keystroke lays its paragraph out and then asks the layout where the caret is, which
    // without the shapes kept goes through the whole paragraph twice more (about 0.1 ms at 2,000
    // characters). The shapes take some 35 bytes a character.
    static constexpr int KeptShapesLength = 1000;

    void preferPlainShaping();
    /// Whether the paragraph being laid out keeps its shaped glyphs: a long one holding the caret.
    bool keepsShapes(const QTextBlock& block);
    /// Gives back the shapes of the paragraph at `at`, unless it keeps them again.
    void dropShapes(const QTextCursor& at);

    int m_layoutWidth = -1;
    QTextCursor m_keptShapes;
    HtmlHighlighter* m_highlighter = nullptr;
};

} // namespace vellum
