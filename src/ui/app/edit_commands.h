#pragma once

#include <QString>

namespace vellum {

class Clipboard;
class CommandRegistry;
class Document;
class EditorStyle;
class MessageBoxPrompter;
class SettingsFile;
class Workspace;

/// The Edit menu's commands and their context-menu twins, the editor font commands and the date
/// from the status bar. From the menus each acts on the active document and does nothing when
/// none is open.
class EditCommands {
public:
    EditCommands(Workspace& workspace, EditorStyle& style, MessageBoxPrompter& prompter,
                 SettingsFile& settings, Clipboard& clipboard);

    /// Registers the commands with the rules that enable the Edit menu's items when it opens.
    void registerCommands(CommandRegistry& commands);

    /// Pastes through the scratch editor: the document receives the clipboard's text, and the
    /// clipboard afterwards holds exactly that text.
    void paste(Document& document);
    /// The font dialog, then the colour dialog, for the document's editor.
    void chooseEditorFont(Document& document);
    /// Replaces the active document's selection by `date` and selects it.
    void insertDate(const QString& date);

private:
    Workspace& m_workspace;
    EditorStyle& m_style;
    MessageBoxPrompter& m_prompter;
    SettingsFile& m_settings;
    Clipboard& m_clipboard;
};

} // namespace vellum
