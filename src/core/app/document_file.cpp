#include "core/app/document_file.h"

#include "core/foundation/char_scan.h"
#include "core/foundation/line_breaks.h"

#include <QDir>
#include <QFile>

#include <future>

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
    // A large file's hash is worked out beside its decoding.
    constexpr qsizetype HashBesideBytes = 1 << 20;
    std::future<quint64> hash;
    if (bytes.size() >= HashBesideBytes)
        hash = std::async(std::launch::async, [&bytes] { return DiskStamp::hashOf(bytes); });
    LineBreakKinds kinds;
    out.text = decodeDocument(bytes, out.format, &kinds, declared);
    // The editor takes these for paragraph ends: the file would come back with line breaks.
    const qsizetype held = indexOfAnyOf(out.text, 0, u"\u2029\uFDD0\uFDD1");
    if (held >= 0) {
        const QString code = QString::number(out.text.at(held).unicode(), 16).toUpper();
        error = QStringLiteral(
                    "%1 holds the character U+%2, which the editor cannot keep; it was not opened.")
                    .arg(shown, code);
        return false;
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
    out.stamp = hash.valid() ? DiskStamp::ofHashed(path, hash.get()) : DiskStamp::of(path, bytes);
    return true;
}

} // namespace vellum
