#include "ui/editor/editor_style.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "ui/editor/document_window.h"
#include "ui/editor/html_highlighter.h"
#include "ui/foundation/colour_controls.h"

#include <QFontInfo>

namespace vellum {

namespace {} // namespace

EditorFont EditorStyle::fontOf(const DocumentWindow& document) {
    const QFont font = document.editorWidget()->font();
    EditorFont out;
    out.name = font.family();
    // A font given in pixels has no size in points of its own: the one it is shown at counts.
    out.size = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    if (out.size <= 0)
        out.size = 10;
    out.color =
        static_cast<int>(bgrFromColour(document.editorWidget()->palette().color(QPalette::Text)));
    out.bold = font.bold();
    out.italic = font.italic();
    out.underline = font.underline();
    out.strikeOut = font.strikeOut();
    return out;
}

void EditorStyle::setFont(DocumentWindow& document, const EditorFont& wanted) {
    const EditorFont current = fontOf(document);
    QFont font = document.editorWidget()->font();
    font.setFamily(wanted.name);
    if (wanted.size != current.size)
        font.setPointSize(std::max(1, wanted.size));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setStrikeOut(wanted.strikeOut);
    if (font != document.editorWidget()->font())
        document.editorWidget()->setFont(font);
    if (wanted.color != current.color) {
        QPalette palette = document.editorWidget()->palette();
        palette.setColor(QPalette::Text, colourFromBgr(static_cast<quint32>(wanted.color)));
        document.editorWidget()->setPalette(palette);
    }
}

void EditorStyle::readFont(DocumentWindow& document) {
    setFont(document, readEditorFont(m_settings, fontOf(document)));
}

int EditorStyle::tabWidth() {
    if (!m_tabWidth)
        m_tabWidth = m_settings.readInt(keys::Vellum::Section, keys::Vellum::TabWidth, 5);
    return *m_tabWidth;
}

void EditorStyle::applyHighlighting(DocumentWindow& document) {
    if (!m_highlight)
        m_highlight = m_settings.readInt(keys::Vellum::Section, keys::Vellum::Highlight, 1) != 0;
    document.editorWidget()->highlighter().setEnabled(*m_highlight);
}

void EditorStyle::applyTabStops(DocumentWindow& document) {
    PlainTextEditor* editorWidget = document.editorWidget();
    // Points become pixels at the screen's resolution.
    const double pixelsPerPoint = editorWidget->logicalDpiX() / 72.0;
    QList<QTextOption::Tab> tabs;
    for (const double stop : tabStopPoints(tabWidth()))
        tabs << QTextOption::Tab(stop * pixelsPerPoint, QTextOption::LeftTab);
    document.control().setTabStops(tabs, tabs.isEmpty() ? 0.0 : tabs.first().position);
}

} // namespace vellum
