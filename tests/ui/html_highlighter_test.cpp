#include "core/editor/text_buffer.h"
#include "core/foundation/clipboard.h"
#include "support/fixed_pitch_editor.h"
#include "ui/editor/html_highlighter.h"
#include "ui/editor/plain_text_control.h"

#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace vellum {
namespace {

// The colour paragraph `number` shows at `column`, or an invalid colour for plain text.
QColor colourAt(const QTextDocument& document, int number, int column) {
    const QTextBlock block = document.findBlockByNumber(number);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length)
            return range.format.foreground().color();
    }
    return {};
}

TEST(HtmlHighlighter, ColoursWhatIsShownFollowsEditsAndKeepsTheLines) {
    const int columns = 30;
    QStringList lines{QStringLiteral("<!DOCTYPE html>")};
    for (int i = 0; i < 3000; ++i)
        lines << QStringLiteral("<p class=\"x%1\">a &amp; b and some words to wrap</p>").arg(i);
    MemoryClipboard clipboard;
    PlainTextEditor editor;
    auto* control = new PlainTextControl(&editor, &clipboard);
    editor.setFont(test::fixedPitchFont());
    control->setText(lines.join(QStringLiteral("\r\n")));
    ASSERT_TRUE(test::showWithColumns(editor, columns));
    editor.repaint();
    const QTextDocument& text = *editor.document();

    // Tag, attribute name, value, entity and doctype each have a colour of their own; the words
    // between tags keep the text colour.
    const QColor tag = colourAt(text, 1, 0), name = colourAt(text, 1, 3),
                 value = colourAt(text, 1, 10), entity = colourAt(text, 1, 17);
    EXPECT_TRUE(tag.isValid() && name.isValid() && value.isValid() && entity.isValid());
    EXPECT_EQ(QSet<QRgb>({tag.rgb(), name.rgb(), value.rgb(), entity.rgb()}).size(), 4);
    EXPECT_TRUE(colourAt(text, 0, 3).isValid());
    EXPECT_FALSE(colourAt(text, 1, 15).isValid()) << "the word between the tags";
    // Nothing far below the view has even been lexed.
    EXPECT_EQ(text.findBlockByNumber(2500).userState(), -1);

    // An opened comment runs on over the paragraphs below it.
    const int second = text.findBlockByNumber(1).position();
    control->setSelection(second, second);
    control->replaceSelection(QStringLiteral("<!--"));
    editor.repaint();
    const QColor comment = colourAt(text, 2, 0);
    EXPECT_TRUE(comment.isValid());
    EXPECT_NE(comment, tag);
    EXPECT_EQ(colourAt(text, 3, 20), comment);
    EXPECT_EQ(text.findBlockByNumber(2500).userState(), -1);

    // At the end, reached in slices, the comment is still open.
    control->setSelection(control->text().size(), control->text().size());
    editor.ensureCursorVisible();
    editor.repaint();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            editor.repaint();
            return colourAt(text, text.blockCount() - 1, 5).isValid();
        },
        20000));
    EXPECT_EQ(colourAt(text, text.blockCount() - 1, 5), comment);

    // The colours change no line: the display lines are those of plain text wrapped alike.
    ASSERT_TRUE(QTest::qWaitFor([&] { return control->isLayoutSettled(); }, 20000));
    TextBuffer plain(columns);
    plain.setText(control->text());
    EXPECT_EQ(control->lineCount(), plain.lineCount());
    const int middle = control->text().size() / 2;
    EXPECT_EQ(control->lineFromPosition(middle), plain.lineFromPosition(middle));

    // Turned off, the colours go.
    editor.highlighter().setEnabled(false);
    EXPECT_FALSE(colourAt(text, 3, 20).isValid());
}

} // namespace
} // namespace vellum
