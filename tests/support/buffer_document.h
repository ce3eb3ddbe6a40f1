#pragma once

#include "core/editor/insertion.h"
#include "core/editor/text_buffer.h"

#include <QString>

namespace vellum::test {

/// A document window made of a text buffer: it records what the operations ask of the window.
class BufferDocument : public DocumentView {
public:
    explicit BufferDocument(int wrap = 0) : buffer(wrap) {}
    TextControl& editor() override { return buffer; }
    void lineSet() override { ++lineSets; }
    void showTip(const QString& hint) override { tip = hint; }
    void focusEditor() override { focused = true; }
    void setEditorEnabled(bool enabled) override { this->enabled = enabled; }

    TextBuffer buffer;
    int lineSets = 0;
    QString tip;
    bool focused = false;
    bool enabled = true;
};

/// Loads a marked text: "[" and "]" mark the selection, anchor first; "|" marks a bare caret.
inline void load(TextBuffer& buffer, QString marked) {
    const int caret = marked.indexOf('|');
    if (caret >= 0) {
        marked.remove(caret, 1);
        buffer.setText(marked);
        buffer.setSelection(caret, caret);
        return;
    }
    const int open = marked.indexOf('[');
    const int close = marked.indexOf(']') - 1;
    marked.remove(open, 1);
    marked.remove(close, 1);
    buffer.setText(marked);
    buffer.setSelection(open, close);
}

/// The buffer's text marked as `load` reads it.
inline QString show(const TextBuffer& buffer) {
    QString text = buffer.text();
    const Selection s = buffer.selection();
    if (s.length() == 0)
        return text.insert(s.start, '|');
    text.insert(s.end, ']');
    return text.insert(s.start, '[');
}

} // namespace vellum::test
