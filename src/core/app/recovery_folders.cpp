#include "core/app/recovery_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace vellum {

namespace {

constexpr char LockSuffix[] = ".lock";

QString lockPath(const QString& root, const QString& id) {
    return root + QLatin1Char('/') + id + QLatin1String(LockSuffix);
}

// A lock that counts as held only while its holder lives: with no stale time, QLockFile takes
// over a lock file only when the process that wrote it has ended, however old it is.
std::unique_ptr<QLockFile> tryLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

// Made readable by the owner only: the folders hold the user's unsaved text.
bool makePrivateFolder(const QString& path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST)
        return QFileInfo(path).isDir();
    return false;
}

QString describe(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

RecoveryFolder::RecoveryFolder(QString root)
    : m_root(QDir::cleanPath(std::move(root))),
      m_id(QStringLiteral("%1-%2")
               .arg(QCoreApplication::applicationPid())
               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))) {}

RecoveryFolder::~RecoveryFolder() {
    if (!m_claimed)
        return;
    // Removed only when empty: the files of documents still open are left to be offered.
    QDir().rmdir(path());
    m_lock->unlock();
}

QString RecoveryFolder::path() const {
    return m_root + QLatin1Char('/') + m_id;
}

QString RecoveryFolder::filePath(int serial) const {
    return path() + QStringLiteral("/document-%1.recovery").arg(serial);
}

std::optional<QString> RecoveryFolder::claim() {
    if (m_claimed)
        return std::nullopt;
    errno = 0;
    if (!QDir().mkpath(m_root) || !QFileInfo(m_root).isDir())
        return QStringLiteral("The folder %1 could not be created: %2.")
            .arg(QDir::toNativeSeparators(m_root), describe(errno ? errno : ENOTDIR));
    // The lock comes first: a folder is never there without its lock held.
    m_lock = tryLock(lockPath(m_root, m_id));
    if (!m_lock)
        return QStringLiteral("The recovery folder %1 could not be locked.")
            .arg(QDir::toNativeSeparators(path()));
    errno = 0;
    if (!makePrivateFolder(path())) {
        const QString failure =
            QStringLiteral("The folder %1 could not be created: %2.")
                .arg(QDir::toNativeSeparators(path()), describe(errno ? errno : ENOTDIR));
        m_lock.reset();
        return failure;
    }
    m_claimed = true;
    return std::nullopt;
}

RecoveryClaim::RecoveryClaim(RecoveryClaim&&) noexcept = default;
RecoveryClaim& RecoveryClaim::operator=(RecoveryClaim&&) noexcept = default;
RecoveryClaim::~RecoveryClaim() = default;

RecoveryClaim RecoveryClaim::gather(const QString& root, const QString& ownId) {
    RecoveryClaim claim;
    const QDir dir(root);
    for (const QFileInfo& folder : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder.fileName() == ownId)
            continue;
        std::unique_ptr<QLockFile> lock = tryLock(lockPath(root, folder.fileName()));
        if (!lock)
            continue; // a running instance's
        // Temporary files start with a dot and are not listed: a write cut short is never offered.
        const QDir files(folder.filePath());
        for (const QFileInfo& file :
             files.entryInfoList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Name)) {
            if (std::optional<RecoveryRecord> record = readRecoveryFile(file.filePath()))
                claim.m_entries.push_back({file.filePath(), std::move(*record)});
        }
        claim.m_taken.push_back({folder.filePath(), std::move(lock)});
    }
    // An instance that ended before it wrote anything may leave its lock behind alone.
    const QString suffix = QLatin1String(LockSuffix);
    for (const QString& name : dir.entryList({QLatin1Char('*') + suffix}, QDir::Files)) {
        const QString id = name.chopped(suffix.size());
        if (!QFileInfo(dir.filePath(id)).isDir() && id != ownId) {
            if (std::unique_ptr<QLockFile> orphan = tryLock(dir.filePath(name)))
                orphan->unlock();
        }
    }
    std::stable_sort(claim.m_entries.begin(), claim.m_entries.end(),
                     [](const Recoverable& a, const Recoverable& b) {
                         return a.record.written < b.record.written;
                     });
    return claim;
}

QStringList RecoveryClaim::folders() const {
    QStringList out;
    for (const Taken& taken : m_taken)
        out << taken.folder;
    return out;
}

std::optional<QString> RecoveryClaim::adopt(int index, const QString& target) {
    Recoverable& entry = m_entries.at(static_cast<size_t>(index));
    // rename() within the home is atomic: the text is in one of the two folders at every moment.
    if (std::rename(QFile::encodeName(entry.file).constData(),
                    QFile::encodeName(target).constData()) != 0)
        return QStringLiteral("Cannot move %1 to %2: %3.")
            .arg(QDir::toNativeSeparators(entry.file), QDir::toNativeSeparators(target),
                 describe(errno));
    entry.file = target;
    return std::nullopt;
}

bool RecoveryClaim::discard() {
    bool ok = true;
    for (Taken& taken : m_taken) {
        QDir folder(taken.folder);
        for (const QString& name :
             folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            ok = folder.remove(name) && ok;
        ok = QDir().rmdir(taken.folder) && ok;
        // Unlocked last: until the folder is gone no other start may take it.
        taken.lock->unlock();
    }
    m_taken.clear();
    m_entries.clear();
    return ok;
}

} // namespace vellum
