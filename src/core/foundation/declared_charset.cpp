#include "core/foundation/declared_charset.h"

#include <QByteArrayView>
#include <QStringEncoder>

#include <algorithm>

namespace vellum {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLetter(char c) {
    return lower(c) >= 'a' && lower(c) <= 'z';
}

// `text` equals `word` (given in lower case) in any letter case.
bool sameWord(QByteArrayView text, QByteArrayView word) {
    return text.size() == word.size() && std::equal(text.begin(), text.end(), word.begin(),
                                                    [](char a, char b) { return lower(a) == b; });
}

// Where `word` (given in lower case) starts in `text` at or after `from`, in any letter case; -1
// when nowhere.
qsizetype findWord(QByteArrayView text, QByteArrayView word, qsizetype from) {
    for (qsizetype at = from; at + word.size() <= text.size(); ++at) {
        if (sameWord(text.sliced(at, word.size()), word))
            return at;
    }
    return -1;
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isSpace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isSpace(text.back()))
        text.chop(1);
    return text;
}

struct Attribute {
    QByteArrayView name;
    QByteArrayView value;
};

enum class Step { Attribute, TagEnd, HeadEnd };

// Reads the attribute of a tag that starts at `at`, the way a browser reads a page's head before
// it knows the charset. TagEnd leaves `at` after the closing '>'; HeadEnd means the tag runs past
// what was scanned, so it is incomplete.
Step nextAttribute(QByteArrayView head, qsizetype& at, Attribute& out) {
    const qsizetype n = head.size();
    while (at < n && (isSpace(head[at]) || head[at] == '/'))
        ++at;
    if (at >= n)
        return Step::HeadEnd;
    if (head[at] == '>') {
        ++at;
        return Step::TagEnd;
    }
    const qsizetype nameStart = at++;
    while (at < n && head[at] != '=' && head[at] != '>' && head[at] != '/' && !isSpace(head[at]))
        ++at;
    out = {head.sliced(nameStart, at - nameStart), {}};
    qsizetype look = at;
    while (look < n && isSpace(head[look]))
        ++look;
    if (look >= n)
        return Step::HeadEnd;
    if (head[look] != '=')
        return Step::Attribute;
    at = look + 1;
    while (at < n && isSpace(head[at]))
        ++at;
    if (at >= n)
        return Step::HeadEnd;
    const char quote = head[at];
    if (quote == '"' || quote == '\'') {
        const qsizetype close = head.indexOf(quote, at + 1);
        if (close < 0)
            return Step::HeadEnd;
        out.value = head.sliced(at + 1, close - at - 1);
        at = close + 1;
        return Step::Attribute;
    }
    const qsizetype valueStart = at;
    while (at < n && head[at] != '>' && !isSpace(head[at]))
        ++at;
    out.value = head.sliced(valueStart, at - valueStart);
    return at < n ? Step::Attribute : Step::HeadEnd;
}

// The charset in a Content-Type value such as "text/html; charset=koi8-r"; empty when none.
QByteArrayView charsetInContent(QByteArrayView content) {
    constexpr QByteArrayView Word("charset");
    for (qsizetype at = findWord(content, Word, 0); at >= 0; at = findWord(content, Word, at)) {
        at += Word.size();
        while (at < content.size() && isSpace(content[at]))
            ++at;
        // "charset" not followed by '=' is some other word: look further on.
        if (at >= content.size() || content[at] != '=')
            continue;
        ++at;
        while (at < content.size() && isSpace(content[at]))
            ++at;
        if (at >= content.size())
            return {};
        const char quote = content[at];
        if (quote == '"' || quote == '\'') {
            const qsizetype close = content.indexOf(quote, at + 1);
            return close < 0 ? QByteArrayView() : content.sliced(at + 1, close - at - 1);
        }
        qsizetype end = at;
        while (end < content.size() && content[end] != ';' && !isSpace(content[end]))
            ++end;
        return content.sliced(at, end - at);
    }
    return {};
}

// The charset a <meta> tag's attributes declare; empty when they declare none. Of an attribute
// given twice, the first counts.
class MetaTag {
public:
    void add(const Attribute& attribute) {
        for (Slot& slot : m_slots) {
            if (!slot.seen && sameWord(attribute.name, slot.name)) {
                slot.seen = true;
                slot.value = attribute.value;
            }
        }
    }
    QByteArrayView charset() const {
        if (m_slots[0].seen)
            return trimmed(m_slots[0].value);
        if (m_slots[1].seen && m_slots[2].seen &&
            sameWord(trimmed(m_slots[1].value), "content-type"))
            return trimmed(charsetInContent(m_slots[2].value));
        return {};
    }

private:
    struct Slot {
        QByteArrayView name;
        QByteArrayView value;
        bool seen = false;
    };
    Slot m_slots[3] = {{"charset", {}}, {"http-equiv", {}}, {"content", {}}};
};

} // namespace

QByteArray declaredCharset(const QByteArray& bytes) {
    const QByteArrayView head =
        QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), CharsetScanBytes));
    const qsizetype n = head.size();
    for (qsizetype at = head.indexOf('<'); at >= 0; at = head.indexOf('<', at)) {
        const QByteArrayView rest = head.sliced(at);
        if (rest.startsWith("<!--")) {
            // A declaration inside a comment is no declaration; "<!-->" already ends one.
            const qsizetype end = head.indexOf("-->", at + 2);
            if (end < 0)
                return {};
            at = end + 3;
            continue;
        }
        const bool endTag = rest.startsWith("</");
        qsizetype nameEnd = at + (endTag ? 2 : 1);
        if (nameEnd < n && isLetter(head[nameEnd])) {
            // Every tag's attributes are read, so that a "<meta" inside a quoted value of
            // another tag is not taken for a tag.
            const qsizetype nameStart = nameEnd;
            while (nameEnd < n && head[nameEnd] != '/' && head[nameEnd] != '>' &&
                   !isSpace(head[nameEnd]))
                ++nameEnd;
            const bool meta = !endTag && sameWord(head.sliced(nameStart, nameEnd - nameStart),
                                                  QByteArrayView("meta"));
            MetaTag tag;
            Attribute attribute;
            at = nameEnd;
            Step step;
            while ((step = nextAttribute(head, at, attribute)) == Step::Attribute)
                tag.add(attribute);
            if (step == Step::HeadEnd)
                return {};
            const QByteArrayView charset = meta ? tag.charset() : QByteArrayView();
            if (!charset.isEmpty())
                return charset.toByteArray();
            continue;
        }
        if (rest.startsWith("<!") || rest.startsWith("</") || rest.startsWith("<?")) {
            const qsizetype end = head.indexOf('>', at);
            if (end < 0)
                return {};
            at = end + 1;
            continue;
        }
        ++at;
    }
    return {};
}

CharsetKind charsetKind(const QByteArray& name, QByteArray* canonical) {
    if (name.isEmpty())
        return CharsetKind::Unusable;
    QStringEncoder encoder(name.constData());
    if (!encoder.isValid())
        return CharsetKind::Unusable;
    // The declaration was found by reading the bytes as ASCII: a charset that writes ASCII
    // differently (UTF-16, UTF-7, EBCDIC) cannot be the one the file was written in.
    static const QByteArray Ascii = [] {
        QByteArray all("\t\n\r");
        for (char c = ' '; c < 0x7F; ++c)
            all += c;
        return all;
    }();
    const QByteArray written = encoder.encode(QString::fromLatin1(Ascii));
    if (encoder.hasError() || written != Ascii)
        return CharsetKind::Unusable;
    const QByteArrayView standard(encoder.name());
    if (canonical)
        *canonical = standard.toByteArray();
    if (standard == "UTF-8")
        return CharsetKind::Utf8;
    // Pages labelled Latin-1 or ASCII are read as Windows-1252 by browsers too; its own decoder
    // keeps every byte, where the stricter converters would refuse the undefined ones.
    if (standard == "windows-1252" || standard == "ISO-8859-1" || standard == "US-ASCII")
        return CharsetKind::Windows1252;
    return CharsetKind::Other;
}

} // namespace vellum
