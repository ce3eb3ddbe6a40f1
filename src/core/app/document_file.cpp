#include "core/app/document_file.h"

#include "core/app/declared_charset.h"
#include "core/editor/line_breaks.h"
#include "core/editor/text_control.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control of the same number, so every byte reads and writes back unchanged.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

bool encode1252(const QString& text, QByteArray& out) {
    out.resize(text.size());
    char* dst = out.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *dst++ = static_cast<char>(u);
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (Cp1252High[i] == u) {
                found = i;
                break;
            }
        }
        if (found < 0)
            return false;
        *dst++ = static_cast<char>(0x80 + found);
    }
    return true;
}

QString describe(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString saveError(const QString& path, const QString& why) {
    return QStringLiteral("Cannot save %1: %2.").arg(QDir::toNativeSeparators(path), why);
}

// Writes all of `bytes`, going on after short writes; false with errno set on failure.
bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(std::min<qint64>(left, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

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
    stamp.hash = hashOf(bytes);
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

namespace {

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The bytes read in the charset they declare, into `raw`, with `format` naming it. False, with
// nothing changed, when there is no usable declaration, or when the charset cannot read every
// byte or would not write them back the same: saving the text would then change the file.
bool decodeDeclared(const QByteArray& bytes, FileFormat& format, QString& raw) {
    QByteArray charset;
    const CharsetKind kind = charsetKind(declaredCharset(bytes), &charset);
    if (kind == CharsetKind::Windows1252) {
        format.encoding = FileFormat::Encoding::Windows1252;
        raw = decode1252(bytes);
        return true;
    }
    if (kind != CharsetKind::Other)
        return false;
    QStringDecoder decoder(charset.constData(), QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    QStringEncoder encoder(charset.constData(), QStringEncoder::Flag::Stateless);
    const QByteArray again = encoder.encode(text);
    if (encoder.hasError() || again != bytes)
        return false;
    format.encoding = FileFormat::Encoding::Declared;
    format.charset = charset;
    raw = std::move(text);
    return true;
}

// `text` in the declared charset of `format`; false when a character cannot be written in it.
// The bytes are read back as well: a converter that writes a look-alike for a character it
// lacks reports no error, and the file would silently hold another text.
bool encodeDeclared(const QString& text, const FileFormat& format, QByteArray& out) {
    QStringEncoder encoder(format.charset.constData(), QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder(format.charset.constData(), QStringDecoder::Flag::Stateless);
    const QString back = decoder.decode(out);
    return !decoder.hasError() && back == text;
}

// The text with its line breaks made CR LF; the format takes the kind of the first one.
QString withFirstLineBreak(const QString& raw, FileFormat& format, LineBreakKinds* kinds) {
    const QChar* const chars = raw.constData();
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (chars[i] == QLatin1Char('\n')) {
            format.lineBreak = QStringLiteral("\n");
            break;
        }
        if (chars[i] == QLatin1Char('\r')) {
            const bool crLf = i + 1 < n && chars[i + 1] == QLatin1Char('\n');
            format.lineBreak = crLf ? QStringLiteral("\r\n") : QStringLiteral("\r");
            break;
        }
    }
    return normalizeLineBreaks(raw, kinds);
}

} // namespace

QString encodingName(const FileFormat& format) {
    switch (format.encoding) {
    case FileFormat::Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case FileFormat::Encoding::Windows1252:
        return QStringLiteral("Windows-1252");
    case FileFormat::Encoding::Declared:
        break;
    }
    return QString::fromLatin1(format.charset);
}

QString decodeDocument(const QByteArray& bytes, FileFormat& format) {
    return decodeDocument(bytes, format, nullptr);
}

QString decodeDocument(const QByteArray& bytes, FileFormat& format, LineBreakKinds* kinds,
                       DeclaredCharsets declared) {
    format = FileFormat{};
    QByteArray body = bytes;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        format.bom = true;
        body = bytes.mid(3);
    }
    // The mark is already taken off; a second one is text and must not be skipped as well.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString raw = utf8.decode(body);
    // A sequence cut off at the end is an error too: decoding it anyway would drop bytes.
    if (!utf8.hasError()) {
        // ASCII reads alike in UTF-8 and in every charset a usable declaration names; the page's
        // declaration decides what the first other character typed into it is saved in.
        if (declared == DeclaredCharsets::Follow && !format.bom && isAscii(bytes))
            decodeDeclared(bytes, format, raw);
    } else {
        format.bom = false;
        if (declared == DeclaredCharsets::Ignore || !decodeDeclared(bytes, format, raw)) {
            format.encoding = FileFormat::Encoding::Windows1252;
            raw = decode1252(bytes);
        }
    }
    return withFirstLineBreak(raw, format, kinds);
}

QByteArray encodeDocument(const QString& text, FileFormat& format, bool* switched) {
    if (switched)
        *switched = false;
    const QString stored = withLineBreak(text, format.lineBreak);
    if (format.encoding != FileFormat::Encoding::Utf8) {
        QByteArray bytes;
        const bool fits = format.encoding == FileFormat::Encoding::Windows1252
                              ? encode1252(stored, bytes)
                              : encodeDeclared(stored, format, bytes);
        if (fits)
            return bytes;
        format.encoding = FileFormat::Encoding::Utf8;
        format.charset.clear();
        format.bom = false;
        if (switched)
            *switched = true;
    }
    QByteArray bytes = stored.toUtf8();
    if (format.bom)
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

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

CharsetMismatch charsetMismatch(const QByteArray& bytes, const FileFormat& format) {
    using Kind = CharsetMismatch::Kind;
    QByteArray charset;
    const CharsetKind kind = charsetKind(declaredCharset(bytes), &charset);
    bool agrees = false;
    switch (format.encoding) {
    case FileFormat::Encoding::Utf8:
        agrees = kind == CharsetKind::Unusable || kind == CharsetKind::Utf8;
        break;
    case FileFormat::Encoding::Windows1252:
        agrees = kind == CharsetKind::Unusable || kind == CharsetKind::Windows1252;
        break;
    case FileFormat::Encoding::Declared:
        agrees = kind == CharsetKind::Other && charset == format.charset;
        break;
    }
    // Bytes below 0x80 read the same in every charset a usable declaration can name.
    if (agrees || isAscii(bytes))
        return {};
    if (kind == CharsetKind::Unusable)
        return {Kind::Undeclared, QString()};
    return {Kind::NamesAnother, QString::fromLatin1(charset)};
}

bool saveDocumentFile(const QString& path, const QByteArray& bytes, QString& error,
                      DiskStamp* written) {
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    const QByteArray targetName = QFile::encodeName(target);

    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    mode_t mode = 0666;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) {
            error = saveError(path, QStringLiteral("it is not a regular file"));
            return false;
        }
        if (!(existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
            error = saveError(path, QStringLiteral("the file is read-only"));
            return false;
        }
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const QFileInfo targetInfo(target);
    QByteArray temp = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.") +
                                        targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = saveError(path, describe(errno));
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 || errno == EPERM;
    ok = ok && writeAll(fd, bytes);
    ok = ok && ::fsync(fd) == 0;
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temp.constData(), targetName.constData()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = saveError(path, describe(failure));
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir =
        ::open(QFile::encodeName(targetInfo.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    if (written)
        *written = DiskStamp::of(target, bytes);
    return true;
}

bool replaceFileNoFollow(const QString& path, const QByteArray& bytes, QString& error,
                         ReplaceOptions options) {
    const QFileInfo info(path);
    QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                        info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    const auto fail = [&](int why) {
        error = QStringLiteral("Cannot write %1: %2.")
                    .arg(QDir::toNativeSeparators(path), describe(why));
        return false;
    };
    if (fd < 0)
        return fail(errno);
    // mkstemp makes the file its owner's alone.
    bool ok = true;
    if (!options.ownerOnly) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::fchmod(fd, 0666 & ~mask) == 0;
    }
    ok = ok && writeAll(fd, bytes) && (!options.flushed || ::fsync(fd) == 0);
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    // rename() replaces the name itself: a link there is swapped out, not written through.
    if (ok && ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return fail(failure);
    }
    return true;
}

} // namespace vellum
