#pragma once

#include <QByteArray>
#include <QString>

namespace vellum {

/// What a file on disk held when the program last read or wrote it, so that a change made by
/// another program can be told apart from the program's own.
struct DiskStamp {
    bool known = false; ///< false: no file has been read or written yet
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0; ///< modification time in nanoseconds since the epoch
    quint64 hash = 0;      ///< of the whole content

    /// The file at `path` as it is now, its content given as `bytes` (just read or written).
    /// Unknown when the file cannot be examined.
    static DiskStamp of(const QString& path, const QByteArray& bytes);
    /// As above, with the content's hashOf worked out already.
    static DiskStamp ofHashed(const QString& path, quint64 hash);
    /// The hash the stamp keeps of a content.
    static quint64 hashOf(const QByteArray& bytes);
    bool operator==(const DiskStamp& other) const;
    bool operator!=(const DiskStamp& other) const { return !(*this == other); }
};

/// Whether the file at `path` still holds what `known` describes. A file whose size differs has
/// changed; one of the same size is read and compared by content hash, so a rewrite within the
/// same clock tick is seen and a mere touch is not. A file that has gone, or an unknown stamp,
/// counts as unchanged (saving puts the text back; nothing of another program's is lost).
/// `now`, when given, receives the file's current stamp (unknown when unchanged or gone).
bool changedOnDisk(const QString& path, const DiskStamp& known, DiskStamp* now = nullptr);

} // namespace vellum
