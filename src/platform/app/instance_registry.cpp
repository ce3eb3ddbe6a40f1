#include "platform/app/instance_registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vellum {

namespace {

// The lock is held for a few connection attempts: milliseconds. One older than this was left by
// a start that hangs; a start that died leaves one that is seen as stale at once.
constexpr int StaleLockMs = 10000;
constexpr int LockWaitMs = 15000;
// Connecting to a listening local socket needs no answer from its program, so only a busy system
// makes this wait at all.
constexpr int ProbeMs = 3000;

struct Entry {
    qint64 serial;
    QString path;
};

// The instances' sockets, oldest first: "i" + serial (8 digits) + "-" + process id. Anything else
// in the folder (the lock, the listening server's temporary folder) is not an instance.
std::vector<Entry> socketEntries(const QString& folder) {
    static const QRegularExpression name(QStringLiteral("^i(\\d{8,})-\\d+$"));
    std::vector<Entry> out;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : names) {
        const QRegularExpressionMatch match = name.match(entry);
        if (match.hasMatch())
            out.push_back({match.captured(1).toLongLong(), dir.filePath(entry)});
    }
    std::sort(out.begin(), out.end(),
              [](const Entry& a, const Entry& b) { return a.serial < b.serial; });
    return out;
}

bool answers(const QString& socketPath) {
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(ProbeMs)) {
        probe.abort();
        return true;
    }
    // Only a refusal shows that nobody listens there; a socket too busy to answer is someone's.
    return probe.error() != QLocalSocket::ConnectionRefusedError &&
           probe.error() != QLocalSocket::ServerNotFoundError;
}

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

InstanceRegistry::Admission::Admission() = default;
InstanceRegistry::Admission::Admission(Admission&&) noexcept = default;
InstanceRegistry::Admission& InstanceRegistry::Admission::operator=(Admission&&) noexcept = default;
InstanceRegistry::Admission::~Admission() = default;

QString InstanceRegistry::folderFor(const QString& runtimeDir, unsigned uid) {
    // A relative runtime folder is no runtime folder at all: it would depend on where the program
    // was started.
    if (!runtimeDir.isEmpty() && QDir::isAbsolutePath(runtimeDir))
        return QDir::cleanPath(runtimeDir + QStringLiteral("/vellumhtml"));
    return QStringLiteral("/tmp/vellumhtml-%1").arg(uid);
}

QString InstanceRegistry::defaultFolder() {
    return folderFor(qEnvironmentVariable("XDG_RUNTIME_DIR"), ::getuid());
}

InstanceRegistry::InstanceRegistry(QString folder) : m_folder(std::move(folder)) {}

std::optional<QString> InstanceRegistry::prepare() const {
    const QByteArray path = QFile::encodeName(m_folder);
    // Created with the user's access only from the start, so that nobody can slip in between.
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return QStringLiteral("The instance folder %1 cannot be created: %2")
            .arg(m_folder, systemError(errno));
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return QStringLiteral("The instance folder %1 cannot be read: %2")
            .arg(m_folder, systemError(errno));
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("The instance folder %1 is not a folder").arg(m_folder);
    if (info.st_uid != ::getuid())
        return QStringLiteral("The instance folder %1 belongs to another user").arg(m_folder);
    if ((info.st_mode & 077) != 0)
        return QStringLiteral("The instance folder %1 is open to other users").arg(m_folder);
    if ((info.st_mode & 0700) != 0700)
        return QStringLiteral("The instance folder %1 cannot be used by its owner").arg(m_folder);
    return std::nullopt;
}

InstanceRegistry::Admission InstanceRegistry::admit(int allowed, Join join) const {
    Admission result;
    if (const std::optional<QString> problem = prepare()) {
        result.error = *problem;
        return result;
    }
    QLockFile lock(m_folder + QStringLiteral("/registry.lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        result.error = QStringLiteral("The instance folder %1 stays locked").arg(m_folder);
        return result;
    }

    qint64 lastSerial = 0;
    for (const Entry& entry : socketEntries(m_folder)) {
        lastSerial = std::max(lastSerial, entry.serial);
        if (answers(entry.path))
            result.others << entry.path;
        else
            QFile::remove(entry.path);
    }
    if (join == Join::WhenAllowed && result.others.size() + 1 > allowed)
        return result;

    // Numbered after every socket seen, so that the order of the names is the order of the starts.
    const QString name = QStringLiteral("%1/i%2-%3")
                             .arg(m_folder)
                             .arg(lastSerial + 1, 8, 10, QLatin1Char('0'))
                             .arg(QCoreApplication::applicationPid());
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        result.error = QStringLiteral("This instance cannot listen on %1: %2")
                           .arg(name, server->errorString());
        return result;
    }
    result.server = std::move(server);
    return result;
}

} // namespace vellum
