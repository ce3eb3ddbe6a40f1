#pragma once

#include "core/editor/text_control.h"
#include "core/foundation/clipboard.h"

#include <QString>

namespace vellum {

/// The most text the scratch editor takes at once; a helper asked for more inserts nothing.
inline constexpr qint64 ScratchCapacity = 8000000;

/// "That would be more than 8000000 characters; nothing was inserted."
QString tooMuchTextMessage();

/// True when `pieces` pieces of at most `pieceLength` characters each fit in the scratch editor.
/// Helpers ask before they build text whose size comes from numbers typed freely.
bool fitsScratch(qint64 pieces, qint64 pieceLength);

/// The program-wide slots that callers fill immediately before the operation that reads them.
struct InsertionSlots {
    QString tagOpen;
    QString tagItem;
    QString tagClose;
    QString tipText;
    int caretShift = 0;
};

/// What the insertion operations need of a document window besides its text.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual TextControl& editor() = 0;
    /// Shows the caret's line in the status bar.
    virtual void lineSet() = 0;
    /// Shows the yellow tip "Type HINT here" at the caret.
    virtual void showTip(const QString& hint) = 0;
    /// Hides the tip again (nothing when it is hidden).
    virtual void hideTip() = 0;
    virtual void focusEditor() = 0;
    virtual void setEditorEnabled(bool enabled) = 0;
};

/// The open documents as the insertion operations see them.
class InsertionContext {
public:
    virtual ~InsertionContext() = default;
    /// The active document window, or null when none is open.
    virtual DocumentView* activeDocument() = 0;
    /// The hidden scratch editor, empty between operations.
    virtual TextControl& scratch() = 0;
    virtual InsertionSlots& insertionSlots() = 0;
};

/// The operations of one document window. Program insertions are single replacements: not
/// recorded for undo, and they set the modified flag.
namespace docops {

/// Wraps the selection in `open` and `close`, keeping trailing spaces of the selection outside
/// the tags, and selects the former selection again inside them (the caret stands between the
/// tags when nothing was selected).
void wrapInTags(DocumentView& document, TextControl& scratch, InsertionSlots& shared,
                const QString& open, const QString& close);
/// Collapses the selection at its start moved by the caretShift slot.
void collapseSelection(TextControl& editor, const InsertionSlots& shared);
/// Replaces the selection with the whole scratch text and empties the scratch editor.
void insertScratch(DocumentView& document, TextControl& scratch);
/// Replaces the selection with `brackets` ("<>" or "</>") and puts the caret before the last
/// character, inside the brackets.
void insertBrackets(DocumentView& document, TextControl& scratch, InsertionSlots& shared,
                    const QString& brackets);
/// wrapInTags with the slots, then the caret goes back `back` positions and the tip shows `hint`.
void wrapWithHint(DocumentView& document, TextControl& scratch, InsertionSlots& shared,
                  const QString& hint, int back);
/// Puts the caret at the end of line (caret line + n - 1), clamped to the existing lines.
void goDownLines(TextControl& editor, int n);
/// Puts the caret at the end of line n - 1, clamped to the existing lines.
void gotoLineEnd(TextControl& editor, int n);
/// Pastes through the scratch editor: the document receives the clipboard's text as plain text,
/// and afterwards the clipboard holds exactly that text. `prepare` runs on the scratch text
/// before it goes back to the clipboard.
void pasteThroughScratch(TextControl& editor, TextControl& scratch, Clipboard& clipboard,
                         const std::function<void()>& prepare = {});

} // namespace docops

/// The main window's insertion operations: each acts on the active document and does nothing
/// when no document is open.
class Insertions {
public:
    explicit Insertions(InsertionContext& workspace) : m_workspace(workspace) {}

    /// True while a document is open for the operations to act on.
    bool hasDocument() const { return m_workspace.activeDocument() != nullptr; }

    /// Opens a fresh line at the caret: after the selection (kept) when there is one, and a line
    /// break when the caret is not at the start of its line.
    void openFreshLine();
    /// Appends `text` to the scratch editor, then insertScratch. When that leaves nothing to
    /// insert, the document is left as it is: its text, selection, modified flag and undo history.
    void insertText(const QString& text);
    void insertScratch();
    void wrapSelection(const QString& open, const QString& close);
    void wrapWithHint(const QString& hint, int back);
    void gotoLine(int n);
    void gotoLineEnd(int n);
    /// Caret six positions before the selection start, nothing selected.
    void caretIntoTableCell();
    void moveCaretToLine(int line);
    void focusDocument();
    void disableEditor();
    void enableEditor();

private:
    InsertionContext& m_workspace;
};

} // namespace vellum
