#include "ui/app/instance_guard.h"

#include "core/app/command_registry.h"
#include "core/app/startup.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "ui/app/app_activation.h"
#include "ui/app/application.h"
#include "ui/app/main_window.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vellum {

namespace {

// A copy of the program kept elsewhere has a settings file of its own; its hand-off is recorded
// there, and an instance with another settings file comes forward but opens nothing.
bool sameFile(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

InstanceGuard::InstanceGuard(SettingsFile& settings, Prompter& prompter, QString registryFolder)
    : m_settings(settings), m_prompter(prompter), m_guard(std::move(registryFolder)) {
    m_guard.setOrigin(QFileInfo(settings.path()).absoluteFilePath());
    m_guard.setOnAllowedInstancesExceeded(
        [this](QObject* sender, int count, TUnoFoundAction& action) {
            UnoPrevInstance1AllowedInstancesExceeded(sender, count, action);
        });
}

bool InstanceGuard::admit(const QString& commandLine, const QStringList& moreFiles) {
    m_commandLine = commandLine;
    m_moreFiles = moreFiles;
    m_guard.CheckPrevInstances();
    // The program still runs, without a guard: the user asked for an editor.
    if (!m_guard.registryProblem().isEmpty())
        qWarning("%s; running without the single-instance guard",
                 qPrintable(m_guard.registryProblem()));
    return !m_guard.quitRequested();
}

void InstanceGuard::UnoPrevInstance1AllowedInstancesExceeded(QObject*, int, TUnoFoundAction&) {
    if (m_commandLine.isEmpty())
        return;
    // The message carries the file whatever happens to the record: other starts may overwrite it.
    QStringList files{handOffFile(m_commandLine, nativePathStyle())};
    for (const QString& file : m_moreFiles)
        files << handOffFile(file, nativePathStyle());
    m_guard.setHandOff(files);
    runReporting(m_prompter, [this] {
        const QString message = recordHandOff(m_settings, m_commandLine, nativePathStyle());
        if (!message.isEmpty())
            m_prompter.inform(message);
    });
}

void InstanceGuard::attach(Application& app) {
    const QString own = m_settings.path();
    AppActivation& activation = app.activation();
    // Queued: the message is answered before anything it asks for is done.
    connect(
        &m_guard, &SingleInstance::activated, &activation,
        [&activation, own](const QString& origin, const QString& file) {
            activation.activate(sameFile(origin, own) ? file : QString());
        },
        Qt::QueuedConnection);
    connect(&app.window(), &QObject::destroyed, this, [this] { m_guard.withdraw(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_guard.withdraw(); });
    m_guard.acceptActivations();
}

} // namespace vellum
