#include "core/editor/spelling_words.h"

#include "core/editor/start_tag.h"

#include <algorithm>
#include <array>

namespace vellum {

namespace {

// Stands in the prose for a letter an entity writes: a word holding it is not checked.
constexpr char16_t UnknownLetter = u'\uFFFC';
constexpr char16_t Separator = u' ';
constexpr int MaxLanguageSearch = 65536;

// Elements a browser runs on inside a line: a word is the same word across their tags.
bool isInline(QStringView name) {
    static constexpr std::array<const char16_t*, 27> names = {
        u"a",    u"abbr",  u"b",    u"big",    u"bdi",    u"bdo", u"cite", u"code", u"del",
        u"dfn",  u"em",    u"font", u"i",      u"ins",    u"kbd", u"mark", u"q",    u"s",
        u"samp", u"small", u"span", u"strike", u"strong", u"sub", u"sup",  u"u",    u"var"};
    // Most tags of a page are none of these: their first letter or their length says so.
    if (name.isEmpty() || name.size() > 6)
        return false;
    const char16_t first = name[0].toLower().unicode();
    return std::any_of(names.begin(), names.end(), [&](const char16_t* known) {
        return known[0] == first && name.compare(QStringView(known), Qt::CaseInsensitive) == 0;
    });
}

bool isApostrophe(QChar c) {
    return c == u'\'' || c == u'\u2019';
}
bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c.isMark() || c == UnknownLetter;
}

// What an entity stands for in the prose: the character of a numeric one, spacing or an
// apostrophe for the common punctuation, and otherwise an unknown letter.
QChar entityCharacter(QStringView entity) {
    const QStringView body = entity.mid(1, entity.size() - 2);
    if (body.startsWith(u'#')) {
        bool ok = false;
        const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
        const uint code = body.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code < 0x10000)
            return QChar(static_cast<char16_t>(code));
        return UnknownLetter;
    }
    static constexpr std::array<const char16_t*, 20> spacing = {
        u"nbsp",  u"ensp",  u"emsp",  u"thinsp", u"amp",    u"lt",  u"gt",
        u"quot",  u"mdash", u"ndash", u"hellip", u"copy",   u"reg", u"trade",
        u"laquo", u"raquo", u"ldquo", u"rdquo",  u"middot", u"bull"};
    if (body == u"apos" || body == u"rsquo" || body == u"lsquo")
        return QChar(u'\'');
    for (const char16_t* name : spacing) {
        if (body == QStringView(name))
            return QChar(Separator);
    }
    return UnknownLetter;
}

// The prose of a paragraph as a reader sees it, each character with the place it came from
// (-1 for what stands between words).
class Prose {
public:
    explicit Prose(QStringView paragraph) : m_paragraph(paragraph) {
        m_text.reserve(paragraph.size());
        m_origin.reserve(static_cast<std::size_t>(paragraph.size()));
    }

    void take(int start, int end) {
        for (int i = start; i < end; ++i)
            add(m_paragraph[i], i, i + 1);
    }
    /// `c` stands for the characters from `from` to `to` (an entity stands for one).
    void add(QChar c, int from, int to) {
        m_text.append(c);
        m_origin.push_back({from, to});
    }
    void separate() {
        if (m_text.isEmpty() || m_text.back() != Separator)
            add(QChar(Separator), -1, -1);
    }
    const QString& text() const { return m_text; }
    const WordPiece& origin(int i) const { return m_origin[static_cast<std::size_t>(i)]; }

private:
    QStringView m_paragraph;
    QString m_text;
    std::vector<WordPiece> m_origin; // start and end, in `start` and `length`
};

// Walks the lexer's spans and the text between them.
Prose proseOf(QStringView paragraph, const std::vector<html::Span>& spans) {
    Prose prose(paragraph);
    bool inTag = false;
    bool transparent = false; // the tag being read is an inline element's
    bool proseValue = false;  // the value being read is an alt or title
    QStringView attribute;
    int at = 0;
    const auto gap = [&](int end) {
        if (at >= end)
            return;
        // Between the parts of a tag stand only spaces and "=".
        if (!inTag)
            prose.take(at, end);
        else if (!transparent)
            prose.separate();
    };
    for (const html::Span& span : spans) {
        gap(span.start);
        const QStringView text = paragraph.mid(span.start, span.length);
        at = span.start + span.length;
        switch (span.kind) {
        case html::Kind::Tag: {
            if (text.startsWith(u'<')) {
                inTag = true;
                int nameStart = text.size() > 1 && text[1] == u'/' ? 2 : 1;
                int nameEnd = nameStart;
                while (nameEnd < text.size() && text[nameEnd].isLetterOrNumber())
                    ++nameEnd;
                transparent = isInline(text.mid(nameStart, nameEnd - nameStart));
            }
            proseValue = false;
            if (!transparent)
                prose.separate();
            if (text.endsWith(u'>'))
                inTag = false;
            break;
        }
        case html::Kind::AttributeName:
            attribute = text;
            proseValue = false;
            break;
        case html::Kind::AttributeValue:
            proseValue = attribute.compare(u"alt", Qt::CaseInsensitive) == 0 ||
                         attribute.compare(u"title", Qt::CaseInsensitive) == 0;
            if (proseValue) {
                prose.separate();
                prose.take(span.start, at);
            }
            break;
        case html::Kind::Entity:
            if (!inTag || proseValue) {
                const QChar c = entityCharacter(text);
                if (c == Separator)
                    prose.separate();
                else
                    prose.add(c, span.start, at);
            }
            break;
        default:
            prose.separate();
            break;
        }
    }
    gap(static_cast<int>(paragraph.size()));
    return prose;
}

bool isAddress(QStringView token) {
    return token.contains(u"://") || token.contains(u'@') ||
           token.startsWith(u"www.", Qt::CaseInsensitive);
}

// Whether a word is one to check: no digit, no unknown letter, not an abbreviation.
bool isChecked(QStringView word) {
    bool lower = false;
    for (QChar c : word) {
        if (c.isDigit() || c == UnknownLetter)
            return false;
        lower = lower || (c.isLetter() && !c.isUpper());
    }
    return lower || word.size() < 2;
}

void addWord(const Prose& prose, int start, int end, std::vector<SpellingWord>& words) {
    const QStringView text = QStringView(prose.text()).mid(start, end - start);
    if (!isChecked(text))
        return;
    SpellingWord word;
    word.text = text.toString();
    for (int i = start; i < end; ++i) {
        const WordPiece& from = prose.origin(i);
        if (!word.pieces.empty() && word.end() == from.start)
            word.pieces.back().length += from.length - from.start;
        else
            word.pieces.push_back({from.start, from.length - from.start});
    }
    words.push_back(std::move(word));
}

} // namespace

std::vector<SpellingWord> spellingWords(QStringView paragraph,
                                        const std::vector<html::Span>& spans) {
    const Prose prose = proseOf(paragraph, spans);
    const QString& text = prose.text();
    const int n = static_cast<int>(text.size());
    std::vector<SpellingWord> words;
    int i = 0;
    while (i < n) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        int tokenEnd = i;
        while (tokenEnd < n && !text[tokenEnd].isSpace())
            ++tokenEnd;
        if (!isAddress(QStringView(text).mid(i, tokenEnd - i))) {
            for (int p = i; p < tokenEnd;) {
                if (!isWordCharacter(text[p])) {
                    ++p;
                    continue;
                }
                int end = p;
                // An apostrophe belongs to the word only between two of its letters.
                while (end < tokenEnd && (isWordCharacter(text[end]) ||
                                          (isApostrophe(text[end]) && end + 1 < tokenEnd &&
                                           isWordCharacter(text[end + 1]))))
                    ++end;
                addWord(prose, p, end, words);
                p = end;
            }
        }
        i = tokenEnd;
    }
    return words;
}

std::vector<SpellingWord> spellingWords(QStringView paragraph, html::State in) {
    std::vector<html::Span> spans;
    html::lexLine(paragraph, in, spans);
    return spellingWords(paragraph, spans);
}

std::vector<PieceEdit> replacementEdits(const SpellingWord& word, const QString& replacement) {
    std::vector<PieceEdit> edits;
    int taken = 0;
    for (qsizetype i = 0; i < word.pieces.size(); ++i) {
        const WordPiece& piece = word.pieces[i];
        const bool last = i + 1 == word.pieces.size();
        const int count = last ? static_cast<int>(replacement.size()) - taken
                               : std::min<int>(piece.length, replacement.size() - taken);
        edits.push_back({piece.start, piece.length, replacement.mid(taken, count)});
        taken += count;
    }
    std::reverse(edits.begin(), edits.end());
    return edits;
}

QString documentLanguage(const QString& whole) {
    // The html start tag stands at the top; a page without one is not read to its end.
    const QString document = whole.left(MaxLanguageSearch);
    QString lang;
    forEachStartTag(document, [&](int start, int end) {
        const std::optional<StartTag> tag = parseStartTag(document.mid(start, end - start));
        if (!tag)
            return true;
        if (tag->name == u"HTML") {
            lang = tag->value(u"lang");
            return false;
        }
        return tag->name != u"BODY";
    });
    return lang.trimmed();
}

QString spellingLanguage(const QString& lang, const QString& locale,
                         const std::function<bool(const QString&)>& installed) {
    for (QString tag : {lang, locale}) {
        tag.replace(u'-', u'_');
        // A locale name may carry an encoding or a variant ("en_US.UTF-8", "de_DE@euro").
        tag = tag.section(u'.', 0, 0).section(u'@', 0, 0).trimmed();
        if (tag.isEmpty() || tag == u"C" || tag == u"POSIX")
            continue;
        const QStringList parts = tag.split(u'_');
        QString full = parts.front().toLower();
        if (parts.size() > 1)
            full += u'_' + parts[1].toUpper();
        if (installed(full))
            return full;
        if (parts.size() > 1 && installed(parts.front().toLower()))
            return parts.front().toLower();
    }
    return {};
}

} // namespace vellum
