#include "core/app/document_file.h"

#include "core/foundation/line_breaks.h"

#include <QDir>
#include <QFile>

namespace vellum {

bool loadDocumentFile(const QString& path, LoadedDocument& out, QString& error,
                      DeclaredCharsets declared) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open %1: %2.").arg(shown, file.errorString());
        return false;
    }
    if (file.size() > MaxDocumentBytes) {
        error = QStringLiteral("%1 is larger than 512 MB; it was not opened.").arg(shown);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read %1: %2.").arg(shown, file.errorString());
        return false;
    }
    if (bytes.contains('\0')) {
        error = QStringLiteral("%1 holds NUL bytes and is not a text file; it was not opened.")
                    .arg(shown);
        return false;
    }
    LineBreakKinds kinds;
    out.text = decodeDocument(bytes, out.format, &kinds, declared);
    // The editor takes these for paragraph ends: the file would come back with line breaks.
    for (const char16_t c : {u'\u2029', u'\uFDD0', u'\uFDD1'}) {
        if (out.text.contains(QChar(c))) {
            const QString code = QString::number(static_cast<int>(c), 16).toUpper();
            error =
                QStringLiteral(
                    "%1 holds the character U+%2, which the editor cannot keep; it was not opened.")
                    .arg(shown, code);
            return false;
        }
    }
    // Valid UTF-8 comes back byte for byte when its line breaks are all of one kind; anything
    // else is compared by encoding it again.
    bool same = false;
    if (out.format.encoding == FileFormat::Encoding::Utf8) {
        same = kinds.uniform();
    } else {
        FileFormat again = out.format;
        same = encodeDocument(out.text, again) == bytes;
    }
    out.original = same ? QByteArray() : bytes;
    out.stamp = DiskStamp::of(path, bytes);
    return true;
}

} // namespace vellum
