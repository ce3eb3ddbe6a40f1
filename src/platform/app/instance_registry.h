#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QLocalServer;

namespace vellum {

/// The running instances of the program for one user. Each one listens on a local socket in one
/// folder that only this user may enter; the sockets somebody still listens on, in the order they
/// were made, are the instances, and activating one means sending it a message there. A socket
/// nobody listens on any more (its program was killed) is removed on sight.
class InstanceRegistry {
public:
    /// `runtimeDir`/vellumhtml when `runtimeDir` is an absolute path, else /tmp/vellumhtml-`uid`.
    static QString folderFor(const QString& runtimeDir, unsigned uid);
    /// The folder for this process: from $XDG_RUNTIME_DIR and the real user id.
    static QString defaultFolder();

    explicit InstanceRegistry(QString folder);
    const QString& folder() const { return m_folder; }

    /// Creates the folder (mode 0700) when missing and checks that it can be trusted: a real
    /// folder, not a link, owned by this user and open to nobody else. Returns why not otherwise;
    /// such a folder is neither used nor repaired, since someone else may be behind it.
    std::optional<QString> prepare() const;

    enum class Join {
        WhenAllowed, ///< only when, with this one, no more than the allowed number run
        Always,      ///< whatever the count: an instance that keeps running after all
    };

    /// What one check found.
    struct Admission {
        Admission();
        Admission(Admission&&) noexcept;
        Admission& operator=(Admission&&) noexcept;
        ~Admission();

        QStringList others;                   ///< the live instances' sockets, oldest first
        std::unique_ptr<QLocalServer> server; ///< this instance's socket once it has joined
        QString error;                        ///< why the registry could not be used
    };

    /// Under the registry's lock, so that starts at the same moment see each other and never both
    /// join (nor both stay out): finds the live instances, removing stale sockets, and joins this
    /// instance as `join` says, `allowed` counting this one. The server is not yet reading.
    Admission admit(int allowed, Join join) const;

private:
    QString m_folder;
};

} // namespace vellum
