#pragma once

#include "core/app/home_directory.h"
#include "core/app/preview.h"
#include "core/foundation/path_style.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vellum {

class CommandRegistry;
class Document;
class Prompter;
class SettingsFile;
class Workspace;

/// What the program flows ask of the desktop: starting other programs and finding their windows.
class ProgramLauncher {
public:
    /// A top-level window of another program; 0 stands for none.
    using Window = quint32;

    virtual ~ProgramLauncher() = default;
    /// Starts `program` with `arguments`, each handed over exactly as given (no shell reads
    /// them). False with `error` naming the program when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              QString& error) = 0;
    /// Opens a file that is not a program with the application the desktop associates with it.
    /// False with `error` when it could not.
    virtual bool openWithDefaultApplication(const QString& path, QString& error) = 0;
    /// The first window whose title is exactly `title`, or 0.
    virtual Window findWindow(const QString& title) = 0;
    /// Brings `window` to the front and gives it the focus.
    virtual void activateWindow(Window window) = 0;
};

/// What the program flows ask of the windows around the main window.
class ProgramScreen {
public:
    virtual ~ProgramScreen() = default;
    /// Shows the Return Icon window, unless one is on show already.
    virtual void showReturnIcon() = 0;
    /// Closes the Return Icon window as the user would, when one is open.
    virtual void closeReturnIcon() = 0;
    /// Takes the Return Icon window away without its close steps: nothing is written.
    virtual void dropReturnIcon() = 0;
    /// Takes every helper window away without the helpers writing where they stood.
    virtual void clearHelpers() = 0;
    /// Shows the dialog that asks for the helper program's window title; its answer comes back
    /// through ProgramFlows::writeHName or ProgramFlows::titleCancelled.
    virtual void askHelperTitle() = 0;
};

/// Browser preview and the helper program: the two commands that hand the screen to another
/// program. They choose and store the programs, write the preview file, start the programs and
/// decide when the Return Icon offers the way back. The programs are always started with an
/// argument list, never through a shell.
class ProgramFlows {
public:
    ProgramFlows(Workspace& workspace, SettingsFile& settings, const HomeDirectory& home,
                 Prompter& prompter, CommandRegistry& commands, ProgramLauncher& launcher,
                 ProgramScreen& screen, PathStyle style = nativePathStyle());

    /// Registers "Preview1" and "HelperApp1"; both do nothing without an open document.
    void registerCommands();

    /// Browser preview: asks for the browser first when none is stored (nothing more happens
    /// when none is chosen), writes the document to a preview file of this run, shows the Return
    /// Icon and starts the browser with the file's address. The file goes on the clean-up list
    /// whether or not the browser started; each failure is reported.
    void previewInBrowser(Document& document);
    /// Locate browser: asks for the browser program and stores it when it can be started. True
    /// when one was stored; a refused settings write is reported, not passed on.
    bool locateBrowser();
    /// Runs the helper program, asking for it first when none is stored. Once its window title
    /// is known: shows the Return Icon and switches to the window of that title, or starts the
    /// helper again when there is none. At its first run the helpers and the Return Icon are
    /// cleared away first, and after a successful start the Return Icon is shown and the title
    /// asked for.
    void runHelperProgram();
    /// Locate helper: asks for the helper program and stores it, forgetting the old helper's
    /// window title. True when one was stored.
    bool locateHelper();
    /// Stores the helper's window title, tells the user how to undo a wrong one and switches to
    /// the window of that title when there is one. A refused write is reported.
    void writeHName(const QString& title);
    /// The user gave no title: the Return Icon closes.
    void titleCancelled();

    /// The preview files this run wrote; at exit, those still as written are deleted.
    PreviewFiles& previews() { return m_previews; }

private:
    QString setting(const char* key) const;
    /// The program-locating dialog; the chosen path, or empty when cancelled.
    QString chooseProgram(const QString& title);
    /// A chosen browser that can be started, or empty (the user was told why not).
    QString chooseBrowser(const QString& title);
    /// Asks for the helper program and stores it with no window title yet; empty when none was
    /// chosen.
    QString chooseHelper();
    /// Shows the Return Icon unless the user turned it off.
    void offerWayBack();
    /// Starts the helper: as a program when it is one, else with the desktop's default
    /// application. False when that failed (the user was told).
    bool startHelper(const QString& helper);

    Workspace& m_workspace;
    SettingsFile& m_settings;
    HomeDirectory m_home;
    Prompter& m_prompter;
    CommandRegistry& m_commands;
    ProgramLauncher& m_launcher;
    ProgramScreen& m_screen;
    PathStyle m_style;
    PreviewFiles m_previews;
};

} // namespace vellum
