// Printing the active document as plain text in the editor's font.
#include "ui/app/document_commands.h"
#include "ui/editor/document_window.h"

#include <QPainter>
#include <QPrinter>

namespace vellum {

namespace {

// The page has no tab stops of its own; a tab moves to the next multiple of eight columns.
QString expandTabs(const QString& line) {
    if (!line.contains(QLatin1Char('\t')))
        return line;
    QString out;
    for (const QChar c : line) {
        if (c == QLatin1Char('\t'))
            out += QString(8 - out.size() % 8, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

} // namespace

void DocumentCommands::printDocument(DocumentWindow& document, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // A font given in pixels is given in the screen's pixels: the page takes its size in points.
    QFont font = document.editorWidget()->font();
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / document.editorWidget()->logicalDpiY());
    painter.setFont(QFont(font, &printer));
    const QFontMetrics metrics = painter.fontMetrics();
    const int pageHeight = static_cast<int>(printer.pageRect(QPrinter::DevicePixel).height());
    const PlainTextControl& control = document.control();
    const int lines = control.lineCount();
    int y = 0;
    for (int line = 0; line < lines; ++line) {
        if (y + metrics.height() > pageHeight && y > 0) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), expandTabs(control.lineText(line)));
        y += metrics.lineSpacing();
    }
    painter.end();
}

} // namespace vellum
