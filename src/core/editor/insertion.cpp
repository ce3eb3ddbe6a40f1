#include "core/editor/insertion.h"

#include <algorithm>

namespace vellum {

namespace {

void empty(TextControl& scratch) {
    scratch.selectAll();
    scratch.replaceSelection(QString());
}

int trailingSpaces(const QString& text) {
    int k = 0;
    while (k < text.size() && text.at(text.size() - 1 - k) == QLatin1Char(' '))
        ++k;
    return k;
}

int caret(const TextControl& editor) {
    return editor.selection().start;
}

// The last line that exists, the empty line after a final line break included.
int clampLine(const TextControl& editor, int line) {
    if (line < 0)
        return 0;
    if (editor.lineStart(line) < 0)
        return editor.lineFromPosition(editor.length());
    return line;
}

void caretToLineEnd(TextControl& editor, int line) {
    const int start = editor.lineStart(clampLine(editor, line));
    const int end = start + editor.lineLength(start);
    editor.setSelection(end, end);
}

} // namespace

QString tooMuchTextMessage() {
    return QStringLiteral("That would be more than %1 characters; nothing was inserted.")
        .arg(ScratchCapacity);
}

bool fitsScratch(qint64 pieces, qint64 pieceLength) {
    if (pieces <= 0 || pieceLength <= 0)
        return true;
    return pieces <= ScratchCapacity / pieceLength;
}

namespace docops {

void wrapInTags(DocumentView& document, TextControl& scratch, InsertionSlots& shared,
                const QString& open, const QString& close) {
    TextControl& editor = document.editor();
    const Selection selection = editor.selection();
    const int p0 = selection.start;
    const int b = selection.length();
    empty(scratch);
    scratch.replaceSelection(open);
    scratch.replaceSelection(editor.selectedText());
    const QString t = scratch.text();
    // Spaces at the end stay outside the tags; line breaks and tabs stay inside.
    const int k = trailingSpaces(t);
    scratch.setSelection(t.size() - k, t.size() - k);
    scratch.replaceSelection(close);
    editor.replaceSelection(scratch.text());
    // The caret goes back by the closing text and the selection, landing just after the opening.
    shared.caretShift = -(close.size() + b);
    collapseSelection(editor, shared);
    shared.caretShift = p0 + open.size();
    editor.setSelection(p0 + open.size(), p0 + open.size() + b - k);
    empty(scratch);
}

void collapseSelection(TextControl& editor, const InsertionSlots& shared) {
    const int p = editor.selection().start + shared.caretShift;
    editor.setSelection(p, p);
}

void insertScratch(DocumentView& document, TextControl& scratch) {
    scratch.selectAll();
    const QString text = scratch.selectedText();
    document.editor().replaceSelection(text);
    empty(scratch);
    document.lineSet();
}

void insertBrackets(DocumentView& document, TextControl& scratch, InsertionSlots& shared,
                    const QString& brackets) {
    scratch.selectAll();
    scratch.replaceSelection(brackets);
    insertScratch(document, scratch);
    // Back over the ">" so that the caret stands inside the brackets.
    shared.caretShift = -1;
    collapseSelection(document.editor(), shared);
}

void wrapWithHint(DocumentView& document, TextControl& scratch, InsertionSlots& shared,
                  const QString& hint, int back) {
    wrapInTags(document, scratch, shared, shared.tagOpen, shared.tagClose);
    shared.caretShift = -back;
    collapseSelection(document.editor(), shared);
    document.showTip(hint);
}

void goDownLines(TextControl& editor, int n) {
    caretToLineEnd(editor, CaretLine(editor) + n - 1);
}

void gotoLineEnd(TextControl& editor, int n) {
    caretToLineEnd(editor, n - 1);
}

void pasteThroughScratch(TextControl& editor, TextControl& scratch, Clipboard& clipboard,
                         const std::function<void()>& prepare) {
    scratch.selectAll();
    scratch.replaceSelection(clipboard.text());
    if (prepare)
        prepare();
    scratch.selectAll();
    clipboard.setText(scratch.selectedText());
    scratch.replaceSelection(QString());
    editor.paste();
}

} // namespace docops

void Insertions::openFreshLine() {
    DocumentView* document = m_workspace.activeDocument();
    if (!document)
        return;
    TextControl& editor = document->editor();
    const Selection selection = editor.selection();
    if (selection.length() > 0) {
        editor.setSelection(selection.end, selection.end);
        editor.replaceSelection(QStringLiteral("\r\n"));
    }
    const int position = caret(editor);
    if (editor.lineStart(editor.lineFromPosition(position)) != position)
        editor.replaceSelection(QStringLiteral("\r\n"));
}

void Insertions::insertText(const QString& text) {
    DocumentView* document = m_workspace.activeDocument();
    if (!document)
        return;
    TextControl& scratch = m_workspace.scratch();
    scratch.replaceSelection(text);
    // Inserting nothing changes nothing: replacing the selection by an empty text would delete
    // it, and as a program insertion it would empty the undo history too.
    if (scratch.length() == 0)
        return;
    docops::insertScratch(*document, scratch);
}

void Insertions::insertScratch() {
    if (DocumentView* document = m_workspace.activeDocument())
        docops::insertScratch(*document, m_workspace.scratch());
}

void Insertions::wrapSelection(const QString& open, const QString& close) {
    DocumentView* document = m_workspace.activeDocument();
    if (!document)
        return;
    InsertionSlots& shared = m_workspace.insertionSlots();
    shared.tagOpen = open;
    shared.tagClose = close;
    docops::wrapInTags(*document, m_workspace.scratch(), shared, shared.tagOpen, shared.tagClose);
}

void Insertions::wrapWithHint(const QString& hint, int back) {
    if (DocumentView* document = m_workspace.activeDocument())
        docops::wrapWithHint(*document, m_workspace.scratch(), m_workspace.insertionSlots(), hint,
                             back);
}

void Insertions::gotoLine(int n) {
    if (DocumentView* document = m_workspace.activeDocument())
        docops::goDownLines(document->editor(), n);
}

void Insertions::gotoLineEnd(int n) {
    if (DocumentView* document = m_workspace.activeDocument())
        docops::gotoLineEnd(document->editor(), n);
}

void Insertions::caretIntoTableCell() {
    DocumentView* document = m_workspace.activeDocument();
    if (!document)
        return;
    // The Table helper's cell text ends six characters after where the caret belongs.
    const int position = caret(document->editor()) - 6;
    document->editor().setSelection(position, position);
}

void Insertions::moveCaretToLine(int line) {
    if (DocumentView* document = m_workspace.activeDocument())
        SetCaretLine(document->editor(), line);
}

void Insertions::focusDocument() {
    if (DocumentView* document = m_workspace.activeDocument())
        document->focusEditor();
}

void Insertions::disableEditor() {
    if (DocumentView* document = m_workspace.activeDocument())
        document->setEditorEnabled(false);
}

void Insertions::enableEditor() {
    if (DocumentView* document = m_workspace.activeDocument())
        document->setEditorEnabled(true);
}

} // namespace vellum
