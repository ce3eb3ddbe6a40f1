// A start tag updated after its helper wrote new code: what the user completed in the helper's
// empty starts stays, the helper's tag is found in its code, and a document that changed under the
// tag is seen.
#include "core/editor/start_tag.h"
#include "core/helpers/helper_tags.h"

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
        const char* code;
        const char* helper;
        const char* expected;
    };
    const Row rows[] = {
        {"a new border, the unknown attributes kept in place", "<TABLE class=x border=1 id=t>",
         "<TABLE border=4>\r\n\r\n</TABLE>", "Table", "<TABLE class=x border=4 id=t>"},
        {"an attribute the helper no longer writes goes", "<TABLE border=1 cellpadding=4>",
         "<TABLE border=1>\r\n\r\n</TABLE>", "Table", "<TABLE border=1>"},
        {"the helper's tag inside its centring", "<TABLE border=1>",
         "<CENTER>\r\n<TABLE border=2>\r\n\r\n</TABLE>\r\n</CENTER>", "Table", "<TABLE border=2>"},
        {"a typed address begun by the helper's protocol stays", "<A href=\"http://x.org/\">",
         "<A href=\"http://\"></A>", "Link", "<A href=\"http://x.org/\">"},
        {"another protocol replaces the address", "<A href=\"http://x.org/\">",
         "<A href=\"ftp://\"></A>", "Link", "<A href=\"ftp://\">"},
        {"a name the user gave stays", "<INPUT type=\"text\" size=12 name=\"q\" value=\"\">",
         "<INPUT type=\"text\" size=20 name=\"\" value=\"\">", "Form",
         "<INPUT type=\"text\" size=20 name=\"q\" value=\"\">"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(updatedStartTag(tag(row.original), QString::fromLatin1(row.code),
                                  QString::fromLatin1(row.helper))
                      .toStdString(),
                  row.expected);
    }
}

TEST(TagUpdate, SeesADocumentThatChangedUnderTheTag) {
    StartTag table = tag("<TABLE border=1>");
    table.start = 2;
    table.end = 2 + table.text.size();
    EXPECT_TRUE(stillHolds("x <TABLE border=1> y", table));
    EXPECT_FALSE(stillHolds("x <TABLE border=2> y", table));
    EXPECT_FALSE(stillHolds("<TABLE border=1>", table));
}

} // namespace
} // namespace vellum
