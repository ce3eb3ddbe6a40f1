#include "core/foundation/line_breaks.h"
#include "support/qt_printers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vellum {
namespace {

TEST(LineBreaks, WithLineBreakRewritesEachCrLf) {
    struct Row {
        const char* name;
        const char* text;
        const char16_t* lineBreak;
        const char* expected;
    };
    const Row rows[] = {
        {"empty text", "", u"\n", ""},
        {"no breaks", "<P>plain</P>", u"\n", "<P>plain</P>"},
        {"CR LF to LF", "a\r\nb\r\n\r\nc", u"\n", "a\nb\n\nc"},
        {"CR LF to CR", "a\r\nb", u"\r", "a\rb"},
        {"lone CR and lone LF stay", "a\rb\nc\n\rd\r\ne", u"\n", "a\rb\nc\n\rd\ne"},
        {"CR LF at the very end", "line\r\n", u"\n", "line\n"},
        {"CR at the very end stays", "line\r", u"\n", "line\r"},
        {"CR LF target keeps the text", "a\r\nb\rc\n", u"\r\n", "a\r\nb\rc\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(withLineBreak(QString::fromLatin1(row.text), QStringView(row.lineBreak)),
                  QString::fromLatin1(row.expected));
    }
}

TEST(LineBreaks, ParagraphSeparatorsBecomeCrLf) {
    struct Row {
        const char* name;
        const char16_t* text;
        const char* expected;
    };
    const Row rows[] = {
        {"empty text", u"", ""},
        {"no separators", u"<P>plain</P>", "<P>plain</P>"},
        {"between lines", u"a\u2029b", "a\r\nb"},
        {"at both ends", u"\u2029ab\u2029", "\r\nab\r\n"},
        {"empty lines in a row", u"a\u2029\u2029\u2029b", "a\r\n\r\n\r\nb"},
        {"lone CR and LF stay", u"a\rb\u2029c\n", "a\rb\r\nc\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(paragraphsToCrLf(QString::fromUtf16(row.text)),
                  QString::fromLatin1(row.expected));
    }
    // A no-break space is text, not a break.
    EXPECT_EQ(paragraphsToCrLf(QStringLiteral("a\u00A0b\u2029")), QStringLiteral("a\u00A0b\r\n"));
}

// Breaks are looked for eight characters at a time, and a text with lone ones is widened from its
// end, in place when it has room: each kind must be found at the edges of those eight, a CR LF
// across them included, in the characters left over at either end, and mixed with the others.
TEST(LineBreaks, NormalizingFindsBreaksWhereverTheyFall) {
    const auto crLfEverywhere = [](QString text) {
        return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'))
            .replace(QLatin1String("\n"), QLatin1String("\r\n"));
    };
    QStringList texts;
    for (const char* lineBreak : {"\r", "\n", "\r\n"}) {
        for (int at = 0; at <= 22; ++at)
            texts << QStringLiteral("x").repeated(22).insert(at, QLatin1String(lineBreak));
    }
    texts << QStringLiteral("\n\r\r\n\n\rab\r\r\ncdefghijklmnop\n\nq\r");
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toUtf8().toHex().constData());
        LineBreakKinds kinds;
        EXPECT_EQ(normalizeLineBreaks(text, &kinds), crLfEverywhere(text));
        EXPECT_EQ(kinds.crLf, text.contains(QLatin1String("\r\n")));
        EXPECT_EQ(kinds.lf, text.contains(QRegularExpression(QStringLiteral("(^|[^\r])\n"))));
        EXPECT_EQ(kinds.cr, text.contains(QRegularExpression(QStringLiteral("\r([^\n]|\\z)"))));
        QString roomy = text;
        roomy.reserve(text.size() * 2);
        EXPECT_EQ(normalizeLineBreaks(std::move(roomy), nullptr), crLfEverywhere(text));
    }
}

} // namespace
} // namespace vellum
