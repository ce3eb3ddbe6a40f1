#pragma once

#include "core/editor/text_control.h"
#include "core/foundation/clipboard.h"
#include "ui/editor/background_counts.h"
#include "ui/editor/plain_text_editor.h"
#include "ui/editor/wrap_counter.h"

#include <QFont>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QTextOption>
#include <QTimer>

#include <memory>

class QTextBlock;

namespace vellum {

/// The text-control contract over a QPlainTextEdit.
///
/// The widget keeps one separator per paragraph where the text has CR LF, so a text position is
/// the widget position plus the paragraph number. Display lines are the widget's own wrapped
/// lines. The widget lays paragraphs out lazily and drops every layout (and line count) when its
/// width, font or tab stops change, so this class keeps a range of paragraphs whose line counts
/// may be wrong, counts them on demand for exact answers (WrapCounter, or the real layout where
/// it cannot tell), and otherwise completes them in short idle-time chunks so the window never
/// freezes. Only the paragraphs the widget shows, and those asked about, are laid out.
class PlainTextControl : public QObject, public TextControl {
    Q_OBJECT
public:
    /// Sets the editor up as a plain-text editor (word wrap at the window's width, breaking long
    /// words, no margins); `clipboard` serves cut, copy and paste. Neither is owned.
    PlainTextControl(PlainTextEditor* editor, Clipboard* clipboard);
    ~PlainTextControl() override;

    PlainTextEditor* editor() const { return m_editor; }

    /// Replaces the whole text (any line breaks), caret at 0, undo emptied, not modified.
    void setText(const QString& text) override;
    /// As setText; a large text is handed to the widget from its end in pieces, and each piece's
    /// memory is given back at once, so the text is never held twice.
    void takeText(QString&& text) override;

    /// Gives the whole text these tab stops (positions in pixels) and this distance beyond them.
    void setTabStops(const QList<QTextOption::Tab>& tabs, qreal distance);

    Selection selection() const override;
    void setSelection(int anchor, int caret) override;
    void replaceSelection(const QString& text) override;
    QString selectedText() const override;
    QString text() const override;
    int length() const override;
    int lineFromPosition(int position) const override;
    int lineStart(int line) const override;
    int lineLength(int position) const override;
    int lineCount() const override;
    QString lineText(int line) const override;
    bool canUndo() const override;
    void undo() override;
    void emptyUndoBuffer() override;
    void cut() override;
    void copy() override;
    void paste() override;
    void clear() override;
    void selectAll() override;
    bool isModified() const override;
    void setModified(bool modified) override;
    void setSelectionHidden(bool hidden) override;
    void setFormattingRect(const QRect& rect) override;
    QPoint caretPixelPosition() const override;
    void setChangeHandler(std::function<void()> handler) override;
    void setModifiedHandler(std::function<void(bool)> handler) override;
    /// The widget's own text, one paragraph separator for each line break.
    QString searchableText() const override;
    int toSearchPosition(int position) const override { return toWidget(position); }
    int fromSearchPosition(int position) const override { return toModel(position); }

    /// The display line of `position` when it is known without laying out more text, else -1
    /// (the answer then follows `layoutSettled`). For displays that must never wait.
    int lineFromPositionIfSettled(int position) const;
    /// True when every paragraph's lines are counted for the current width, font and tab stops.
    bool isLayoutSettled() const;
    /// Counts every paragraph's lines now.
    void settleLayout();

signals:
    /// Every paragraph's lines are counted again after a change of width, font, tab stops or
    /// text.
    void layoutSettled();

private:
    // A paragraph this long is counted only when the widget has not laid it out.
    static constexpr int LongParagraph = 10000;

    struct LayoutKey {
        qreal textWidth = -1;
        QFont font;
        qreal tabStop = 0;
        int wrapMode = 0;
        int lineWrap = 0;
        qreal margin = 0;
        bool operator==(const LayoutKey& o) const;
    };

    void fill(const std::function<QString()>& pieceBefore, qsizetype size);
    LayoutKey currentKey() const;
    void configureCounter() const;
    void checkLayoutKey() const;
    void countBlock(QTextBlock block, int number) const;
    int backgroundLines(const QTextBlock& block, int number) const;
    void announceCounts() const;
    void markDirty(int fromBlock, int toBlockExclusive) const;
    void layOutThrough(int blockNumber) const;
    void layOutThroughLine(int line) const;
    void layOutChunk();
    void scheduleChunk() const;
    void onLayoutChange(int from, int removed, int added);

    int toWidget(int position) const;
    int toModel(int widgetPosition) const;
    int displayLineOf(int widgetPosition) const;
    QTextBlock blockOfLine(int line, int* lineInBlock) const;

    PlainTextEditor* m_editor;
    Clipboard* m_clipboard;
    std::function<void()> m_onChange;
    std::function<void(bool)> m_onModified;
    QPalette m_savedPalette;
    bool m_selectionHidden = false;

    // Paragraphs [m_dirtyLo, m_dirtyHi) may have a wrong line count; all others are right.
    mutable int m_dirtyLo = 0;
    mutable int m_dirtyHi = 0;
    mutable LayoutKey m_key;
    mutable QTimer m_chunkTimer;
    mutable WrapCounter m_counter;
    mutable bool m_countsChanged = false;
    // The counts of the text last filled in, worked out beside the filling, while they still
    // describe the text and its layout.
    mutable std::unique_ptr<BackgroundCounts> m_background;
    LayoutKey m_backgroundKey;
    bool m_filling = false;
    int m_blockCount = 1;
    // The widget's text as searchableText last read it (null when none is kept), and what has
    // changed in the widget since: its first `m_searchableFrom` characters and its last
    // `m_searchableTail` are still as kept.
    mutable QString m_searchable;
    mutable qsizetype m_searchableFrom = 0;
    mutable qsizetype m_searchableTail = 0;
    mutable qsizetype m_widgetLength = 0; ///< as of the last change seen
    mutable QTimer m_searchableRelease;
    void noteTextChange(int from, int removed);
};

} // namespace vellum
