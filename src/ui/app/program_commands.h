#pragma once

#include "core/app/home_directory.h"
#include "core/app/preview.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace vellum {

class CommandRegistry;
class Document;
class HelperRegistry;
class Prompter;
class SettingsFile;
class TForm3;
class Thelpername;
class Workspace;

/// Browser preview and the helper program: the two commands that hand the screen to another
/// program, the Return Icon window that offers the way back, and the dialog that records the
/// helper's window title. Programs are always started with an argument list, never through a
/// shell.
class ProgramCommands {
public:
    ProgramCommands(QWidget& main, Workspace& workspace, SettingsFile& settings,
                    const HomeDirectory& home, Prompter& prompter, HelperRegistry& helpers,
                    CommandRegistry& commands);
    ~ProgramCommands();
    ProgramCommands(const ProgramCommands&) = delete;
    ProgramCommands& operator=(const ProgramCommands&) = delete;

    /// Registers "Preview1" and "HelperApp1"; both do nothing without an open document.
    void registerCommands();

    /// Browser preview: writes the document to a preview file of this run and gives the browser
    /// the file's address, choosing the browser first when none is stored.
    void openbrowser(Document& document);
    /// Locate browser: asks for the browser program and stores it. True when one was stored.
    bool writebrowser();
    /// Runs the helper program, or switches to its window once its title is known.
    void openhelper();
    /// Locate helper: asks for the helper program and stores it, forgetting the old helper's
    /// window title. True when one was stored.
    bool writehelper();
    /// Stores the helper's window title and switches to the window of that title.
    void writeHName(const QString& title);

    /// The preview files this run wrote; at exit, those still as written are deleted.
    PreviewFiles& previews() { return m_previews; }

    /// The Return Icon window, or null.
    TForm3* returnIcon() const;
    /// The open helper-title dialog, or null.
    Thelpername* titleDialog() const;

private:
    /// The program-locating dialog; the chosen path, or empty when cancelled.
    QString findprogram(const QString& title);
    /// A chosen browser that can be started, or empty (the user was told why not).
    QString chooseBrowser(const QString& title);
    /// Opens the Return Icon window unless the user turned it off or one is open.
    void showReturnIcon();
    /// Starts the helper: as a program when it is one, else with the desktop's default
    /// application. False when that failed (the user was told).
    bool startHelper(const QString& helper);
    void showTitleDialog();
    QString setting(const char* key) const;

    QWidget& m_main;
    Workspace& m_workspace;
    SettingsFile& m_settings;
    HomeDirectory m_home;
    Prompter& m_prompter;
    HelperRegistry& m_helpers;
    CommandRegistry& m_commands;
    PreviewFiles m_previews;
    QPointer<TForm3> m_returnIcon;
    QPointer<Thelpername> m_titleDialog;
};

} // namespace vellum
