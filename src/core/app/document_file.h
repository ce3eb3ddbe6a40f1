#pragma once

#include "core/foundation/atomic_file.h"
#include "core/foundation/disk_stamp.h"
#include "core/foundation/text_codec.h"

#include <QByteArray>
#include <QString>

namespace vellum {

/// A document as read from disk.
struct LoadedDocument {
    QString text; ///< with CR LF line breaks
    FileFormat format;
    /// The file's bytes when writing `text` back in `format` would not give them again (mixed line
    /// breaks); saving an unchanged text writes these.
    QByteArray original;
    /// The file as it was read.
    DiskStamp stamp;
};

/// Files larger than this are refused rather than cut short.
inline constexpr qint64 MaxDocumentBytes = qint64(512) * 1024 * 1024;

/// Reads a document: UTF-8 (a byte-order mark is remembered) or, when the bytes are not valid
/// UTF-8, the charset the file declares (when `declared` says to follow it and that charset
/// reads every byte and writes them back unchanged), else Windows-1252. Bytes that are all ASCII
/// are read in the charset they declare when `declared` says to follow it, so that what is typed
/// into them later is saved in it. CR LF, LF or CR line breaks, all made CR LF. A file holding
/// NUL bytes or larger than MaxDocumentBytes is refused.
/// Returns false with `error` naming the file on failure.
bool loadDocumentFile(const QString& path, LoadedDocument& out, QString& error,
                      DeclaredCharsets declared = DeclaredCharsets::Ignore);

} // namespace vellum
