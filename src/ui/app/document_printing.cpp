// Printing the active document as plain text in the editor's font.
#include "ui/app/document_commands.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
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

void DocumentCommands::printDocument(TMDIsub& document, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setFont(QFont(document.memo()->font(), &printer));
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

void DocumentCommands::Prints() {
    TMDIsub* document = m_main.activeDocument();
    if (!document)
        return;
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (m_main.dialogs().choosePrinter(*m_printer))
        printDocument(*document, *m_printer);
}

void DocumentCommands::PrintSetup() {
    if (!m_main.activeDocument())
        return;
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_main.dialogs().setUpPrinter(*m_printer);
}

} // namespace vellum
