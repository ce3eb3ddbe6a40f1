#pragma once

#include <QByteArray>
#include <QString>

namespace vellum {

/// How a document's text is stored on disk.
struct FileFormat {
    enum class Encoding { Utf8, Windows1252 };
    Encoding encoding = Encoding::Utf8;
    bool bom = false;
    /// The line break written for each CR LF of the text: "\r\n", "\n" or "\r".
    QString lineBreak = QStringLiteral("\n");
};

/// A document as read from disk.
struct LoadedDocument {
    QString text; ///< with CR LF line breaks
    FileFormat format;
    /// The file's bytes when writing `text` back in `format` would not give them again (mixed line
    /// breaks); saving an unchanged text writes these.
    QByteArray original;
};

/// Files larger than this are refused rather than cut short.
inline constexpr qint64 MaxDocumentBytes = qint64(512) * 1024 * 1024;

/// Reads a document: UTF-8 (a byte-order mark is remembered) or, when the bytes are not valid
/// UTF-8, Windows-1252; CR LF, LF or CR line breaks, all made CR LF. A file holding NUL bytes or
/// larger than MaxDocumentBytes is refused. Returns false with `error` naming the file on failure.
bool loadDocumentFile(const QString& path, LoadedDocument& out, QString& error);

/// The text from bytes, as loadDocumentFile decodes them (format detected into `format`).
QString decodeDocument(const QByteArray& bytes, FileFormat& format);

/// The bytes for `text` (CR LF breaks) in `format`. When a character cannot be written in the
/// format's encoding, `format` is switched to UTF-8 and `*switched` set, so nothing is lost.
QByteArray encodeDocument(const QString& text, FileFormat& format, bool* switched = nullptr);

/// Replaces the file atomically with `bytes`: a temporary file in the same folder, every write
/// checked, flushed to disk, then renamed over the target. Symbolic links are followed and the
/// target's permission bits kept. A file without write permission is refused. A write beyond the
/// file-size limit fails here only while SIGXFSZ is ignored, as the program does from its start. On
/// failure the old file is left byte for byte as it was, no temporary file remains, and `error`
/// names the file.
bool saveDocumentFile(const QString& path, const QByteArray& bytes, QString& error);

} // namespace vellum
