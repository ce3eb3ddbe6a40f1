#pragma once

#include "ui/editor/plain_text_editor.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTest>
#include <QtMath>

namespace vellum::test {

/// A fixed-pitch font, so that a width in characters is a width in pixels.
inline QFont fixedPitchFont(int pixelSize = 12) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return font;
}

/// The viewport width that holds exactly `columns` characters of `font`.
inline int columnsWidth(const QFont& font, int columns) {
    return qCeil(QFontMetricsF(font).horizontalAdvance(QString(columns, QLatin1Char('x'))));
}

/// Shows the editor and sizes it so that its text wraps at `columns` characters of its font.
/// Returns false when the viewport did not get the wanted width.
inline bool showWithColumns(PlainTextEditor& editor, int columns) {
    // Exposed first: a window manager maps a window in its own time, and a window not yet exposed
    // paints nothing.
    if (!editor.isVisible())
        editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        return false;
    const int wanted = columnsWidth(editor.font(), columns);
    editor.resize(editor.width() - editor.viewport()->width() + wanted, 240);
    return QTest::qWaitFor([&] { return editor.viewport()->width() == wanted; }, 3000);
}

} // namespace vellum::test
