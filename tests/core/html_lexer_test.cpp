#include "core/editor/html_lexer.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

namespace vellum::html {
namespace {

// A rendering shows each character as its kind: '.' text, T tag, A attribute name, V attribute
// value, C comment, E entity, D doctype, S script, Y style; paragraphs are separated by '\n'.
constexpr char KindLetters[] = ".TAVCEDSY";

std::string render(int length, const std::vector<Span>& spans) {
    std::string out(static_cast<std::size_t>(length), '.');
    for (const Span& s : spans)
        for (int i = s.start; i < s.start + s.length; ++i)
            out[static_cast<std::size_t>(i)] = KindLetters[static_cast<int>(s.kind)];
    return out;
}

/// `text` lexed paragraph by paragraph, each starting in the state the previous one ended in.
std::string lexedByLines(const QString& text, State* end = nullptr) {
    std::string out;
    State state = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        std::vector<Span> spans;
        state = lexLine(lines[i], state, spans);
        out += (i > 0 ? "\n" : "") + render(static_cast<int>(lines[i].size()), spans);
    }
    if (end)
        *end = state;
    return out;
}

/// Checks what every caller relies on; spans before `first` are the caller's own.
void expectWellFormed(QStringView line, const std::vector<Span>& spans, std::size_t first) {
    int end = 0;
    for (std::size_t i = first; i < spans.size(); ++i) {
        const Span& s = spans[i];
        ASSERT_GE(s.start, end);
        ASSERT_GT(s.length, 0);
        ASSERT_LE(s.start + s.length, line.size());
        ASSERT_NE(s.kind, Kind::Text);
        if (i > first && s.start == end) {
            ASSERT_NE(s.kind, spans[i - 1].kind) << "adjacent spans of one kind are merged";
        }
        end = s.start + s.length;
    }
}

TEST(HtmlLexer, ColoursWhatItRecognises) {
    struct Row {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"plain text", "Hello, world.", "............."},
        {"unquoted values end at a space or >", "<td width=50 nowrap>", "TTT.AAAAA.VV.AAAAAAT"},
        {"an unquoted value keeps its slashes", "<a href=/x/>go</a>", "TT.AAAA.VVVT..TTTT"},
        {"> inside quoted values", "<img alt=\"a>b\" title='c>d'>", "TTTT.AAA.VVVVV.AAAAA.VVVVVT"},
        {"self-closing and upper-case tags", "<BR/><HR CLASS=x />", "TTTTTTTT.AAAAA.V.TT"},
        {"a tag over three lines", "<a\nhref = \"x\"\n>", "TT\nAAAA...VVV\nT"},
        {"a quoted value over two lines", "<a title=\"one\ntwo\">x", "TT.AAAAA.VVVV\nVVVVT."},
        {"a value on the line after =", "<a href=\n'x'>", "TT.AAAA.\nVVVT"},
        {"entities", "a &amp; &#160;&#x1F; b", "..EEEEE.EEEEEEEEEEEE.."},
        {"what is not an entity is text", "AT&T & &; &#; &#x; &amp", "......................."},
        {"entities inside values", "<a href=\"?a=1&amp;b=2\">", "TT.AAAA.VVVVVEEEEEVVVVT"},
        {"< that cannot start a tag", "1 < 2, 1<2, a<=b, </ p>", "......................."},
        {"comment", "a<!-- <b> -->c", ".CCCCCCCCCCCC."},
        {"empty comments and --!>", "<!---->x<!-->y<!--->z<!-- --!>",
         "CCCCCCC.CCCCC.CCCCCC.CCCCCCCCC"},
        {"a comment runs over lines to -->", "x<!-- a\n<p>\"b\n-- >\n--><p>",
         ".CCCCCC\nCCCCC\nCCCC\nCCCTTT"},
        {"an unterminated comment runs to the end", "<!--\n</script>\n<!-- -",
         "CCCC\nCCCCCCCCC\nCCCCCC"},
        {"doctype", "<!DOCTYPE html>", "DDDDDDDDDDDDDDD"},
        {"an HTML 4 doctype over two lines",
         "<!DOCTYPE HTML PUBLIC\n \"-//W3C//DTD HTML 4.01//EN\">x",
         "DDDDDDDDDDDDDDDDDDDDD\nDDDDDDDDDDDDDDDDDDDDDDDDDDDDD."},
        {"other declarations", "<![CDATA[x]]><?xml version=\"1.0\"?>",
         "DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD"},
        {"script content", "<script>if (a<b) x();</script>", "TTTTTTTTSSSSSSSSSSSSSTTTTTTTTT"},
        {"</script> in a string ends the script", "<script>s=\"</script>\";</script>",
         "TTTTTTTTSSSTTTTTTTTT..TTTTTTTTT"},
        {"a script with attributes over lines",
         "<SCRIPT type=\"text/javascript\">\nif (a < b && c) {}\n</Script >",
         "TTTTTTT.AAAA.VVVVVVVVVVVVVVVVVT\nSSSSSSSSSSSSSSSSSS\nTTTTTTTT.T"},
        {"style over lines", "<style>\np { color: red }\n</style>",
         "TTTTTTT\nYYYYYYYYYYYYYYYY\nTTTTTTTT"},
        {"only the whole end tag name ends a script", "<script>a</scripty>b</SCRIPT>",
         "TTTTTTTTSSSSSSSSSSSSTTTTTTTTT"},
        {"a script end tag name at the line end", "<script>x</script\n>y", "TTTTTTTTSTTTTTTTT\nT."},
        {"a script start tag over lines", "<script\nsrc=a.js>\nx<y", "TTTTTTT\nAAA.VVVVT\nSSS"},
        {"a longer name is no script", "<scripts>&lt;", "TTTTTTTTTEEEE"},
        {"a style tag in a comment opens nothing", "<!--<style>-->p{}", "CCCCCCCCCCCCCC..."},
        {"a stray script end tag", "</script>&lt;", "TTTTTTTTTEEEE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(lexedByLines(QString::fromUtf8(row.text)), row.expected);
    }
}

/// Documents made of the pieces where lexing goes wrong, the same on every run.
std::vector<QString> trickyDocuments() {
    const char* const pieces[] = {
        "<",       ">",        "/",      "!",       "-",  "--",  "\"", "'",  "=",    " ",
        "\n",      "a",        "&",      "amp;",    "#",  "x",   ";",  "1",  "<!--", "-->",
        "<script", "</script", "<style", "</style", "<p", "</p", "<!", "<?",
    };
    std::vector<QString> documents = {QStringLiteral(
        "<!DOCTYPE HTML PUBLIC\n \"-//W3C//DTD HTML 4.01//EN\">\n<html><head>\n<style "
        "type=text/css>\nh1 { color: red }\n</style>\n<script>\nvar s = '</script>';\nif (a < "
        "b) {}\n</script>\n</head><body>\n<!-- a\ncomment --><p\nclass=\"x\ny\">caf\u00e9 &amp; "
        "&#233;\n<img alt='a>b' src=\npic.gif>\n")};
    std::uint64_t seed = 7;
    for (int d = 0; d < 300; ++d) {
        QString doc;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            doc += QString::fromLatin1(pieces[(seed >> 33) % std::size(pieces)]);
        }
        documents.push_back(doc);
    }
    return documents;
}

TEST(HtmlLexer, ALineBreakLexesLikeASpace) {
    // What a highlighter relies on: the state carried over a paragraph's end holds everything,
    // so lexing paragraph by paragraph colours each character as lexing the text in one piece.
    for (const QString& doc : trickyDocuments()) {
        SCOPED_TRACE(doc.toStdString());
        QString joined = doc;
        joined.replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::vector<Span> spans;
        const State joinedEnd = lexLine(joined, 0, spans);
        std::string expected = render(static_cast<int>(joined.size()), spans);
        for (int i = 0; i < doc.size(); ++i)
            if (doc[i] == QLatin1Char('\n'))
                expected[static_cast<std::size_t>(i)] = '\n';
        State end = -1;
        EXPECT_EQ(lexedByLines(doc, &end), expected);
        EXPECT_EQ(end, joinedEnd);
    }
}

TEST(HtmlLexer, SpansAreOrderedMergedAndTheSameFromTheSameState) {
    for (const QString& doc : trickyDocuments()) {
        for (const QString& line : doc.split(QLatin1Char('\n'))) {
            for (State in = -1; in < StateCount; ++in) {
                SCOPED_TRACE(line.toStdString() + " from state " + std::to_string(in));
                // A caller's span ending where the line starts must not be merged with.
                std::vector<Span> spans = {Span{-4, 4, Kind::Tag}};
                const State out = lexLine(line, in, spans);
                ASSERT_EQ(spans.front().length, 4);
                expectWellFormed(line, spans, 1);
                EXPECT_GE(out, 0);
                EXPECT_LT(out, StateCount);
                std::vector<Span> again;
                EXPECT_EQ(lexLine(line, in < 0 ? 0 : in, again), out);
                const int length = static_cast<int>(line.size());
                EXPECT_EQ(render(length, again), render(length, {spans.begin() + 1, spans.end()}));
            }
        }
    }
}

TEST(HtmlLexer, LexesAFiveMegabyteLineInOneCall) {
    const QString unit = QStringLiteral("<td class=\"c\">a &amp; b</td><!-- x --><script>if (a<b) "
                                        "s='</p>'</script>");
    const int units = 5 * (1 << 20) / static_cast<int>(unit.size());
    const QString line = unit.repeated(units) + QStringLiteral("<!-- open");
    std::vector<Span> spans;
    const State end = lexLine(line, 0, spans);
    expectWellFormed(line, spans, 0);
    int entities = 0, scripts = 0, comments = 0;
    for (const Span& s : spans) {
        entities += s.kind == Kind::Entity;
        scripts += s.kind == Kind::Script;
        comments += s.kind == Kind::Comment;
    }
    EXPECT_EQ(entities, units);
    EXPECT_EQ(scripts, units);
    EXPECT_EQ(comments, units + 1);
    EXPECT_EQ(spans.back().start + spans.back().length, line.size());
    std::vector<Span> next;
    EXPECT_EQ(lexLine(u"-->", end, next), 0);
    EXPECT_EQ(render(3, next), "CCC");
}

} // namespace
} // namespace vellum::html
