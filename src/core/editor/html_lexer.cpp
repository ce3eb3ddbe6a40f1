#include "core/editor/html_lexer.h"

#include <cstddef>
#include <string>

namespace vellum::html {

namespace {

// States that need no more than their own number, numbered from 0; the tag states follow them.
enum : State { DataState, CommentState, DeclarationState, ScriptState, StyleState, FirstTagState };

/// Where inside a tag a paragraph can end. A tag name, an attribute name and an unquoted value
/// all end at whitespace, and a line break is whitespace, so none of them is a state of its own.
enum TagPart : int { Between, BeforeValue, DoubleQuoted, SingleQuoted, TagPartCount };

/// Which content follows the tag's `>`: what a start tag of `script` or `style` opens.
enum Element : int { Ordinary, ScriptElement, StyleElement, ElementCount };

static_assert(FirstTagState + ElementCount * TagPartCount == StateCount);

constexpr State tagState(Element element, TagPart part) {
    return FirstTagState + element * TagPartCount + part;
}

constexpr bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}
constexpr bool isAsciiAlpha(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
constexpr bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
constexpr bool isAsciiAlnum(char16_t c) {
    return isAsciiAlpha(c) || isDigit(c);
}
constexpr bool isHexDigit(char16_t c) {
    return isDigit(c) || ((c | 0x20) >= u'a' && (c | 0x20) <= u'f');
}
/// What ends a tag name or a raw-text end tag's name.
constexpr bool endsTagName(char16_t c) {
    return isSpace(c) || c == u'/' || c == u'>';
}

/// One pass over one paragraph. Each `lex...` function consumes characters from `m_pos` until the
/// state changes or the paragraph ends, and returns the state it leaves the lexer in.
class Lexer {
public:
    Lexer(QStringView line, std::vector<Span>& spans)
        : m_s(line.utf16()), m_n(static_cast<int>(line.size())), m_spans(spans),
          m_firstSpan(spans.size()) {}

    State run(State state) {
        if (state < 0 || state >= StateCount)
            state = DataState;
        while (m_pos < m_n) {
            switch (state) {
            case DataState:
                state = lexData();
                break;
            case CommentState:
                state = lexComment(m_pos, m_pos);
                break;
            case DeclarationState:
                state = lexDeclaration(m_pos, m_pos);
                break;
            case ScriptState:
                state = lexRawText(u"script", Kind::Script, ScriptState);
                break;
            case StyleState:
                state = lexRawText(u"style", Kind::Style, StyleState);
                break;
            default:
                state = lexTag(static_cast<Element>((state - FirstTagState) / TagPartCount),
                               static_cast<TagPart>((state - FirstTagState) % TagPartCount));
                break;
            }
        }
        return state;
    }

private:
    char16_t at(int i) const { return i < m_n ? m_s[i] : u'\0'; }

    void addSpan(int start, int end, Kind kind) {
        if (end <= start)
            return;
        if (m_spans.size() > m_firstSpan) {
            Span& last = m_spans.back();
            if (last.kind == kind && last.start + last.length == start) {
                last.length += end - start;
                return;
            }
        }
        m_spans.push_back(Span{start, end - start, kind});
    }

    /// The end of a character reference starting with the `&` at `amp`, or -1 when there is none.
    int entityEnd(int amp) const {
        int i = amp + 1;
        if (at(i) == u'#') {
            ++i;
            const bool hex = (at(i) | 0x20) == u'x';
            if (hex)
                ++i;
            const int digits = i;
            while (i < m_n && (hex ? isHexDigit(m_s[i]) : isDigit(m_s[i])))
                ++i;
            if (i == digits)
                return -1;
        } else {
            if (!isAsciiAlpha(at(i)))
                return -1;
            while (i < m_n && isAsciiAlnum(m_s[i]))
                ++i;
        }
        return at(i) == u';' ? i + 1 : -1;
    }

    State lexData() {
        while (m_pos < m_n) {
            // The hot loop: most of a document is text between tags.
            while (m_pos < m_n && m_s[m_pos] != u'<' && m_s[m_pos] != u'&')
                ++m_pos;
            if (m_pos == m_n)
                break;
            if (m_s[m_pos] == u'&') {
                const int end = entityEnd(m_pos);
                addSpan(m_pos, end, Kind::Entity);
                m_pos = end > 0 ? end : m_pos + 1;
                continue;
            }
            const State next = lexMarkupOpen();
            if (next != DataState)
                return next;
        }
        return DataState;
    }

    /// At a `<` in text: starts a tag, comment or declaration and returns its state, or consumes
    /// the `<` as text (or a complete comment or declaration) and returns DataState.
    State lexMarkupOpen() {
        const int open = m_pos;
        const char16_t c = at(open + 1);
        if (isAsciiAlpha(c))
            return lexTagName(open, open + 1, true);
        if (c == u'/' && isAsciiAlpha(at(open + 2)))
            return lexTagName(open, open + 2, false);
        if (c == u'!') {
            if (at(open + 2) == u'-' && at(open + 3) == u'-') {
                // "<!-->" and "<!--->" are whole (empty) comments in browsers.
                const int body = open + 4;
                if (at(body) == u'>' || (at(body) == u'-' && at(body + 1) == u'>')) {
                    m_pos = at(body) == u'>' ? body + 1 : body + 2;
                    addSpan(open, m_pos, Kind::Comment);
                    return DataState;
                }
                return lexComment(open, body);
            }
            return lexDeclaration(open, open + 2);
        }
        if (c == u'?') // an XML declaration or processing instruction, read up to its `>`
            return lexDeclaration(open, open + 2);
        // A `<` that cannot start a tag is text. So is `</` without a letter, which browsers drop
        // up to its `>`: left uncoloured, the mistake shows.
        ++m_pos;
        return DataState;
    }

    State lexTagName(int open, int name, bool startTag) {
        int end = name;
        while (end < m_n && !endsTagName(m_s[end]))
            ++end;
        addSpan(open, end, Kind::Tag);
        m_pos = end;
        Element element = Ordinary;
        if (startTag && isNamed(name, end, u"script"))
            element = ScriptElement;
        else if (startTag && isNamed(name, end, u"style"))
            element = StyleElement;
        return tagState(element, Between);
    }

    /// Whether the characters [begin, end) are `lowerName` in any case.
    bool isNamed(int begin, int end, const char16_t* lowerName) const {
        for (int i = begin; i < end; ++i, ++lowerName) {
            // Only the ASCII letters of the name can match: `| 0x20` folds 'A'-'Z' onto 'a'-'z'.
            if (*lowerName == u'\0' || (m_s[i] | 0x20) != *lowerName)
                return false;
        }
        return *lowerName == u'\0';
    }

    /// A comment whose span starts at `spanStart`, searched for its end from `from`.
    State lexComment(int spanStart, int from) {
        for (int i = from; i < m_n; ++i) {
            if (m_s[i] != u'-' || at(i + 1) != u'-')
                continue;
            const int close = at(i + 2) == u'>'                          ? i + 3
                              : (at(i + 2) == u'!' && at(i + 3) == u'>') ? i + 4
                                                                         : -1;
            if (close > 0) {
                addSpan(spanStart, close, Kind::Comment);
                m_pos = close;
                return DataState;
            }
        }
        addSpan(spanStart, m_n, Kind::Comment);
        m_pos = m_n;
        return CommentState;
    }

    /// `<!DOCTYPE ...>` and other declarations: everything up to the first `>` from `from`.
    State lexDeclaration(int spanStart, int from) {
        int i = from;
        while (i < m_n && m_s[i] != u'>')
            ++i;
        const bool closed = i < m_n;
        m_pos = closed ? i + 1 : m_n;
        addSpan(spanStart, m_pos, Kind::Doctype);
        return closed ? DataState : DeclarationState;
    }

    /// Script or style content: raw text up to the first `</name` followed by what ends a tag name
    /// (a line break among them); quotes and comments in the content do not hide it.
    State lexRawText(const char16_t* lowerName, Kind kind, State self) {
        const int nameLength = static_cast<int>(std::char_traits<char16_t>::length(lowerName));
        const int start = m_pos;
        for (int i = start; i < m_n; ++i) {
            if (m_s[i] != u'<' || at(i + 1) != u'/')
                continue;
            const int name = i + 2;
            const int nameEnd = name + nameLength;
            if (nameEnd <= m_n && isNamed(name, nameEnd, lowerName) &&
                (nameEnd == m_n || endsTagName(m_s[nameEnd]))) {
                addSpan(start, i, kind);
                addSpan(i, nameEnd, Kind::Tag);
                m_pos = nameEnd;
                return tagState(Ordinary, Between);
            }
        }
        addSpan(start, m_n, kind);
        m_pos = m_n;
        return self;
    }

    static State afterTag(Element element) {
        return element == ScriptElement  ? ScriptState
               : element == StyleElement ? StyleState
                                         : DataState;
    }

    State lexTag(Element element, TagPart part) {
        while (m_pos < m_n) {
            if (part == DoubleQuoted || part == SingleQuoted) {
                part = lexQuotedValue(part == DoubleQuoted ? u'"' : u'\'', m_pos) ? Between : part;
                continue;
            }
            while (m_pos < m_n && isSpace(m_s[m_pos]))
                ++m_pos;
            if (m_pos == m_n)
                break;
            const char16_t c = m_s[m_pos];
            if (c == u'>') {
                addSpan(m_pos, m_pos + 1, Kind::Tag);
                ++m_pos;
                return afterTag(element);
            }
            if (part == BeforeValue) {
                if (c == u'"' || c == u'\'') {
                    const int open = m_pos++;
                    const bool closed = lexQuotedValue(c, open);
                    part = closed ? Between : c == u'"' ? DoubleQuoted : SingleQuoted;
                } else {
                    lexUnquotedValue();
                    part = Between;
                }
            } else if (c == u'/') {
                // "/>" closes the tag; a lone slash between attributes is ignored, as browsers do.
                const bool closes = at(m_pos + 1) == u'>';
                if (closes)
                    addSpan(m_pos, m_pos + 2, Kind::Tag);
                m_pos += closes ? 2 : 1;
                if (closes)
                    return afterTag(element);
            } else if (c == u'=') {
                ++m_pos; // the value may follow after spaces, even on the next line
                part = BeforeValue;
            } else {
                const int name = m_pos;
                while (m_pos < m_n && !endsTagName(m_s[m_pos]) && m_s[m_pos] != u'=')
                    ++m_pos;
                addSpan(name, m_pos, Kind::AttributeName);
            }
        }
        return tagState(element, part);
    }

    /// Reads a quoted value from `m_pos` through its closing `quote`. Its span starts at
    /// `spanStart`: the opening quote, or the paragraph's start when the value goes on from the
    /// paragraph before. Character references in it are spans of their own. Returns whether the
    /// closing quote was found.
    bool lexQuotedValue(char16_t quote, int spanStart) {
        int run = spanStart;
        while (m_pos < m_n) {
            const char16_t c = m_s[m_pos];
            if (c == quote) {
                ++m_pos;
                addSpan(run, m_pos, Kind::AttributeValue);
                return true;
            }
            if (c == u'&')
                run = lexValueEntity(run);
            else
                ++m_pos;
        }
        addSpan(run, m_n, Kind::AttributeValue);
        return false;
    }

    void lexUnquotedValue() {
        int run = m_pos;
        while (m_pos < m_n && !isSpace(m_s[m_pos]) && m_s[m_pos] != u'>') {
            if (m_s[m_pos] == u'&')
                run = lexValueEntity(run);
            else
                ++m_pos;
        }
        addSpan(run, m_pos, Kind::AttributeValue);
    }

    /// At a `&` in a value whose current run starts at `run`: emits the run and the reference when
    /// there is one, and returns where the value's run continues.
    int lexValueEntity(int run) {
        const int end = entityEnd(m_pos);
        if (end < 0) {
            ++m_pos;
            return run;
        }
        addSpan(run, m_pos, Kind::AttributeValue);
        addSpan(m_pos, end, Kind::Entity);
        m_pos = end;
        return end;
    }

    const char16_t* m_s;
    int m_n;
    int m_pos = 0;
    std::vector<Span>& m_spans;
    std::size_t m_firstSpan;
};

} // namespace

State lexLine(QStringView line, State in, std::vector<Span>& spans) {
    return Lexer(line, spans).run(in);
}

} // namespace vellum::html
