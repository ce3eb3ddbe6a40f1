#include "core/foundation/disk_stamp.h"

#include <QFile>
#include <QHashFunctions>

#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace vellum {

namespace {

// Content is hashed a megabyte at a time, so that a file can be hashed as it is read.
constexpr qsizetype HashPiece = 1 << 20;

quint64 addToHash(quint64 hash, const char* data, qsizetype size) {
    return static_cast<quint64>(
        qHashMulti(static_cast<size_t>(hash), qHashBits(data, static_cast<size_t>(size))));
}

// The hash of a file's content read in pieces (no copy of a large file is held); nothing when
// it cannot be read.
std::optional<quint64> hashOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray piece(HashPiece, Qt::Uninitialized);
    quint64 hash = 0;
    for (;;) {
        qsizetype got = 0;
        // A piece is filled whole (short reads are read on), so the pieces match hashOf's.
        while (got < HashPiece) {
            const qint64 n = file.read(piece.data() + got, HashPiece - got);
            if (n < 0)
                return std::nullopt;
            if (n == 0)
                break;
            got += n;
        }
        if (got == 0)
            return hash;
        hash = addToHash(hash, piece.constData(), got);
        if (got < HashPiece)
            return hash;
    }
}

} // namespace

quint64 DiskStamp::hashOf(const QByteArray& bytes) {
    quint64 hash = 0;
    for (qsizetype at = 0; at < bytes.size(); at += HashPiece)
        hash = addToHash(hash, bytes.constData() + at, std::min(HashPiece, bytes.size() - at));
    return hash;
}

DiskStamp DiskStamp::of(const QString& path, const QByteArray& bytes) {
    return ofHashed(path, hashOf(bytes));
}

DiskStamp DiskStamp::ofHashed(const QString& path, quint64 hash) {
    DiskStamp stamp;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.known = true;
    stamp.device = static_cast<quint64>(info.st_dev);
    stamp.inode = static_cast<quint64>(info.st_ino);
    stamp.size = static_cast<qint64>(info.st_size);
#ifdef __APPLE__
    const timespec& modified = info.st_mtimespec;
#else
    const timespec& modified = info.st_mtim;
#endif
    stamp.modifiedNs = static_cast<qint64>(modified.tv_sec) * 1000000000 + modified.tv_nsec;
    stamp.hash = hash;
    return stamp;
}

bool DiskStamp::operator==(const DiskStamp& o) const {
    return known == o.known && device == o.device && inode == o.inode && size == o.size &&
           modifiedNs == o.modifiedNs && hash == o.hash;
}

bool changedOnDisk(const QString& path, const DiskStamp& known, DiskStamp* now) {
    if (now)
        *now = DiskStamp{};
    if (!known.known)
        return false;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (static_cast<qint64>(info.st_size) == known.size) {
        // Equal sizes: only the content tells, whatever the inode and the clock say.
        const std::optional<quint64> hash = hashOfFile(path);
        if (!hash || *hash == known.hash)
            return false;
        if (now) {
            QFile file(path);
            *now =
                file.open(QIODevice::ReadOnly) ? DiskStamp::of(path, file.readAll()) : DiskStamp{};
        }
        return true;
    }
    if (now) {
        QFile file(path);
        *now = file.open(QIODevice::ReadOnly) ? DiskStamp::of(path, file.readAll()) : DiskStamp{};
    }
    return true;
}

} // namespace vellum
