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

} // namespace vellum
