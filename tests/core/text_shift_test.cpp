// Following a checked range into the text as the user has changed it since: the range drawn as
// "[...]" in the text before and where it stands in the text after.
#include "core/editor/text_shift.h"
#include "support/marked_text.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

TEST(TextShift, FollowsARangeIntoTheChangedText) {
    struct Row {
        const char* intent;
        const char* before;
        const char* after;
        bool kept;
    };
    const Row rows[] = {
        {"nothing changed", "ab[cd]ef", "ab[cd]ef", true},
        {"a line typed above it", "<P>\r\n<IMG src=\"[x.gif]\">",
         "<P>\r\nnew\r\n<IMG src=\"[x.gif]\">", true},
        {"text typed just before it stays outside", "ab[cd]ef", "abX[cd]ef", true},
        {"text typed just after it stays outside", "ab[cd]ef", "ab[cd]Xef", true},
        {"text deleted after it", "ab[cd]efgh", "ab[cd]h", true},
        {"text deleted across its start", "ab[cd]ef", "a[d]ef", false},
        {"text typed inside it", "ab[cd]ef", "ab[cXd]ef", false},
        {"all of it deleted", "ab[cd]ef", "ab[]ef", false},
        {"a place alone follows the character after it", "ab[]cd", "abXY[]cd", true},
        {"a place inside the change", "a[]bcd", "a[]Xcd", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        const test::MarkedText before = test::parseMarked(QString::fromLatin1(row.before));
        const test::MarkedText after = test::parseMarked(QString::fromLatin1(row.after));
        const TextShift::Range range =
            TextShift(before.text, after.text).follow(before.anchor, before.caret);
        EXPECT_EQ(range.start, after.anchor);
        EXPECT_EQ(range.end, after.caret);
        EXPECT_EQ(range.kept, row.kept);
    }
}

} // namespace
} // namespace vellum
