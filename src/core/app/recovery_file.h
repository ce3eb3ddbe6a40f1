#pragma once

#include "core/app/document_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace vellum {

/// What a recovery file keeps of one modified document: enough to open it again as it was, under
/// its own name and in its own file format, after the program ended without saving it.
struct RecoveryRecord {
    /// The document's file path, or its caption ("Untitled 3") when it is untitled.
    QString name;
    bool untitled = false;
    /// How the document's file is stored: Save writes the recovered text in it.
    FileFormat format;
    /// The file as the program last read or wrote it, so that a change made meanwhile by another
    /// program is noticed after the document is recovered.
    DiskStamp stamp;
    /// When the text was taken (UTC).
    QDateTime written;
    /// The document's text, with CR LF line breaks.
    QString text;
};

/// The bytes of a recovery file: a header of "key=value" lines (the name, the file format, the
/// time, the body's length and a checksum over header and body), an empty line, then the text as
/// UTF-8.
QByteArray encodeRecovery(const RecoveryRecord& record);

/// The record in a recovery file's bytes, or nothing when they are not a complete recovery file:
/// cut short, damaged, or of an unknown kind.
std::optional<RecoveryRecord> decodeRecovery(const QByteArray& bytes);

/// Writes a recovery file atomically: a temporary file beside it (its name starts with a dot),
/// every write checked, flushed to disk, then renamed over `path`. Readable by its owner only. On
/// failure nothing is left but what was at `path` before, and `error` names the file. Safe to call
/// from any thread.
bool writeRecoveryFile(const QString& path, const RecoveryRecord& record, QString& error);

/// The record in the recovery file at `path`, or nothing when it is missing, not complete, or not
/// a plain file (a link there is not followed).
std::optional<RecoveryRecord> readRecoveryFile(const QString& path);

} // namespace vellum
