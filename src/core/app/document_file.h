#pragma once

#include <QByteArray>
#include <QString>

namespace vellum {

struct LineBreakKinds;

/// How a document's text is stored on disk.
struct FileFormat {
    /// Declared: the charset the file names in its own <meta> declaration, held in `charset`.
    enum class Encoding { Utf8, Windows1252, Declared };
    Encoding encoding = Encoding::Utf8;
    bool bom = false;
    /// The line break written for each CR LF of the text: "\r\n", "\n" or "\r".
    QString lineBreak = QStringLiteral("\n");
    /// For Declared: the charset's standard name ("ISO-8859-2", "KOI8-R", "Shift_JIS").
    QByteArray charset = {};
};

/// The name of the format's encoding as the user is shown it: "UTF-8", "Windows-1252" or the
/// declared charset's name.
QString encodingName(const FileFormat& format);

/// Whether a file that is not valid UTF-8, or is all ASCII, is read in the charset it declares
/// for itself.
enum class DeclaredCharsets {
    Ignore, ///< not valid UTF-8: always Windows-1252; all ASCII: UTF-8
    Follow, ///< the declared charset when it can read every byte, else as Ignore
};

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

/// The text from bytes, as loadDocumentFile decodes them (format detected into `format`).
QString decodeDocument(const QByteArray& bytes, FileFormat& format);
/// As above, also telling which kinds of line break the file had.
QString decodeDocument(const QByteArray& bytes, FileFormat& format, LineBreakKinds* kinds,
                       DeclaredCharsets declared = DeclaredCharsets::Ignore);

/// The bytes for `text` (CR LF breaks) in `format`. When a character cannot be written in the
/// format's encoding, `format` is switched to UTF-8 and `*switched` set, so nothing is lost.
QByteArray encodeDocument(const QString& text, FileFormat& format, bool* switched = nullptr);

/// How the charset a file's bytes declare stands against the encoding they are written in.
struct CharsetMismatch {
    enum class Kind {
        None,         ///< they agree, or the bytes are all ASCII and read alike in either
        NamesAnother, ///< the declaration names another charset, `declared`
        Undeclared,   ///< a Declared file that no longer declares a charset that can be read
    };
    Kind kind = Kind::None;
    QString declared; ///< for NamesAnother: the name shown for the declared charset
};

/// Compares the declaration in `bytes` with `format`, the format they were written in. A
/// declaration naming a charset that cannot be read counts as none. Nothing is changed.
CharsetMismatch charsetMismatch(const QByteArray& bytes, const FileFormat& format);

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
