#include "core/editor/start_tag.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

TEST(StartTag, TheTagThatHoldsTheCaret) {
    // The caret is drawn as "|"; an empty result is no tag.
    const struct {
        const char* name;
        const char* text;
        const char* tag;
    } rows[] = {
        {"on the <", "|<B>x", "<B>"},
        {"inside the name", "<TA|BLE border=1>", "<TABLE border=1>"},
        {"on the >", "<B|>x", "<B>"},
        {"right after the >", "<B>|x", "<B>"},
        {"one past is in the text", "<B>x|", ""},
        {"a tag starting where another ends wins", "<B>|<I>", "<I>"},
        {"in a comment", "<!-- <B| > -->", ""},
        {"after a comment's quoted >", "<!-- \">\" --><I|>", "<I>"},
        {"in a quoted >", "<A title=\"a > b\" hr|ef=x>", "<A title=\"a > b\" href=x>"},
        {"in a single-quoted >", "<A title='>|'>", "<A title='>'>"},
        {"inside script", "<SCRIPT>if (a <b| && c > d) x();</SCRIPT>", ""},
        {"on the script tag itself", "<SCR|IPT>a < b</SCRIPT>", "<SCRIPT>"},
        {"inside style", "<STYLE>p <b|> {}</STYLE>", ""},
        {"on an end tag", "<B>x</|B>", ""},
        {"right after an end tag", "<B>x</B>|", ""},
        {"a tag over two lines, caret on the second", "<TABLE\r\n  bor|der=1>",
         "<TABLE\r\n  border=1>"},
        {"a tag over two lines, caret on the first", "<TA|BLE\r\n  border=1>",
         "<TABLE\r\n  border=1>"},
        {"a lone < in text", "a <| b", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QString text = QString::fromUtf8(row.text);
        const int caret = static_cast<int>(text.indexOf('|'));
        text.remove(caret, 1);
        const std::optional<StartTag> tag = startTagAt(text, caret);
        EXPECT_EQ(tag ? tag->text : QString(), QString(row.tag));
        if (tag) {
            EXPECT_EQ(text.mid(tag->start, tag->end - tag->start), tag->text);
            // Moved by a character typed before it, the tag is no longer at its place.
            EXPECT_TRUE(stillHolds(text, *tag));
            EXPECT_FALSE(stillHolds(" " + text, *tag));
        }
    }
}

TEST(StartTag, AttributesAreReadAsWritten) {
    const struct {
        const char* name;
        const char* tag;
        const char* attribute;
        const char* value; // null: the tag has no such attribute
    } rows[] = {
        {"no quotes", "<TD width=50%>", "width", "50%"},
        {"single quotes", "<A href='x y'>", "href", "x y"},
        {"double quotes holding the other quote", "<A title=\"it's\">", "title", "it's"},
        {"upper-case name read case-blind", "<TD WIDTH=5>", "width", "5"},
        {"mixed-case tag name", "<tAbLe Border=2>", "BORDER", "2"},
        {"the first of two wins", "<TD width=1 width=2>", "width", "1"},
        {"entities decoded", "<A title=\"a &amp; b &lt;&#34;&#x41;&quot;\">", "title",
         "a & b <\"A\""},
        {"an & that starts no entity stays", "<A href=\"?a=1&b=2&amp\">", "href", "?a=1&b=2&amp"},
        {"no value", "<TD nowrap>", "nowrap", ""},
        {"spaces around =", "<TD width = 5>", "width", "5"},
        {"a value ended by >", "<TD width=5>", "width", "5"},
        {"absent", "<TD width=5>", "height", nullptr},
        {"a self-closing slash is not a value", "<IMG src=a.gif />", "src", "a.gif"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<StartTag> tag = parseStartTag(QString::fromUtf8(row.tag));
        ASSERT_TRUE(tag);
        EXPECT_EQ(tag->has(QString(row.attribute)), row.value != nullptr);
        if (row.value) {
            EXPECT_EQ(tag->value(QString(row.attribute)), QString::fromUtf8(row.value));
        }
    }
}

TEST(StartTag, RewriteKeepsUnknownAttributesInPlace) {
    const struct {
        const char* name;
        const char* original;
        const char* generated;
        const char* rewritten;
    } rows[] = {
        {"nothing unknown: the new tag", "<td width=5>", "<TD width=6>", "<TD width=6>"},
        {"after the name when first", "<TD class='c' width=5>", "<TD width=6>",
         "<TD class='c' width=6>"},
        {"after the attribute they followed", "<TD width=5 id=x height=2 style=\"a:b\">",
         "<TD width=6 height=3>", "<TD width=6 id=x height=3 style=\"a:b\">"},
        {"after the name when the one they followed goes", "<TD width=5 onclick=\"f()\" data-x=1>",
         "<TD height=3>", "<TD onclick=\"f()\" data-x=1 height=3>"},
        {"another tag name: the new tag", "<TD class=c>", "<TH>", "<TH>"},
    };
    const QStringList cell = {"width", "height"};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rewriteStartTag(parseStartTag(row.original).value(),
                                  parseStartTag(row.generated).value(), cell),
                  QString(row.rewritten));
    }
}

} // namespace
} // namespace vellum
