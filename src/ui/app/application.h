#pragma once

#include "core/app/home_directory.h"
#include "ui/foundation/help_viewer.h"

#include <QStringList>
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
class PageChecks;
class SpellChecking;
class ProgramCommands;
class RecoveryWriter;
class SettingsFile;
class StatusLine;
class MainWindow;
class Workspace;

/// The running program put together: the main frame with its document area, status line and
/// menus; the open documents and their flows; the commands and what they run; the helper windows,
/// the finds, the browser preview and helper program, and the recovery writer. It is what the
/// start sequence builds, and what the tests, the benchmarks and the picture tools start.
class Application {
public:
    /// Builds every part and resets what a run keeps in the settings.
    Application(SettingsFile& settings, const HomeDirectory& home, MessageBoxPrompter& prompter,
                Clipboard& clipboard);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Shows the frame and creates the first document, placing the frame first (once), then
    /// offers the documents ended instances left unsaved (see offerRecovery).
    /// `handedOver`: the file to open (empty: none) in place of the hand-off record.
    void start(const std::optional<QString>& handedOver = std::nullopt);
    /// Opens further files given at the start, each as Open does, after the first document.
    void openMore(const QStringList& files);
    /// A new document from the toolbar: the first time, places the main window.
    void newFromToolbar(const std::optional<QString>& handedOver = std::nullopt);
    /// A new Preferences dialog.
    void showPreferences();

    MainWindow& window() { return *m_window; }
    Workspace& workspace() { return *m_workspace; }
    CommandRegistry& commands() { return *m_commands; }
    DocumentArea& documents() { return *m_documents; }
    StatusLine& status() { return *m_status; }
    MainMenus& menus() { return *m_menus; }
    HelperRegistry& helpers() { return *m_helpers; }
    FindCommands& finds() { return *m_finds; }
    /// Check Page, its window and the marks of its findings.
    PageChecks& pageChecks() { return *m_pageChecks; }
    HelpViewer& help() { return m_help; }
    AppActivation& activation() { return *m_activation; }
    /// Browser preview and the helper program (Locate browser and Locate helper among them).
    ProgramCommands& programs() { return *m_programs; }
    /// Keeps the modified documents for recovery after a crash.
    RecoveryWriter& recovery() { return *m_recovery; }

private:
    void registerCommands();
    /// The frame is closing: closes the documents (false when the user keeps one open), then the
    /// helpers, and writes what the next start needs.
    bool closing();

    SettingsFile& m_settings;
    HomeDirectory m_home;
    MessageBoxPrompter& m_prompter;
    // First made, last gone: every other part shows itself in the frame or reports to it.
    std::unique_ptr<MainWindow> m_window;
    HelpViewer m_help;
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
    std::unique_ptr<PageChecks> m_pageChecks;
    std::unique_ptr<SpellChecking> m_spelling;
    std::unique_ptr<ProgramCommands> m_programs;
    std::unique_ptr<RecoveryWriter> m_recovery;
    MainMenus* m_menus = nullptr;
    AppActivation* m_activation = nullptr;
};

} // namespace vellum
