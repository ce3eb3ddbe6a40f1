#pragma once

#include "core/editor/insertion.h"
#include "core/editor/text_buffer.h"
#include "support/marked_text.h"

#include <QString>

namespace vellum::test {

/// A document window made of a text buffer: it records what the operations ask of the window.
class BufferDocument : public DocumentView {
public:
    explicit BufferDocument(int wrap = 0) : buffer(wrap) {}
    TextControl& editor() override { return buffer; }
    void lineSet() override { ++lineSets; }
    void showTip(const QString& hint) override { tip = hint; }
    void hideTip() override { tip.clear(); }
    void focusEditor() override { focused = true; }
    void setEditorEnabled(bool enabled) override { this->enabled = enabled; }

    TextBuffer buffer;
    int lineSets = 0;
    QString tip;
    bool focused = false;
    bool enabled = true;
};

/// The open documents as the insertion operations see them: at most one buffer document, with the
/// scratch buffer and the slots beside it.
class BufferContext : public InsertionContext {
public:
    DocumentView* activeDocument() override { return document; }
    TextControl& scratch() override { return scratchBuffer; }
    InsertionSlots& insertionSlots() override { return shared; }

    /// The open document; null: none is open.
    DocumentView* document = nullptr;
    TextBuffer scratchBuffer;
    InsertionSlots shared;
};

/// Loads a marked text (see parseMarked).
inline void load(TextBuffer& buffer, const QString& drawn) {
    const MarkedText marked = parseMarked(drawn);
    buffer.setText(marked.text);
    buffer.setSelection(marked.anchor, marked.caret);
}

/// The buffer's text marked as `load` reads it.
inline QString show(const TextBuffer& buffer) {
    return drawMarked(buffer);
}

} // namespace vellum::test
