#include "core/foundation/text_codec.h"

#include "core/foundation/char_scan.h"
#include "core/foundation/declared_charset.h"
#include "core/foundation/line_breaks.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

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

// Characters to keep free behind a decoded text whose lines end in LF alone, as its first one
// does: each line feed becomes a CR LF, and with the room the text is widened where it is instead
// of copied (which for a large file held the text twice).
qsizetype roomToWidenBreaks(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return 0;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* at = static_cast<const char*>(std::memchr(begin, '\n', bytes.size()));
    if (!at || (at > begin && at[-1] == '\r'))
        return 0;
    qsizetype feeds = 0;
    for (; at; at = static_cast<const char*>(std::memchr(at + 1, '\n', end - at - 1)))
        ++feeds;
    return feeds;
}

// Below this a second thread costs more than it saves.
constexpr qsizetype ParallelUtf8Bytes = 4 << 20;

constexpr auto Utf8Flags =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

// `bytes` read as UTF-8, `valid` false when they are not UTF-8 (a sequence cut off at the end
// included), with room behind the text to widen its line breaks. A large text is read as two
// halves at once, the second from a character's first byte, so that each half is valid exactly
// when its part of the whole is.
QString decodeUtf8(QByteArrayView bytes, bool* valid) {
    const bool halves =
        bytes.size() >= ParallelUtf8Bytes && std::thread::hardware_concurrency() >= 2;
    qsizetype split = halves ? bytes.size() / 2 : bytes.size();
    // A character has at most three bytes after its first; more is not UTF-8, and the second half
    // then starts with a stray byte that its decoder reports.
    for (int back = 0;
         halves && back < 3 && (static_cast<unsigned char>(bytes[split]) & 0xC0) == 0x80; ++back)
        --split;
    // Neither half's text is longer than its bytes; the second is written a little further on,
    // so that nothing the first writes can reach it, and moved down after.
    constexpr qsizetype Gap = 64;
    QString text(bytes.size() + Gap + roomToWidenBreaks(bytes), Qt::Uninitialized);
    QChar* const begin = text.data();
    QChar* const secondBegin = begin + split + Gap;
    QStringDecoder second(QStringDecoder::Utf8, Utf8Flags);
    QChar* secondEnd = secondBegin;
    std::thread worker;
    if (halves)
        worker = std::thread(
            [&] { secondEnd = second.appendToBuffer(secondBegin, bytes.sliced(split)); });
    QStringDecoder first(QStringDecoder::Utf8, Utf8Flags);
    QChar* const firstEnd = first.appendToBuffer(begin, bytes.first(split));
    if (worker.joinable())
        worker.join();
    *valid = !first.hasError() && !second.hasError();
    const qsizetype secondSize = secondEnd - secondBegin;
    std::memmove(firstEnd, secondBegin, static_cast<std::size_t>(secondSize) * sizeof(QChar));
    text.truncate((firstEnd - begin) + secondSize);
    return text;
}

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
QString withFirstLineBreak(QString&& raw, FileFormat& format, LineBreakKinds* kinds) {
    const QStringView all(raw);
    const qsizetype first = indexOfAnyOf(all, 0, u"\r\n");
    if (first >= 0 && all[first] == u'\n')
        format.lineBreak = QStringLiteral("\n");
    else if (first >= 0)
        format.lineBreak =
            all.sliced(first).startsWith(u"\r\n") ? QStringLiteral("\r\n") : QStringLiteral("\r");
    return normalizeLineBreaks(std::move(raw), kinds);
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
    QByteArrayView body = bytes;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        format.bom = true;
        body = body.sliced(3);
    }
    // The mark is already taken off; a second one is text and must not be skipped as well.
    bool valid = false;
    QString raw = decodeUtf8(body, &valid);
    // A sequence cut off at the end is an error too: decoding it anyway would drop bytes.
    if (valid) {
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
    return withFirstLineBreak(std::move(raw), format, kinds);
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

} // namespace vellum
