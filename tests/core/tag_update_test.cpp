// A start tag updated after its helper wrote a new one: what the user completed in the helper's
// empty starts stays, and the helper's tag is found in its code.
#include "core/editor/tag_update.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

StartTag tag(const char* text) {
    const std::optional<StartTag> parsed = parseStartTag(QString::fromLatin1(text));
    EXPECT_TRUE(parsed.has_value()) << text;
    return parsed.value_or(StartTag{});
}

TEST(TagUpdate, KeepsWhatTheUserCompleted) {
    struct Row {
        const char* name;
        const char* original;
        const char* generated;
        const char* written;
        const char* completed;
        const char* expected;
    };
    const Row rows[] = {
        {"a new border, the unknown attributes kept in place", "<TABLE class=x border=1 id=t>",
         "<TABLE border=4>", "border cellpadding", "", "<TABLE class=x border=4 id=t>"},
        {"an attribute the helper no longer writes goes", "<TABLE border=1 cellpadding=4>",
         "<TABLE border=1>", "border cellpadding", "", "<TABLE border=1>"},
        {"a typed address begun by the helper's protocol stays",
         "<A href=\"http://x.org/\" target=_top>", "<A href=\"http://\" target=\"\">",
         "href name target", "href name target", "<A href=\"http://x.org/\" target=_top>"},
        {"another protocol replaces the address", "<A href=\"http://x.org/\">",
         "<A href=\"ftp://\">", "href", "href", "<A href=\"ftp://\">"},
        {"an empty start the tag never had stays out", "<INPUT type=\"text\" size=12 name=\"q\">",
         "<INPUT type=\"text\" size=20 name=\"\" value=\"\">", "type size name value", "name value",
         "<INPUT type=\"text\" size=20 name=\"q\">"},
        {"a start the helper fills itself is written", "<A>", "<A href=\"http://\">", "href",
         "href", "<A href=\"http://\">"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rewriteKeepingUserValues(tag(row.original), tag(row.generated),
                                           vocabularyOf(row.written, row.completed))
                      .toStdString(),
                  row.expected);
    }
}

// The text of the start tag at `caret`, or "none".
std::string tagTextAt(const char* document, int caret) {
    const std::optional<StartTag> found = startTagAt(QString::fromLatin1(document), caret);
    return found ? found->text.toStdString() : "none";
}

TEST(TagUpdate, FindsTheHelpersTagAndTheChangedDocument) {
    const QString centred = "<CENTER>\r\n<TABLE border=1>\r\n\r\n</TABLE>\r\n</CENTER>";
    EXPECT_EQ(helperTagIn(centred, "TABLE").value_or(StartTag{}).text, "<TABLE border=1>");
    EXPECT_EQ(helperTagIn(centred, "TD").value_or(StartTag{}).text, "<CENTER>");
    EXPECT_FALSE(helperTagIn("</P> text", "P").has_value());
    // A tag without attributes is one piece for the lexer, and so are tags written together.
    EXPECT_EQ(tagTextAt("<UL>\r\n<LI> a", 2), "<UL>");
    EXPECT_EQ(tagTextAt("<TABLE border=1><TR><TD>", 3), "<TABLE border=1>");
    EXPECT_EQ(tagTextAt("<TABLE border=1><TR><TD>", 17), "<TR>");
    EXPECT_EQ(tagTextAt("<TABLE border=1></TD>", 16), "<TABLE border=1>");

    StartTag table = tag("<TABLE border=1>");
    table.start = 2;
    table.end = 2 + table.text.size();
    EXPECT_TRUE(stillHolds("x <TABLE border=1> y", table));
    EXPECT_FALSE(stillHolds("x <TABLE border=2> y", table));
    EXPECT_FALSE(stillHolds("<TABLE border=1>", table));
}

} // namespace
} // namespace vellum
