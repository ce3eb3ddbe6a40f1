// What only the in-memory buffer has: a wrap width in characters that can change, typed text, and
// caret pixels on a character grid. The shared contract is tested in the widget tests, against
// the buffer and the widget alike.
#include "core/editor/text_buffer.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

// The display lines drawn as the text with "|" at each wrap point.
QString drawn(const TextBuffer& b) {
    QString out = b.text();
    for (int line = b.lineCount() - 1; line > 0; --line) {
        const int start = b.lineStart(line);
        if (!b.text().mid(start - 2, 2).startsWith(QLatin1Char('\r')))
            out.insert(start, QLatin1Char('|'));
    }
    return out;
}

TEST(TextBuffer, ChangingTheWrapWidthWrapsAgain) {
    const struct {
        int width;
        QString lines;
        QPoint caret; // of position 9, on the 8 x 16 grid
    } rows[] = {
        {4, "one |two |thre|e\r\n  ab|cd", {8, 32}},
        {8, "one two |three\r\n  abcd", {8, 16}},
        {0, "one two three\r\n  abcd", {72, 0}},
    };
    TextBuffer b(20);
    b.setText(QStringLiteral("one two three\r\n  abcd"));
    b.setSelection(9, 9);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width);
        b.setWrapWidth(row.width);
        EXPECT_EQ(drawn(b), row.lines);
        EXPECT_EQ(b.caretPixelPosition(), row.caret);
    }
}

TEST(TextBuffer, TypedTextIsOneUndoStepWithItsSelectionBack) {
    TextBuffer b;
    b.setText(QStringLiteral("abcd"));
    b.setSelection(3, 1);
    b.typeText(QStringLiteral("x\ny"));
    EXPECT_EQ(b.text(), "ax\r\nyd");
    EXPECT_EQ(b.caret(), 5);
    EXPECT_TRUE(b.isModified());
    b.undo();
    EXPECT_EQ(b.text(), "abcd");
    EXPECT_EQ(b.caret(), 1);
    EXPECT_EQ(b.selection(), (Selection{1, 3}));
    EXPECT_FALSE(b.canUndo());
}

} // namespace
} // namespace vellum
