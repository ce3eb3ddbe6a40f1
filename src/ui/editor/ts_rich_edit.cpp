#include "ui/editor/ts_rich_edit.h"

#include <QResizeEvent>

namespace vellum {

void TSRichEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    // The base class lays the text out again exactly when the width changes.
    if (event->oldSize().width() != event->size().width()) {
        m_layoutWidth = viewport()->width();
        emit layoutDiscarded();
    }
}

TSRichEdit::TSRichEdit(QWidget* parent) : QPlainTextEdit(parent) {
    preferPlainShaping();
}

void TSRichEdit::preferPlainShaping() {
    // Kerning and ligatures mean nothing in source text, and skipping them makes laying out a
    // paragraph two to three times faster; scripts that need shaping still get it.
    QFont plain = font();
    if (plain.styleStrategy() & QFont::PreferNoShaping)
        return;
    plain.setStyleStrategy(QFont::StyleStrategy(plain.styleStrategy() | QFont::PreferNoShaping));
    setFont(plain);
}

void TSRichEdit::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        preferPlainShaping();
        emit layoutDiscarded();
    }
}

} // namespace vellum
