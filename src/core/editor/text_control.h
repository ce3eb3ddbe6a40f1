#pragma once

#include "core/foundation/line_breaks.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

namespace vellum {

/// A selection as the editor reports it: start <= end, whatever side the caret is on.
struct Selection {
    int start = 0;
    int end = 0;
    int length() const { return end - start; }
    bool operator==(const Selection& other) const {
        return start == other.start && end == other.end;
    }
};

/// The only way any editing rule reaches a document's text.
///
/// The text is one string whose lines are separated by CR LF; a position is a 0-based index into
/// it, a line break counting two. Lines are display lines: a paragraph wider than the editor
/// counts as several lines. A position between CR and LF is taken as the position before the CR.
class TextControl {
public:
    virtual ~TextControl() = default;

    /// The selection, start first.
    virtual Selection selection() const = 0;
    /// Selects from `anchor` to `caret` (either order); the caret ends at `caret`, scrolled into
    /// view. Positions are clamped to the text.
    virtual void setSelection(int anchor, int caret) = 0;
    /// Replaces the selection with `text` (any line breaks become CR LF), without recording it for
    /// undo; the undo history is emptied and the modified flag set. The caret ends after the text.
    virtual void replaceSelection(const QString& text) = 0;

    /// Replaces the whole text (any line breaks become CR LF): caret at 0, undo history emptied,
    /// not modified.
    virtual void setText(const QString& text) = 0;
    /// As setText, taking the string: an editor may give its memory back while it fills.
    virtual void takeText(QString&& text) { setText(text); }

    virtual QString selectedText() const = 0;
    virtual QString text() const = 0;
    virtual int length() const = 0;

    /// The display line holding `position`; -1 stands for the selection start. A position at the
    /// point where a paragraph wraps belongs to the line that starts there.
    virtual int lineFromPosition(int position) const = 0;
    /// The first position of display line `line`; -1 stands for the caret's line. Returns -1 for a
    /// line past the last one (the final empty line after a closing CR LF is a line here).
    virtual int lineStart(int line) const = 0;
    /// The length of the display line holding `position`, without its line break;
    /// -1 stands for the selection start.
    virtual int lineLength(int position) const = 0;
    /// The number of display lines, not counting a final empty line (an empty text has none).
    virtual int lineCount() const = 0;
    /// The text of display line `line`, without its line break; empty past the last line.
    virtual QString lineText(int line) const = 0;

    virtual bool canUndo() const = 0;
    virtual void undo() = 0;
    virtual void emptyUndoBuffer() = 0;

    /// User operations through the clipboard; each is recorded for undo and sets the modified flag.
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    virtual void clear() = 0;
    virtual void selectAll() = 0;

    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;

    /// Hides (true) or shows again (false) the display of the selection; the selection itself
    /// stays.
    virtual void setSelectionHidden(bool hidden) = 0;
    /// The rectangle the text is laid out in, in the editor's client coordinates.
    virtual void setFormattingRect(const QRect& rect) = 0;
    /// The caret's top-left corner in pixels, relative to the editor's client area.
    virtual QPoint caretPixelPosition() const = 0;

    /// Called after every change of the text.
    virtual void setChangeHandler(std::function<void()> handler) = 0;
    /// Called after every change of the modified flag, with its new value.
    virtual void setModifiedHandler(std::function<void(bool)> handler) = 0;

    /// The text as the control holds it, to be read through quickly: a control may keep each line
    /// break as one character there. Positions convert with toSearchPosition and
    /// fromSearchPosition; a text without line breaks has the same length in both forms.
    virtual QString searchableText() const { return text(); }
    virtual int toSearchPosition(int position) const { return position; }
    virtual int fromSearchPosition(int position) const { return position; }
};

/// The line holding the selection start.
int CaretLine(const TextControl& control);

/// Clamps `line` to 0 .. line count - 1 (first from below, then from above), collapses the
/// selection and puts the caret at the first position of that line (position 0 in an empty text).
void SetCaretLine(TextControl& control, int line);

/// Clamps `column` to 0 .. the length of the caret's line, collapses the selection and puts the
/// caret at that column of the caret's line.
void SetCaretColumn(TextControl& control, int column);

} // namespace vellum
