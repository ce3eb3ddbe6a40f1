#pragma once

#include "platform/app/instance_registry.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace vellum {

/// What a start does when more instances run than are allowed. Stored as one byte, 0 to 3.
enum class TUnoFoundAction : std::uint8_t {
    unofaRestoreAndQuit = 0, ///< bring the other instance to the front, then end this one
    unofaRestore = 1,        ///< bring it to the front and keep running
    unofaQuit = 2,           ///< end this one without touching the other
    unofaNone = 3,           ///< do nothing
};

/// The single-instance guard. It finds the other running instances of the program in the
/// instance registry (see InstanceRegistry), tells the owner when there are more than allowed,
/// activates the newest of them by a message that carries this start's hand-off, and says when
/// this start is to end. An instance that keeps running joins the registry and reports the
/// activation messages of the starts after it.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    /// Called before the found action is carried out, with the number of instances found (this
    /// one included); it may change the action, and the change stays in the property.
    using TOnAllowedInstancesExceededEvent =
        std::function<void(QObject* sender, int instanceCount, TUnoFoundAction& action)>;

    explicit SingleInstance(QString registryFolder = InstanceRegistry::defaultFolder(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Instances, this one included, that are tolerated. 1 by default.
    int AllowedInstances() const { return m_allowed; }
    void setAllowedInstances(int allowed) { m_allowed = allowed; }
    TUnoFoundAction FoundAction() const { return m_action; }
    void setFoundAction(TUnoFoundAction action) { m_action = action; }
    void setOnAllowedInstancesExceeded(TOnAllowedInstancesExceededEvent handler) {
        m_onExceeded = std::move(handler);
    }

    /// What this start's activation message carries: the settings file it belongs to, and the
    /// files it hands over (none, or one empty name, for none; the exceeded handler usually sets
    /// them).
    void setOrigin(const QString& settingsPath) { m_origin = settingsPath; }
    void setHandOff(const QStringList& files) { m_handOff = files; }

    /// Counts the running instances and, when there are more than allowed, calls the handler and
    /// carries out the found action. Afterwards quitRequested() says whether this start ends.
    /// When the instance it activated has ended meanwhile, it looks again, so that a start after
    /// a killed instance takes its place instead of ending. Does nothing once this instance is in
    /// the registry.
    void CheckPrevInstances();

    /// The last check asks this start to end now, with exit code 0.
    bool quitRequested() const { return m_quit; }
    /// The instances the last check counted, this one included.
    int instanceCount() const { return m_count; }
    /// This instance is in the registry: later starts find it.
    bool isRegistered() const;
    /// Why the registry could not be used in the last check (the instance then runs outside it),
    /// or empty.
    const QString& registryProblem() const { return m_problem; }

    /// From now on the activation messages of later starts are read, answered and reported by
    /// `activated`. Until then they wait unanswered, so that none is answered and then lost
    /// because there is no window yet to take it.
    void acceptActivations();
    /// Leaves the registry: later starts no longer find this instance, and messages not yet read
    /// are refused, so that their starts look again.
    void withdraw();

signals:
    /// A later start asks this instance to come to the front. `origin` names its settings file,
    /// `handOff` a file it hands over (empty for none); a start handing over several files is
    /// reported once for each.
    void activated(const QString& origin, const QString& handOff);

private:
    enum class Delivery { Delivered, Unreachable };
    Delivery activate(const QString& socketPath) const;
    void adopt(InstanceRegistry::Admission& admission);
    void takeConnections();
    void listenTo(QLocalSocket* socket);
    void readFrom(QLocalSocket* socket);

    InstanceRegistry m_registry;
    int m_allowed = 1;
    TUnoFoundAction m_action = TUnoFoundAction::unofaRestoreAndQuit;
    TOnAllowedInstancesExceededEvent m_onExceeded;
    QString m_origin;
    QStringList m_handOff;
    bool m_quit = false;
    int m_count = 0;
    QString m_problem;
    bool m_accepting = false;
    std::unique_ptr<QLocalServer> m_server;
    QList<QPointer<QLocalSocket>> m_waiting;
};

} // namespace vellum
