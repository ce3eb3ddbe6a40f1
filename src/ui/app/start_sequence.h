#pragma once

#include "core/app/home_directory.h"
#include "core/foundation/settings_file.h"

#include <QStringList>
#include <memory>

namespace vellum {

class Clipboard;
class InstanceGuard;
class MessageBoxPrompter;
class Application;

/// The program's start, from the arguments to a main window ready to show.
class StartSequence {
public:
    /// `shippedDir` holds the files shipped with the program (see shippedDataDir); empty for none.
    StartSequence(const HomeDirectory& home, MessageBoxPrompter& prompter, Clipboard& clipboard,
                  QString shippedDir = {});

    /// Where the files shipped with the program are: the share/vellumhtml folder beside the
    /// program, or under the install prefix. Empty when there is none.
    static QString shippedDataDir();
    ~StartSequence();

    /// Runs the start steps in order: joins the arguments into one file name, shows the splash
    /// (when asked), records the file for the main window or says it could not be opened, creates
    /// the working folders and builds the application. Returns null when a working folder cannot
    /// be created (the user has been told which).
    std::unique_ptr<Application> run(const QStringList& arguments, bool withSplash);

    /// The command line the last run built.
    const QString& commandLine() const { return m_commandLine; }
    /// The files given besides the one of the command line, to open after it.
    const QStringList& moreFiles() const { return m_moreFiles; }
    /// Has the runs that follow guarded by the single-instance guard over the instance registry
    /// in `registryFolder`: a start while another instance runs hands its file over and ends.
    void guardInstances(const QString& registryFolder);
    /// The last run handed over to a running instance: this start ends, with exit code 0.
    bool handedOver() const { return m_handedOver; }
    SettingsFile& settings() { return m_settings; }

private:
    HomeDirectory m_home;
    MessageBoxPrompter& m_prompter;
    Clipboard& m_clipboard;
    SettingsFile m_settings;
    QString m_commandLine;
    QStringList m_moreFiles;
    QString m_shippedDir;
    std::unique_ptr<InstanceGuard> m_guard;
    bool m_handedOver = false;
};

/// The whole program: application object, start sequence, message loop. Returns the exit code.
int runVellumHtml(int argc, char** argv);

} // namespace vellum
