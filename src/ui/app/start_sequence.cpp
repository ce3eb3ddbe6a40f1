#include "ui/app/start_sequence.h"

#include "core/app/hand_off.h"
#include "core/app/shipped_files.h"
#include "core/app/startup.h"
#include "core/foundation/path_style.h"
#include "platform/app/instance_registry.h"
#include "platform/editor/system_clipboard.h"
#include "ui/app/app_icon.h"
#include "ui/app/application.h"
#include "ui/app/instance_guard.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/splash_window.h"

#include <QApplication>

#include <csignal>
#include <cstdlib>

namespace vellum {

namespace {

// Helper windows and other placed windows need absolute screen positions, which Wayland does not
// give; run through XWayland unless the user chose a platform.
void chooseDisplayPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

StartSequence::StartSequence(const HomeDirectory& home, MessageBoxPrompter& prompter,
                             Clipboard& clipboard, QString shippedDir)
    : m_home(home), m_prompter(prompter), m_clipboard(clipboard), m_settings(home.settingsPath()),
      m_shippedDir(std::move(shippedDir)) {}

QString StartSequence::shippedDataDir() {
    return vellum::shippedDataDir(QCoreApplication::applicationDirPath());
}

StartSequence::~StartSequence() = default;

std::unique_ptr<Application> StartSequence::run(const QStringList& arguments, bool withSplash) {
    // The first file goes the way of a command line naming one file; the others open after it.
    const QStringList files = commandLineFiles(arguments);
    m_commandLine = files.value(0);
    m_moreFiles = files.mid(1);
    if (withSplash)
        SplashWindow::showSplash();

    // The home itself must exist before the hand-off key can be written into it.
    std::optional<QString> failure = m_home.createHome();
    if (!failure) {
        const QString message = recordHandOff(m_settings, m_commandLine, nativePathStyle());
        if (!message.isEmpty())
            m_prompter.inform(message);
        const FreshFolders fresh = missingFolders(m_home);
        failure = m_home.createWorkingFolders();
        if (!failure)
            installShippedFiles(m_shippedDir, m_home, fresh);
    }
    if (failure) {
        m_prompter.error(*failure);
        return nullptr;
    }

    QApplication::setApplicationName(QStringLiteral("VellumHTML"));
    // Every window, the task bar entry included, shows the program's own icon; the desktop file
    // names the installed one.
    QApplication::setWindowIcon(appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vellumhtml"));
    // Before the main window exists: a start that hands over ends here, having touched nothing of
    // the running instance's settings but the hand-off record.
    m_handedOver = m_guard && !m_guard->admit(m_commandLine, m_moreFiles);
    if (m_handedOver)
        return nullptr;
    auto app = std::make_unique<Application>(m_settings, m_home, m_prompter, m_clipboard);
    if (m_guard)
        m_guard->attach(*app);
    // Boxes that no other window causes show over the main window.
    m_prompter.setParent(&app->window());
    return app;
}

void StartSequence::guardInstances(const QString& registryFolder) {
    m_guard = std::make_unique<InstanceGuard>(m_settings, m_prompter, registryFolder);
}

int runVellumHtml(int argc, char** argv) {
    chooseDisplayPlatform();
    QApplication app(argc, argv);
    // The application's title; a display name would be appended to every window title as well.
    QApplication::setApplicationName(QStringLiteral("VellumHTML"));
    // Every window, the task bar entry included, shows the program's own icon; the desktop file
    // names the installed one.
    QApplication::setWindowIcon(appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vellumhtml"));

    // A write (a save, a settings change) that reaches the file-size limit must fail with a
    // message, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    MessageBoxPrompter prompter;
    SystemClipboard clipboard;
    try {
        StartSequence start(HomeDirectory::fromEnvironment(QCoreApplication::applicationDirPath()),
                            prompter, clipboard, StartSequence::shippedDataDir());
        start.guardInstances(InstanceRegistry::defaultFolder());
        std::unique_ptr<Application> program = start.run(app.arguments().mid(1), true);
        if (!program)
            return start.handedOver() ? EXIT_SUCCESS : EXIT_FAILURE;
        // Its own file, not the shared record: a start at the same moment may have overwritten it.
        program->start(handOffFile(start.commandLine(), nativePathStyle()));
        program->openMore(start.moreFiles());
        return app.exec();
    } catch (const std::exception& failure) {
        prompter.error(QString::fromUtf8(failure.what()));
        return EXIT_FAILURE;
    }
}

} // namespace vellum
