// Placing findings in a text: positions to lines and columns and back, whatever the line breaks.
#include "core/editor/page_check.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

TEST(PageCheck, LinesAndColumnsOfPositions) {
    struct Row {
        const char* text;
        int position;
        int line;
        int column;
        int back; // the position the line and column lead back to
    };
    const Row rows[] = {
        {"", 0, 1, 1, 0},         {"ab\r\ncd", 1, 1, 2, 1},  {"ab\r\ncd", 2, 1, 3, 2},
        {"ab\r\ncd", 3, 1, 3, 2}, // between CR and LF: the end of the line
        {"ab\r\ncd", 4, 2, 1, 4}, {"ab\ncd\rx", 7, 3, 2, 7}, {"ab\r\n\r\nc", 6, 3, 1, 6},
        {"ab", 9, 1, 3, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.text << " at " << row.position);
        const QString text = QString::fromLatin1(row.text);
        const LineIndex lines(text);
        const TextPoint point = lines.pointOf(row.position);
        EXPECT_EQ(point.line, row.line);
        EXPECT_EQ(point.column, row.column);
        EXPECT_EQ(lines.positionOf(point), row.back);
    }
    const QString text = "ab\r\ncd";
    EXPECT_EQ(LineIndex(text).positionOf({1, 40}), 2);
    EXPECT_EQ(LineIndex(text).positionOf({7, 1}), 6);
}

} // namespace
} // namespace vellum
