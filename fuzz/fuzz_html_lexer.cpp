// Any text lexed paragraph by paragraph, each paragraph starting in the state the one before it
// ended in, as the editor colours a document: every span lies inside its paragraph, in order,
// merged and of a colouring kind; the caller's spans are left alone; every state returned is one
// the next paragraph can start in; the same paragraph from the same state lexes the same; and a
// paragraph break lexes like a space, so the paragraphs colour as the whole text joined by spaces.
#include "core/editor/html_lexer.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using vellum::html::Kind;
using vellum::html::Span;
using vellum::html::State;

void check(bool ok) {
    if (!ok)
        std::abort();
}

// The first byte chooses how the rest becomes text: one character per byte (markup is ASCII, so
// this reaches the most of it), or UTF-16 code units, unpaired surrogates included.
QString textOf(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);
    if (data[0] % 2 == 0)
        return QString::fromLatin1(bytes, length);
    QString text;
    text.reserve(length / 2);
    for (qsizetype i = 0; i + 1 < length; i += 2)
        text += QChar(static_cast<char16_t>(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return text;
}

// The kind of each character of a paragraph ('\0' for plain text), after checking the spans
// appended behind the caller's own span.
std::u16string kindsOf(QStringView line, const std::vector<Span>& spans) {
    check(!spans.empty() && spans.front().start == -4 && spans.front().length == 4 &&
          spans.front().kind == Kind::Tag);
    std::u16string kinds(static_cast<std::size_t>(line.size()), u'\0');
    int end = 0;
    for (std::size_t i = 1; i < spans.size(); ++i) {
        const Span& s = spans[i];
        check(s.start >= end && s.length > 0 && s.start + s.length <= line.size());
        check(s.kind != Kind::Text && s.kind <= Kind::Style);
        check(i == 1 || s.start != end || s.kind != spans[i - 1].kind);
        for (int k = s.start; k < s.start + s.length; ++k)
            kinds[static_cast<std::size_t>(k)] = static_cast<char16_t>(s.kind);
        end = s.start + s.length;
    }
    return kinds;
}

// Lexes one paragraph from `in` behind a span of the caller's that ends where it starts; returns
// the kind of each character and sets `out` to the state at its end.
std::u16string lexed(QStringView line, State in, State& out) {
    std::vector<Span> spans{Span{-4, 4, Kind::Tag}};
    out = vellum::html::lexLine(line, in, spans);
    check(out >= 0 && out < vellum::html::StateCount);
    return kindsOf(line, spans);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    QString text = textOf(data, size);
    // The editor's paragraphs: its document keeps no line break inside one.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QStringList paragraphs = text.split(QLatin1Char('\n'));

    State state = 0;
    std::u16string byParagraphs;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        State end = 0;
        const std::u16string kinds = lexed(paragraphs[i], state, end);
        State again = 0;
        check(lexed(paragraphs[i], state, again) == kinds && again == end);
        if (i > 0)
            byParagraphs += u'\0'; // the break, which no paragraph colours
        byParagraphs += kinds;
        state = end;
    }

    State joinedEnd = 0;
    const QString joined = paragraphs.join(QLatin1Char(' '));
    std::u16string whole = lexed(joined, 0, joinedEnd);
    // A space between paragraphs may be coloured as part of a construct that runs over it; the
    // paragraphs cannot colour their breaks, so those characters are compared as plain text.
    qsizetype at = 0;
    for (qsizetype i = 0; i + 1 < paragraphs.size(); ++i) {
        at += paragraphs[i].size();
        whole[static_cast<std::size_t>(at)] = u'\0';
        ++at;
    }
    check(whole == byParagraphs);
    check(joinedEnd == state);
    return 0;
}
