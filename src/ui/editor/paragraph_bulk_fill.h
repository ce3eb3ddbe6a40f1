#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

namespace vellum {

/// Puts a large text into a text document several times faster than a cursor can.
///
/// A cursor puts each paragraph in as its own edit: a run and a break inserted one at a time in
/// the document's two balanced trees (runs of text, and paragraphs), some 2.8 us a paragraph
/// whatever the length. Here each piece goes in as one run, and `finish` makes every break in
/// the runs a paragraph of its own, building both trees at once, in one pass over the text.
///
/// That needs the document's inner structures, which are known for the Qt version this was
/// written for; with any other, the pieces go in through the cursor. Between the first piece and
/// `finish` the document is not in a state anything may read: the caller keeps an edit block
/// open, with undo off and the layout not listening, and calls `finish` before closing it.
class ParagraphBulkFill {
public:
    explicit ParagraphBulkFill(QTextDocument* document) : m_document(document) {}

    /// Puts `piece` in at the cursor, with the cursor's character format. CR LF, a lone CR or LF
    /// and the paragraph separator each end a paragraph, as for QTextCursor::insertText.
    void insert(QTextCursor& at, QString piece);
    /// Makes the breaks in the pieces paragraphs; does nothing when none are pending.
    void finish();

private:
    QTextDocument* m_document;
    bool m_pending = false;
    quint32 m_breaks = 0; ///< in the pieces put in since the last finish
};

} // namespace vellum
