#pragma once

#include "core/app/home_directory.h"
#include "ui/foundation/help_viewer.h"

#include <QMainWindow>
#include <memory>
#include <optional>

namespace vellum {

class AppActivation;
class Clipboard;
class CommandRegistry;
class DocumentArea;
class DocumentCommands;
class DocumentFlows;
class EditCommands;
class EditorStyle;
class FindCommands;
class HelperRegistry;
class MainMenus;
class MessageBoxPrompter;
class ProgramCommands;
class RecoveryWriter;
class SettingsFile;
class StatusLine;
class Workspace;

/// The main frame. It puts the parts together: the document area and the status line, the open
/// documents and their flows, the commands and the menus bound to them, the helper windows.
class TMDImain : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the frame and resets what a run keeps in the settings.
    TMDImain(SettingsFile& settings, const HomeDirectory& home, MessageBoxPrompter& prompter,
             Clipboard& clipboard, QWidget* parent = nullptr);
    ~TMDImain() override;

    /// Shows the frame and creates the first document, placing the frame first (once), then
    /// offers the documents ended instances left unsaved (see offerRecovery).
    /// `handedOver`: the file to open (empty: none) in place of the hand-off record.
    void start(const std::optional<QString>& handedOver = std::nullopt);
    /// Opens further files given at the start, each as Open does, after the first document.
    void openMore(const QStringList& files);
    /// A new document from the toolbar: the first time, places the main window.
    void news(const std::optional<QString>& handedOver = std::nullopt);
    /// True until the first show has placed the window.
    bool isFirstShow() const { return m_firstShow; }
    /// Places the frame from the settings on its first show; later calls do nothing.
    void placeOnFirstShow();
    /// A new Preferences dialog.
    void Preferences1Click();

    SettingsFile& settings() { return m_settings; }
    Workspace& workspace() { return *m_workspace; }
    CommandRegistry& commands() { return *m_commands; }
    DocumentArea& documents() { return *m_documents; }
    StatusLine& status() { return *m_status; }
    MainMenus& menus() { return *m_menus; }
    HelperRegistry& helpers() { return *m_helpers; }
    FindCommands& finds() { return *m_finds; }
    HelpViewer& help() { return m_help; }
    AppActivation& activation() { return *m_activation; }
    /// Browser preview and the helper program (Locate browser and Locate helper among them).
    ProgramCommands& programs() { return *m_programs; }
    /// Keeps the modified documents for recovery after a crash.
    RecoveryWriter& recovery() { return *m_recovery; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void registerCommands();

    SettingsFile& m_settings;
    HomeDirectory m_home;
    MessageBoxPrompter& m_prompter;
    HelpViewer m_help;
    bool m_firstShow = true;
    std::unique_ptr<EditorStyle> m_style;
    StatusLine* m_status;
    DocumentArea* m_documents;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<DocumentFlows> m_flows;
    std::unique_ptr<CommandRegistry> m_commands;
    std::unique_ptr<DocumentCommands> m_documentCommands;
    std::unique_ptr<EditCommands> m_edits;
    std::unique_ptr<HelperRegistry> m_helpers;
    std::unique_ptr<FindCommands> m_finds;
    std::unique_ptr<ProgramCommands> m_programs;
    std::unique_ptr<RecoveryWriter> m_recovery;
    MainMenus* m_menus = nullptr;
    AppActivation* m_activation = nullptr;
};

} // namespace vellum
