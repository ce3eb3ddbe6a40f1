#pragma once

#include "platform/app/single_instance.h"

#include <QObject>

namespace vellum {

class Prompter;
class SettingsFile;
class Application;

/// The program's single-instance guard (`UnoPrevInstance1`, one instance allowed, restore and
/// quit) with the main window's handler of it. A start while another instance runs hands its
/// file over and ends, before its main window exists and before it has touched anything of the
/// running instance's settings but the hand-off record.
class InstanceGuard : public QObject {
    Q_OBJECT
public:
    InstanceGuard(SettingsFile& settings, Prompter& prompter,
                  QString registryFolder = InstanceRegistry::defaultFolder());

    /// Runs the guard for a start with this joined command line. False when this start has
    /// handed over to the running instance and is to end now, with exit code 0.
    bool admit(const QString& commandLine, const QStringList& moreFiles = {});

    /// The guard's exceeded handler: leaves the action as it is; with a command line, records the
    /// file in "hello" for the running instance (or says it could not be opened) and has the
    /// activation message carry it.
    void UnoPrevInstance1AllowedInstancesExceeded(QObject* sender, int instanceCount,
                                                  TUnoFoundAction& action);

    /// From now on the activation messages of later starts reach `main`: the window comes to the
    /// front and opens the file handed over from a start sharing its settings file. The instance
    /// leaves the registry when the application quits or `main` goes.
    void attach(Application& app);

    SingleInstance& UnoPrevInstance1() { return m_guard; }

private:
    SettingsFile& m_settings;
    Prompter& m_prompter;
    QString m_commandLine;
    QStringList m_moreFiles;
    SingleInstance m_guard;
};

} // namespace vellum
