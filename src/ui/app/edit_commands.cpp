#include "ui/app/edit_commands.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/workspace.h"
#include "core/editor/insertion.h"
#include "core/foundation/clipboard.h"
#include "ui/app/message_box_prompter.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_style.h"
#include "ui/foundation/colour_controls.h"

namespace vellum {

namespace {

EditorFont fontOf(const Document& document) {
    const DocumentWindow* window = DocumentWindow::of(document);
    return window ? EditorStyle::fontOf(*window) : EditorFont::defaults();
}

void setFont(Document& document, const EditorFont& font) {
    if (DocumentWindow* window = DocumentWindow::of(document))
        EditorStyle::setFont(*window, font);
}

} // namespace

EditCommands::EditCommands(Workspace& workspace, EditorStyle& style, MessageBoxPrompter& prompter,
                           SettingsFile& settings, Clipboard& clipboard)
    : m_workspace(workspace), m_style(style), m_prompter(prompter), m_settings(settings),
      m_clipboard(clipboard) {}

void EditCommands::registerCommands(CommandRegistry& commands) {
    using Run = CommandRegistry::DocumentRun;
    // The Edit menu's items follow the active document when the menu opens; with none open they
    // keep the state of their last opening.
    const auto whenOpen = [this](std::function<bool(Document&)> rule) -> CommandRegistry::Enabled {
        return [this, rule]() -> std::optional<bool> {
            Document* document = m_workspace.active();
            return document ? std::optional<bool>(rule(*document)) : std::nullopt;
        };
    };
    const auto selected = whenOpen([](Document& d) { return d.text().selection().length() > 0; });
    // From the context menu each also shows the caret's line again.
    const auto twins = [&commands](const char* menuItem, const char* contextItem, Run run,
                                   CommandRegistry::Enabled enabled) {
        commands.addForDocument(QString::fromLatin1(menuItem), run, std::move(enabled));
        commands.addForDocument(QString::fromLatin1(contextItem), [run](Document& document) {
            run(document);
            document.view()->lineSet();
        });
    };
    twins(
        "Undo1", "Undo2",
        [](Document& document) {
            document.text().undo();
            document.view()->hideTip();
        },
        whenOpen([](Document& d) { return d.text().canUndo(); }));
    twins(
        "Cut1", "Cut2", [](Document& document) { document.text().cut(); }, selected);
    twins(
        "Copy1", "Copy2", [](Document& document) { document.text().copy(); }, selected);
    twins(
        "Paste1", "Paste2", [this](Document& document) { paste(document); },
        whenOpen([this](Document&) { return m_clipboard.hasText(); }));
    commands.addForDocument(QStringLiteral("selectall1"),
                            [](Document& document) { document.text().selectAll(); });
    commands.addForDocument(
        QStringLiteral("delete1"), [](Document& document) { document.text().clear(); }, selected);

    commands.addForDocument(QStringLiteral("Change2"),
                            [this](Document& document) { chooseEditorFont(document); });
    commands.addForDocument(QStringLiteral("Change1"), [this](Document& document) {
        if (DocumentWindow* window = DocumentWindow::of(document))
            m_style.readFont(*window);
    });
    commands.addForDocument(QStringLiteral("SettoDefault2"),
                            [](Document& document) { setFont(document, EditorFont::defaults()); });
    commands.addForDocument(QStringLiteral("SaveCurrentSettings1"), [this](Document& document) {
        writeEditorFont(m_settings, fontOf(document));
    });
    commands.addForDocument(QStringLiteral("FontSize1"), [](Document& document) {
        EditorFont font = fontOf(document);
        ++font.size;
        setFont(document, font);
    });
    commands.addForDocument(QStringLiteral("FontSize2"), [](Document& document) {
        EditorFont font = fontOf(document);
        if (font.size <= 1)
            return;
        --font.size;
        setFont(document, font);
    });
}

void EditCommands::paste(Document& document) {
    docops::pasteThroughScratch(document.text(), m_workspace.scratch(), m_clipboard);
}

void EditCommands::chooseEditorFont(Document& document) {
    const DocumentWindow* window = DocumentWindow::of(document);
    if (!window)
        return;
    QFont font = window->editorWidget()->font();
    if (!m_prompter.chooseFont(font))
        return;
    // The dialog is modal, but the document may have gone meanwhile.
    Document* active = m_workspace.active();
    if (!active)
        return;
    EditorFont chosen = fontOf(*active);
    chosen.name = font.family();
    chosen.size = font.pointSize() > 0 ? font.pointSize() : chosen.size;
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
    // The font dialog offers no colour: the colour dialog follows it, and a cancel there keeps
    // the colour the editor has.
    QColor colour = colourFromBgr(static_cast<quint32>(chosen.color));
    if (m_prompter.chooseColour(colour))
        chosen.color = static_cast<int>(bgrFromColour(colour));
    active = m_workspace.active();
    if (active)
        setFont(*active, chosen);
}

void EditCommands::insertDate(const QString& date) {
    Document* document = m_workspace.active();
    if (!document)
        return;
    TextControl& editor = document->text();
    const int start = editor.selection().start;
    m_workspace.scratchBuffer().replaceSelection(date);
    docops::insertScratch(*document->view(), m_workspace.scratch());
    editor.setSelection(start, start + date.size());
}

} // namespace vellum
