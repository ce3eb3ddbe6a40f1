#include "core/app/recovery_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

namespace {

constexpr char LockSuffix[] = ".lock";

QString lockPath(const QString& root, const QString& id) {
    return root + QLatin1Char('/') + id + QLatin1String(LockSuffix);
}

// Whether a process other than this one has `file` open; nothing where the processes' open files
// cannot be listed.
std::optional<bool> openElsewhere(const struct stat& file) {
    DIR* self = ::opendir("/proc/self/fd");
    if (!self)
        return std::nullopt;
    ::closedir(self);
    DIR* processes = ::opendir("/proc");
    if (!processes)
        return std::nullopt;
    const QByteArray own = QByteArray::number(static_cast<qint64>(::getpid()));
    bool open = false;
    while (!open) {
        const dirent* process = ::readdir(processes);
        if (!process)
            break;
        const QByteArray pid(process->d_name);
        bool number = false;
        pid.toLongLong(&number);
        if (!number || pid == own)
            continue;
        // Another user's processes cannot be looked into; they cannot hold a lock in the user's
        // own folder either.
        DIR* files = ::opendir(QByteArray("/proc/" + pid + "/fd").constData());
        if (!files)
            continue;
        while (const dirent* entry = ::readdir(files)) {
            struct stat info {};
            if (entry->d_name[0] != '.' &&
                ::fstatat(::dirfd(files), entry->d_name, &info, 0) == 0 &&
                info.st_dev == file.st_dev && info.st_ino == file.st_ino) {
                open = true;
                break;
            }
        }
        ::closedir(files);
    }
    ::closedir(processes);
    return open;
}

// A lock file is made before its holder's name is written into it, so a process killed in
// between leaves a lock that names no one. QLockFile never counts such a lock as stale, and the
// folder it guards would never be offered again. Such a lock is removed when no process holds it
// locked and no other process has it open: the process that makes a lock has it open from that
// moment until it lets the lock go. Where open files cannot be listed, it is removed when it
// still names no one a moment later, the moment a process taking it needs to write its name. It
// is locked here meanwhile, and removed only while it is still the file at its name, so that a
// lock made in its place is left alone.
bool removeIfNameless(const QString& path) {
    const auto nameless = [&path] {
        qint64 pid = 0;
        QString host, application;
        return !QLockFile(path).getLockInfo(&pid, &host, &application);
    };
    if (!nameless())
        return false;
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto abandoned = [&fd](struct stat& held) {
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 ||
            !S_ISREG(held.st_mode))
            return false;
        if (const std::optional<bool> open = openElsewhere(held))
            return !*open;
        QThread::msleep(100);
        return true;
    };
    struct stat held {
    }, named{};
    const bool removed = abandoned(held) && nameless() &&
                         ::lstat(encoded.constData(), &named) == 0 && named.st_ino == held.st_ino &&
                         named.st_dev == held.st_dev && ::unlink(encoded.constData()) == 0;
    ::close(fd);
    return removed;
}

// A lock that counts as held only while its holder lives: with no stale time, QLockFile takes
// over a lock file only when the process that wrote it has ended, however old it is.
std::unique_ptr<QLockFile> tryLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    if (lock->error() != QLockFile::LockFailedError)
        return nullptr;
    // QLockFile takes over an ended holder's lock only while it holds a second lock beside it,
    // "<lock>.rmlock", with its default stale time. A process killed while making that one
    // leaves it naming no one too, and every takeover of the lock would fail for half a minute.
    const bool lockCleared = removeIfNameless(path);
    const bool removerCleared = removeIfNameless(path + QStringLiteral(".rmlock"));
    return (lockCleared || removerCleared) && lock->tryLock(0) ? std::move(lock) : nullptr;
}

QString describe(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

void warn(const QString& message) {
    qWarning("%s", qUtf8Printable(message));
}

// The files the program writes into an instance's folder: the recovery files, and the temporary
// files they are written through before they take their names (see replaceFileNoFollow). Nothing
// else in a folder is ever removed.
bool isRecoveryFileName(const QString& name) {
    static const QRegularExpression file(QStringLiteral("^document-[0-9]+\\.recovery$"));
    return file.match(name).hasMatch();
}

bool isOwnFileName(const QString& name) {
    static const QRegularExpression temporary(
        QStringLiteral("^\\.document-[0-9]+\\.recovery\\.[A-Za-z0-9]{6}$"));
    return isRecoveryFileName(name) || temporary.match(name).hasMatch();
}

bool isRegularFile(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// Who may use a folder besides its owner. The recovery folder itself may be readable by others
// (earlier versions made it so; it holds only folders and lock files); an instance's folder holds
// the user's unsaved text and is the user's alone.
enum class Others { MayRead, Nothing };

// A folder of the recovery folder, opened without following a link, so that what is checked is
// what is listed and removed from.
class CheckedFolder {
public:
    CheckedFolder(const QString& path, Others others)
        : m_fd(::open(QFile::encodeName(path).constData(),
                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {
        if (m_fd < 0) {
            m_error = errno;
            struct stat info {};
            if (::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode))
                m_fault = QStringLiteral("it is a link");
            else if (m_error == ENOTDIR)
                m_fault = QStringLiteral("it is not a folder");
            else
                m_fault = describe(m_error);
            return;
        }
        struct stat info {};
        if (::fstat(m_fd, &info) != 0)
            m_fault = describe(errno);
        else if (info.st_uid != ::geteuid())
            m_fault = QStringLiteral("it belongs to another user");
        else if (others == Others::MayRead && (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
            m_fault = QStringLiteral("others may write to it");
        else if (others == Others::Nothing && (info.st_mode & 0777) != 0700)
            m_fault = QStringLiteral("its permissions are %1, not 700")
                          .arg(info.st_mode & 0777, 3, 8, QLatin1Char('0'));
    }
    ~CheckedFolder() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CheckedFolder(const CheckedFolder&) = delete;
    CheckedFolder& operator=(const CheckedFolder&) = delete;

    /// Why the folder is not to be used; nothing when it may be.
    const std::optional<QString>& fault() const { return m_fault; }
    /// True when nothing is there at all.
    bool missing() const { return m_error == ENOENT; }

    /// The names in the folder, sorted.
    QStringList names() const {
        QStringList out;
        const int copy = m_fault ? -1 : ::dup(m_fd);
        DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
        if (!dir) {
            if (copy >= 0)
                ::close(copy);
            return out;
        }
        // The copy shares its position with the folder's own descriptor.
        ::rewinddir(dir);
        while (const dirent* entry = ::readdir(dir)) {
            const QString name = QFile::decodeName(entry->d_name);
            if (name != QLatin1String(".") && name != QLatin1String(".."))
                out << name;
        }
        ::closedir(dir);
        out.sort();
        return out;
    }

    /// Removes the entry `name` itself, never what a link there points to. A folder stays.
    bool remove(const QString& name) const {
        const QByteArray encoded = QFile::encodeName(name);
        struct stat info {};
        if (::fstatat(m_fd, encoded.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;
        return !S_ISDIR(info.st_mode) && ::unlinkat(m_fd, encoded.constData(), 0) == 0;
    }

private:
    int m_fd;
    int m_error = 0;
    std::optional<QString> m_fault;
};

std::optional<QString> unusable(const QString& path, const std::optional<QString>& fault) {
    if (!fault)
        return std::nullopt;
    return QStringLiteral("The folder %1 cannot hold recovery files: %2.")
        .arg(QDir::toNativeSeparators(path), *fault);
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
    // Made readable by the owner only; one that is there already is used only when it is a real
    // folder of the user's own that no one else may write to: the program never writes through a
    // link, nor into a folder where someone else may plant or take files.
    errno = 0;
    if (!QDir().mkpath(QFileInfo(m_root).path()) ||
        (::mkdir(QFile::encodeName(m_root).constData(), 0700) != 0 && errno != EEXIST))
        return QStringLiteral("The folder %1 could not be created: %2.")
            .arg(QDir::toNativeSeparators(m_root), describe(errno ? errno : ENOTDIR));
    if (std::optional<QString> failure =
            unusable(m_root, CheckedFolder(m_root, Others::MayRead).fault()))
        return failure;
    // The lock comes first: a folder is never there without its lock held.
    m_lock = tryLock(lockPath(m_root, m_id));
    if (!m_lock)
        return QStringLiteral("The recovery folder %1 could not be locked.")
            .arg(QDir::toNativeSeparators(path()));
    const QByteArray own = QFile::encodeName(path());
    errno = 0;
    if (::mkdir(own.constData(), 0700) == 0) {
        // The file-creation mask may have taken some of the owner's rights.
        ::chmod(own.constData(), 0700);
    } else if (errno != EEXIST) {
        const QString failure = QStringLiteral("The folder %1 could not be created: %2.")
                                    .arg(QDir::toNativeSeparators(path()), describe(errno));
        m_lock.reset();
        return failure;
    }
    if (std::optional<QString> failure =
            unusable(path(), CheckedFolder(path(), Others::Nothing).fault())) {
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
    const CheckedFolder folder(root, Others::MayRead);
    if (folder.fault()) {
        if (!folder.missing())
            warn(QStringLiteral("The recovery folder %1 is not used: %2.")
                     .arg(QDir::toNativeSeparators(root), *folder.fault()));
        return claim;
    }
    const QString suffix = QLatin1String(LockSuffix);
    const QStringList names = folder.names();
    for (const QString& name : names) {
        if (name == ownId || name.endsWith(suffix))
            continue;
        const QString path = root + QLatin1Char('/') + name;
        // Checked before its lock is touched: the lock of a folder passed over stays as it is.
        std::optional<QString> fault = CheckedFolder(path, Others::Nothing).fault();
        const QString lock = lockPath(root, name);
        if (!fault && QFileInfo(lock).isSymLink())
            fault = QStringLiteral("its lock file is a link");
        if (fault) {
            warn(QStringLiteral("The folder %1 is not offered for recovery: %2.")
                     .arg(QDir::toNativeSeparators(path), *fault));
            continue;
        }
        std::unique_ptr<QLockFile> held = tryLock(lock);
        if (!held)
            continue; // a running instance's
        // Temporary files start with a dot and are not read: a write cut short is never offered.
        // A link is not read either (readRecoveryFile does not follow one).
        for (const QString& file : CheckedFolder(path, Others::Nothing).names()) {
            if (!isRecoveryFileName(file))
                continue;
            const QString filePath = path + QLatin1Char('/') + file;
            if (std::optional<RecoveryRecord> record = readRecoveryFile(filePath))
                claim.m_entries.push_back({filePath, std::move(*record)});
        }
        claim.m_taken.push_back({path, std::move(held)});
    }
    // An instance that ended before it wrote anything may leave its lock behind alone.
    for (const QString& name : names) {
        if (!name.endsWith(suffix))
            continue;
        const QString id = name.chopped(suffix.size());
        if (id != ownId && !names.contains(id) && isRegularFile(root + QLatin1Char('/') + name)) {
            if (std::unique_ptr<QLockFile> orphan = tryLock(root + QLatin1Char('/') + name))
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
        const CheckedFolder folder(taken.folder, Others::Nothing);
        if (folder.fault()) {
            ok = false;
        } else {
            for (const QString& name : folder.names()) {
                if (isOwnFileName(name))
                    ok = folder.remove(name) && ok;
            }
        }
        if (::rmdir(QFile::encodeName(taken.folder).constData()) != 0) {
            const int error = errno;
            ok = false;
            warn(QStringLiteral("The folder %1 is left in place: %2.")
                     .arg(QDir::toNativeSeparators(taken.folder),
                          error == ENOTEMPTY || error == EEXIST
                              ? QStringLiteral("it holds files this program did not write")
                              : folder.fault().value_or(describe(error))));
        }
        // Unlocked last: until the folder is gone no other start may take it.
        taken.lock->unlock();
    }
    m_taken.clear();
    m_entries.clear();
    return ok;
}

} // namespace vellum
