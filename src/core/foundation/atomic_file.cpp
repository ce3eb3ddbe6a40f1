#include "core/foundation/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

namespace {

QString describe(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString saveError(const QString& path, const QString& why) {
    return QStringLiteral("Cannot save %1: %2.").arg(QDir::toNativeSeparators(path), why);
}

// Writes all of `bytes`, going on after short writes; false with errno set on failure.
bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(std::min<qint64>(left, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

bool saveDocumentFile(const QString& path, const QByteArray& bytes, QString& error,
                      DiskStamp* written) {
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    const QByteArray targetName = QFile::encodeName(target);

    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    mode_t mode = 0666;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) {
            error = saveError(path, QStringLiteral("it is not a regular file"));
            return false;
        }
        if (!(existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
            error = saveError(path, QStringLiteral("the file is read-only"));
            return false;
        }
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const QFileInfo targetInfo(target);
    QByteArray temp = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.") +
                                        targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = saveError(path, describe(errno));
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 || errno == EPERM;
    ok = ok && writeAll(fd, bytes);
    ok = ok && ::fsync(fd) == 0;
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temp.constData(), targetName.constData()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = saveError(path, describe(failure));
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir =
        ::open(QFile::encodeName(targetInfo.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    if (written)
        *written = DiskStamp::of(target, bytes);
    return true;
}

bool replaceFileNoFollow(const QString& path, const QByteArray& bytes, QString& error,
                         ReplaceOptions options) {
    const QFileInfo info(path);
    QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                        info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    const auto fail = [&](int why) {
        error = QStringLiteral("Cannot write %1: %2.")
                    .arg(QDir::toNativeSeparators(path), describe(why));
        return false;
    };
    if (fd < 0)
        return fail(errno);
    // mkstemp makes the file its owner's alone.
    bool ok = true;
    if (!options.ownerOnly) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::fchmod(fd, 0666 & ~mask) == 0;
    }
    ok = ok && writeAll(fd, bytes) && (!options.flushed || ::fsync(fd) == 0);
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    // rename() replaces the name itself: a link there is swapped out, not written through.
    if (ok && ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return fail(failure);
    }
    return true;
}

} // namespace vellum
