#include "ui/app/edit_commands.h"

#include "core/app/settings_keys.h"
#include "core/editor/clipboard.h"
#include "core/editor/insertion.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/editor/document_window.h"

#include <QAction>
#include <QLabel>

namespace vellum {

namespace {

// Colours are kept as 0x00BBGGRR.
int toBgr(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor fromBgr(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

void EditCommands::undo() {
    if (TMDIsub* document = m_main.activeDocument()) {
        document->control().undo();
        document->urlTip()->hide();
    }
}

void EditCommands::cut() {
    if (TMDIsub* document = m_main.activeDocument())
        document->control().cut();
}

void EditCommands::copy() {
    if (TMDIsub* document = m_main.activeDocument())
        document->control().copy();
}

void EditCommands::paste() {
    TMDIsub* document = m_main.activeDocument();
    if (!document)
        return;
    docops::pasteThroughScratch(document->control(), m_main.storememo(), m_main.clipboard(),
                                [this] { tabupdate(QStringLiteral("paste")); });
}

void EditCommands::selectAll() {
    if (TMDIsub* document = m_main.activeDocument())
        document->control().selectAll();
}

void EditCommands::deleteSelection() {
    if (TMDIsub* document = m_main.activeDocument())
        document->control().clear();
}

void EditCommands::editMenuAboutToShow() {
    TMDIsub* document = m_main.activeDocument();
    if (!document)
        return;
    const bool selected = document->control().selection().length() > 0;
    const auto enable = [this](const char* name, bool on) {
        if (QAction* action = m_main.action(QString::fromLatin1(name));
            action && action->property("bound").toBool())
            action->setEnabled(on);
    };
    enable("Undo1", document->control().canUndo());
    for (const char* name : {"Cut1", "Copy1", "delete1", "RemoveTags1"})
        enable(name, selected);
    enable("Paste1", m_main.clipboard().hasText());
}

EditorFont EditCommands::editorFont(const TMDIsub& document) {
    const QFont font = document.memo()->font();
    EditorFont out;
    out.name = font.family();
    out.size = font.pointSize() > 0 ? font.pointSize() : 10;
    out.color = toBgr(document.memo()->palette().color(QPalette::Text));
    out.bold = font.bold();
    out.italic = font.italic();
    out.underline = font.underline();
    out.strikeOut = font.strikeOut();
    return out;
}

void EditCommands::setEditorFont(TMDIsub& document, const EditorFont& wanted) {
    QFont font = document.memo()->font();
    font.setFamily(wanted.name);
    font.setPointSize(std::max(1, wanted.size));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setStrikeOut(wanted.strikeOut);
    document.memo()->setFont(font);
    QPalette palette = document.memo()->palette();
    palette.setColor(QPalette::Text, fromBgr(wanted.color));
    document.memo()->setPalette(palette);
}

void EditCommands::Font1Click() {
    TMDIsub* document = m_main.activeDocument();
    if (!document)
        return;
    QFont font = document->memo()->font();
    if (!m_main.dialogs().chooseFont(font))
        return;
    // The dialog is modal, but the document may have gone meanwhile.
    document = m_main.activeDocument();
    if (!document)
        return;
    EditorFont chosen = editorFont(*document);
    chosen.name = font.family();
    chosen.size = font.pointSize() > 0 ? font.pointSize() : chosen.size;
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
    setEditorFont(*document, chosen);
}

void EditCommands::fontup() {
    if (TMDIsub* document = m_main.activeDocument()) {
        EditorFont font = editorFont(*document);
        ++font.size;
        setEditorFont(*document, font);
    }
}

void EditCommands::fontdown() {
    if (TMDIsub* document = m_main.activeDocument()) {
        EditorFont font = editorFont(*document);
        if (font.size <= 1)
            return;
        --font.size;
        setEditorFont(*document, font);
    }
}

void EditCommands::WriteFont() {
    if (TMDIsub* document = m_main.activeDocument())
        writeEditorFont(m_main.settings(), editorFont(*document));
}

void EditCommands::ReadFont(TMDIsub& document) {
    setEditorFont(document, readEditorFont(m_main.settings(), editorFont(document)));
}

void EditCommands::ReadFontActive() {
    if (TMDIsub* document = m_main.activeDocument())
        ReadFont(*document);
}

void EditCommands::nofont() {
    if (TMDIsub* document = m_main.activeDocument())
        setEditorFont(*document, EditorFont::defaults());
}

int EditCommands::tabWidth() {
    if (!m_tabWidth)
        m_tabWidth = m_main.settings().readInt(keys::Vellum::Section, keys::Vellum::TabWidth, 5);
    return *m_tabWidth;
}

void EditCommands::applyTabStops(TMDIsub& document) {
    TSRichEdit* memo = document.memo();
    // Points become pixels at the screen's resolution.
    const double pixelsPerPoint = memo->logicalDpiX() / 72.0;
    QList<QTextOption::Tab> tabs;
    for (const double stop : tabStopPoints(tabWidth()))
        tabs << QTextOption::Tab(stop * pixelsPerPoint, QTextOption::LeftTab);
    document.control().setTabStops(tabs, tabs.isEmpty() ? 0.0 : tabs.first().position);
}

void EditCommands::tabupdate(const QString& mode, int) {
    // The editor keeps one set of tab stops for its whole text, so the whole-text and range
    // modes both give the document its stops; the scratch editor has none to set.
    if (mode == QLatin1String("paste"))
        return;
    if (TMDIsub* document = m_main.activeDocument())
        applyTabStops(*document);
}

void EditCommands::DatesClick() {
    TMDIsub* document = m_main.activeDocument();
    if (!document)
        return;
    const QString date = m_main.dates()->text();
    TextControl& editor = document->control();
    const int start = editor.selection().start;
    m_main.storememo().replaceSelection(date);
    document->boardit();
    editor.setSelection(start, start + date.size());
}

} // namespace vellum
