#pragma once

#include "core/app/home_directory.h"
#include "core/app/program_flows.h"
#include "platform/app/desktop_launcher.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace vellum {

class CommandRegistry;
class Document;
class HelperRegistry;
class Prompter;
class SettingsFile;
class ReturnIcon;
class HelperTitleDialog;
class Workspace;

/// The windows of browser preview and the helper program: the Return Icon window that offers the
/// way back and the dialog that records the helper's window title. What the two commands do is
/// decided by ProgramFlows; this shows and takes away the windows it asks for.
class ProgramCommands : private ProgramScreen {
public:
    ProgramCommands(QWidget& main, Workspace& workspace, SettingsFile& settings,
                    const HomeDirectory& home, Prompter& prompter, HelperRegistry& helpers,
                    CommandRegistry& commands);
    ~ProgramCommands() override;
    ProgramCommands(const ProgramCommands&) = delete;
    ProgramCommands& operator=(const ProgramCommands&) = delete;

    /// Registers "Preview1" and "HelperApp1"; both do nothing without an open document.
    void registerCommands() { m_flows.registerCommands(); }

    /// Browser preview (see ProgramFlows::previewInBrowser).
    void previewInBrowser(Document& document) { m_flows.previewInBrowser(document); }
    /// Locate browser: true when a browser was stored.
    bool locateBrowser() { return m_flows.locateBrowser(); }
    /// Runs the helper program, or switches to its window once its title is known.
    void runHelperProgram() { m_flows.runHelperProgram(); }
    /// Locate helper: true when a helper was stored.
    bool locateHelper() { return m_flows.locateHelper(); }
    /// Stores the helper's window title and switches to the window of that title.
    void writeHName(const QString& title) { m_flows.writeHName(title); }

    /// The preview files this run wrote; at exit, those still as written are deleted.
    PreviewFiles& previews() { return m_flows.previews(); }

    /// The Return Icon window, or null.
    ReturnIcon* returnIcon() const;
    /// The open helper-title dialog, or null.
    HelperTitleDialog* titleDialog() const;

private:
    void showReturnIcon() override;
    void closeReturnIcon() override;
    void dropReturnIcon() override;
    void clearHelpers() override;
    void askHelperTitle() override;

    QWidget& m_main;
    SettingsFile& m_settings;
    Prompter& m_prompter;
    HelperRegistry& m_helpers;
    DesktopLauncher m_launcher;
    ProgramFlows m_flows;
    QPointer<ReturnIcon> m_returnIcon;
    QPointer<HelperTitleDialog> m_titleDialog;
};

} // namespace vellum
