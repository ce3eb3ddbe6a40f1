#pragma once

#include "core/foundation/disk_stamp.h"

#include <QByteArray>
#include <QString>

namespace vellum {

/// Replaces the file atomically with `bytes`: a temporary file in the same folder, every write
/// checked, flushed to disk, then renamed over the target. Symbolic links are followed and the
/// target's permission bits kept. A file without write permission is refused. A write beyond the
/// file-size limit fails here only while SIGXFSZ is ignored, as the program does from its start. On
/// failure the old file is left byte for byte as it was, no temporary file remains, and `error`
/// names the file. On success `written`, when given, describes the new file.
bool saveDocumentFile(const QString& path, const QByteArray& bytes, QString& error,
                      DiskStamp* written = nullptr);

/// Replaces whatever is at `path` with a new regular file holding `bytes`, atomically: a temporary
/// file in the same folder renamed over the name. A symbolic link at `path` is replaced itself,
/// never followed, so its target is left untouched. For files the program owns, such as the
/// preview file, where someone else may have planted a link. Returns false with `error` naming the
/// file on failure; no temporary file remains then.
struct ReplaceOptions {
    /// Readable by its owner only, as a file of the user's unsaved text must be; otherwise as the
    /// user's file-creation mask says.
    bool ownerOnly = false;
    /// On the disk before it takes the name, so that even a system crash leaves the old file or
    /// the whole new one.
    bool flushed = false;
};
bool replaceFileNoFollow(const QString& path, const QByteArray& bytes, QString& error,
                         ReplaceOptions options = {});

} // namespace vellum
