#include "core/editor/wrap_rules.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>
#include <QTextBoundaryFinder>

namespace vellum {
namespace {

// The break positions Qt's own line-breaking analysis gives, which the text layout wraps at.
std::vector<std::uint8_t> referenceBreaks(const QString& text) {
    std::vector<std::uint8_t> breaks(static_cast<std::size_t>(text.size()) + 1, 0);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype i = 1; i <= text.size(); ++i) {
        finder.setPosition(i);
        breaks[static_cast<std::size_t>(i)] = finder.isAtBoundary() ? 1 : 0;
    }
    return breaks;
}

TEST(WrapRules, BreakOpportunitiesMatchTheTextLayout) {
    // Hand-picked cases first (numbers, punctuation runs, spaces, dashes, CJK), then random text
    // over every class the rules know, in short tokens so that every pair comes up many times.
    QStringList texts = {
        QStringLiteral("<td class=\"price\">$1,234.50</td>"),
        QStringLiteral("a-b --c (12)% [x]{y}/z http://example.com/a-b?q=1&r=2"),
        QStringLiteral("  leading spaces, 3.14-2 and -5 and $(7)% and 1/2"),
        QStringLiteral("café naïve — “quoted” 東京 данные… «x» ‘y’"),
        QStringLiteral("\tindented\ttabs\t-\t1.5\t"),
        QStringLiteral("x=a<b>c~d;e:f!g?h'i'\"j\"k|l\\m"),
        QStringLiteral("12 34.5,6 (7-8) 9%/10 +11 $12"),
    };
    const QString alphabet = QStringLiteral(
        "aZ09 \t!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~éßÆąЖжΩλ«»\u2010\u2013\u2014\u2018\u2019"
        "\u201C\u201D\u2026東京");
    QRandomGenerator random(20261207);
    for (int t = 0; t < 3000; ++t) {
        QString text;
        const int length = 1 + random.bounded(12);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(random.bounded(alphabet.size()));
        texts << text;
    }
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        std::vector<std::uint8_t> breaks;
        ASSERT_TRUE(lineBreakOpportunities(text, breaks));
        EXPECT_EQ(breaks, referenceBreaks(text));
    }
}

TEST(WrapRules, TextNeedingTheRealLayoutIsRefused) {
    const char16_t* const refused[] = {
        u"no\u00A0break",      u"soft\u00ADhyphen", u"e\u0301",         u"\u05E9\u05DC\u05D5\u05DD",
        u"\u0E2A\u0E27\u0E31", u"emoji \U0001F600", u"zero\u200Bwidth", u"ctrl\u0001",
    };
    for (const char16_t* text : refused) {
        std::vector<std::uint8_t> breaks;
        EXPECT_FALSE(lineBreakOpportunities(QStringView(text), breaks))
            << QString::fromUtf16(text).toStdString();
    }
}

} // namespace
} // namespace vellum
