#pragma once

#include "core/editor/text_control.h"
#include "core/foundation/clipboard.h"

#include <vector>

namespace vellum {

/// The text-control contract over an in-memory string, with an optional wrap width in characters
/// so that display-line behaviour is the same, and testable, without a widget.
///
/// Wrapping: a paragraph longer than the width is cut into display lines of at most `width`
/// characters, after the last space that fits (runs of spaces stay at the end of the line they
/// follow), or after exactly `width` characters when no space fits. Spaces opening a paragraph
/// are no wrap point unless they alone are wider than the line: they stay with the first word,
/// which is then cut so that at least one of its characters shares their line. Width 0 never wraps.
/// Caret pixels are reported on a grid of 8 x 16 pixels per character cell.
class TextBuffer : public TextControl {
public:
    /// `clipboard` serves cut, copy and paste; without one the buffer keeps a clipboard of its own.
    explicit TextBuffer(int wrapWidth = 0, Clipboard* clipboard = nullptr);

    int wrapWidth() const { return m_wrapWidth; }
    void setWrapWidth(int width);

    /// Replaces the whole text (line breaks made CR LF), caret at 0, undo emptied, not modified.
    void setText(const QString& text) override;

    /// Types `text` at the caret as keystrokes would, replacing the selection; recorded for undo
    /// as one step.
    void typeText(const QString& text);

    Selection selection() const override;
    void setSelection(int anchor, int caret) override;
    void replaceSelection(const QString& text) override;
    QString selectedText() const override;
    QString text() const override { return m_text; }
    int length() const override { return m_text.size(); }
    int lineFromPosition(int position) const override;
    int lineStart(int line) const override;
    int lineLength(int position) const override;
    int lineCount() const override;
    QString lineText(int line) const override;
    bool canUndo() const override { return !m_undo.empty(); }
    void undo() override;
    void emptyUndoBuffer() override { m_undo.clear(); }
    void cut() override;
    void copy() override;
    void paste() override;
    void clear() override;
    void selectAll() override;
    bool isModified() const override { return m_modified; }
    void setModified(bool modified) override;
    // Nothing is displayed: there is no selection to hide and no rectangle to lay out in.
    void setSelectionHidden(bool) override {}
    void setFormattingRect(const QRect&) override {}
    QPoint caretPixelPosition() const override;
    void setChangeHandler(std::function<void()> handler) override {
        m_onChange = std::move(handler);
    }
    void setModifiedHandler(std::function<void(bool)> handler) override {
        m_onModified = std::move(handler);
    }

    /// The caret position (the end of the selection the caret is at).
    int caret() const { return m_caret; }

private:
    struct Edit {
        int position;
        QString removed;
        QString inserted;
        int anchorBefore;
        int caretBefore;
    };

    int snap(int position) const;
    void edit(const QString& inserted, bool recordUndo);
    void changed();
    const std::vector<int>& lineStarts() const;

    QString m_text;
    int m_anchor = 0;
    int m_caret = 0;
    int m_wrapWidth = 0;
    bool m_modified = false;
    std::vector<Edit> m_undo;
    MemoryClipboard m_ownClipboard;
    Clipboard* m_clipboard;
    std::function<void()> m_onChange;
    std::function<void(bool)> m_onModified;
    mutable std::vector<int> m_lineStarts; // display-line starts; empty = to be rebuilt
};

} // namespace vellum
