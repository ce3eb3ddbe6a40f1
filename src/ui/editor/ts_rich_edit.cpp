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

void TSRichEdit::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        emit layoutDiscarded();
}

} // namespace vellum
