// The text-control contract, run with identical cases against the in-memory buffer and the widget.
#include "core/editor/search.h"
#include "core/editor/text_buffer.h"
#include "core/foundation/clipboard.h"
#include "support/fixed_pitch_editor.h"
#include "support/marked_text.h"
#include "support/qt_printers.h"
#include "ui/editor/plain_text_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace vellum {
namespace {

// Texts are written with their selection (see parseMarked); a control's state is drawn the same
// way, "[" at the start and "]" at the end.
using test::drawMarked;
using test::MarkedText;
using test::parseMarked;

// "Make a control holding `marked`, wrapped at `columns` characters", one factory per
// implementation. Each call drops the previous control.
class BufferFactory {
public:
    MemoryClipboard clipboard;
    TextControl& make(const QString& marked, int columns) {
        const MarkedText m = parseMarked(marked);
        m_buffer = std::make_unique<TextBuffer>(columns, &clipboard);
        m_buffer->setText(m.text);
        m_buffer->setSelection(m.anchor, m.caret);
        return *m_buffer;
    }

private:
    std::unique_ptr<TextBuffer> m_buffer;
};

class WidgetFactory {
public:
    MemoryClipboard clipboard;
    TextControl& make(const QString& marked, int columns) {
        const MarkedText m = parseMarked(marked);
        m_editor = std::make_unique<PlainTextEditor>();
        m_editor->setFont(test::fixedPitchFont());
        auto* control = new PlainTextControl(m_editor.get(), &clipboard); // owned by the editor
        control->setText(m.text);
        // No events are processed after sizing: every answer must be exact before the idle-time
        // layout has run.
        EXPECT_TRUE(test::showWithColumns(*m_editor, columns));
        control->setSelection(m.anchor, m.caret);
        return *control;
    }

private:
    std::unique_ptr<PlainTextEditor> m_editor;
};

template <typename Factory> class TextControlContract : public ::testing::Test {
protected:
    Factory factory;
};

using Implementations = ::testing::Types<BufferFactory, WidgetFactory>;
TYPED_TEST_SUITE(TextControlContract, Implementations);

TYPED_TEST(TextControlContract, ReplaceSelectionNormalisesLineBreaks) {
    const struct {
        const char* intent;
        QString before, inserted, after;
    } rows[] = {
        {"replaces the selection, caret after", "a[bc]d", "XY", "aXY|d"},
        {"a reversed selection replaces the same text", "a]bc[d", "XY", "aXY|d"},
        {"lone LF becomes CR LF", "a|b", "1\n2", "a1\r\n2|b"},
        {"lone CR becomes CR LF", "a|b", "1\r2", "a1\r\n2|b"},
        {"CR LF is one break, LF CR two", "|", "1\r\n2\n\r3", "1\r\n2\r\n\r\n3|"},
        {"a no-break space is kept", "|", QStringLiteral("a\u00a0b"), QStringLiteral("a\u00a0b|")},
        {"empty text deletes across a break", "a[b\r\nc]d", "", "a|d"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TextControl& c = this->factory.make(row.before, 80);
        c.replaceSelection(row.inserted);
        EXPECT_EQ(drawMarked(c), row.after);
        EXPECT_EQ(c.length(), c.text().size());
        EXPECT_TRUE(c.isModified());
    }
}

// Searching reads a control's text in its own form: hits land on the same places in both.
TYPED_TEST(TextControlContract, SearchSelectsTheSameHits) {
    const struct {
        const char* intent;
        QString before;
        SearchOptions options;
        QString after;
    } rows[] = {
        {"after line breaks", "ab\r\n\r\n|x ab", {}, "ab\r\n\r\nx [ab]"},
        {"upward over line breaks", "ab\r\nx\r\n|ab", {true, false, false}, "[ab]\r\nx\r\nab"},
        {"a whole word ending at a line break",
         "|abc\r\nab\r\n",
         {false, false, true},
         "abc\r\n[ab]\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TextControl& c = this->factory.make(row.before, 80);
        EXPECT_TRUE(SearchText(c, "AB", row.options));
        EXPECT_EQ(drawMarked(c), row.after);
    }
}

// A search after a change finds what the text holds now, however it changed.
TYPED_TEST(TextControlContract, SearchSeesEveryChange) {
    const struct {
        const char* intent;
        QString before;
        std::function<void(TextControl&)> change;
        QString after;
    } rows[] = {
        {"an insertion before the hit", "|ab\r\ncd",
         [](TextControl& c) {
             c.setSelection(0, 0);
             c.replaceSelection("zz ");
         },
         "zz [ab]\r\ncd"},
        {"a cut before the hit", "|xab\r\ncd",
         [](TextControl& c) {
             c.setSelection(0, 1);
             c.cut();
         },
         "[ab]\r\ncd"},
        {"the cut undone after a search", "|xab\r\ncd",
         [](TextControl& c) {
             c.setSelection(0, 1);
             c.cut();
             SearchText(c, "AB", {});
             c.undo();
         },
         "x[ab]\r\ncd"},
        {"a new text", "|ab", [](TextControl& c) { c.setText("\r\nzz ab"); }, "\r\nzz [ab]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TextControl& c = this->factory.make(row.before, 80);
        EXPECT_TRUE(SearchText(c, "AB", {}));
        row.change(c);
        c.setSelection(0, 0);
        EXPECT_TRUE(SearchText(c, "AB", {}));
        EXPECT_EQ(drawMarked(c), row.after);
    }
}

TYPED_TEST(TextControlContract, SelectionIsStartFirstWithTheCaretWhereAsked) {
    const struct {
        const char* intent;
        int anchor, caret;
        QString shown;
        int caretLineStart;
    } rows[] = {
        {"between CR and LF snaps to before the CR", 3, 3, "ab|\r\ncd\r\nef", 0},
        {"a selection ending between CR and LF stops at the CR", 0, 3, "[ab]\r\ncd\r\nef", 0},
        {"positions are clamped to the text", -4, 99, "[ab\r\ncd\r\nef]", 8},
        {"forward: caret on the last line", 1, 9, "a[b\r\ncd\r\ne]f", 8},
        {"reversed: same characters, caret on the first line", 9, 1, "a[b\r\ncd\r\ne]f", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TextControl& c = this->factory.make("ab\r\ncd\r\nef", 80);
        c.setSelection(row.anchor, row.caret);
        EXPECT_EQ(drawMarked(c), row.shown);
        EXPECT_EQ(c.selectedText(), c.text().mid(c.selection().start, c.selection().length()));
        EXPECT_EQ(c.lineStart(-1), row.caretLineStart);
        EXPECT_EQ(CaretLine(c), c.lineFromPosition(c.selection().start));
        EXPECT_EQ(c.lineLength(-1), c.lineLength(c.selection().start));
        const MarkedText m = parseMarked(row.shown);
        c.replaceSelection(QStringLiteral("X"));
        EXPECT_EQ(drawMarked(c), m.text.left(m.anchor) + "X|" + m.text.mid(m.caret));
    }
}

// Display lines drawn as the text with "|" at each wrap point.
struct Lines {
    QString text;
    std::vector<int> starts{0}, ends; // [start, end) of each line, without its line break
    int lineOf(int position) const {
        if (position > 0 && position < text.size() && text.at(position - 1) == QLatin1Char('\r'))
            --position;
        return int(std::upper_bound(starts.begin(), starts.end(), position) - starts.begin()) - 1;
    }
};

Lines parseLines(const QString& drawn) {
    Lines l;
    for (int i = 0; i < drawn.size(); ++i) {
        const bool wrap = drawn.at(i) == QLatin1Char('|');
        if (wrap || drawn.at(i) == QLatin1Char('\r')) {
            l.ends.push_back(l.text.size());
            l.text += wrap ? QString() : QStringLiteral("\r\n");
            i += wrap ? 0 : 1;
            l.starts.push_back(l.text.size());
        } else {
            l.text += drawn.at(i);
        }
    }
    l.ends.push_back(l.text.size());
    return l;
}

TYPED_TEST(TextControlContract, DisplayLinesWrapAfterTheLastSpaceThatFits) {
    const struct {
        const char* intent;
        QString drawn;
        int columns;
    } rows[] = {
        {"words wrap after the last space that fits", "one two |three", 8},
        {"a long word is cut at the width", "abcdefgh|ijklmnop|qr", 8},
        {"a long word after a short one starts a new line", "ab |cdefgh|ij", 6},
        {"a run of spaces hangs at the end of its line", "ab      |cd", 4},
        {"a space right after a full line hangs", "abcd |efgh", 4},
        {"a no-break space does not end a word", QStringLiteral("ab\u00a0c|d ef"), 4},
        {"opening spaces stay with a first word that does not fit", "  ab|cdef", 4},
        {"opening spaces wider than the line hang alone", "     |abc", 4},
        {"opening spaces filling the line keep one character of the word", "    a|bcd", 4},
        {"paragraphs, one empty, one wrapped", "ab\r\n\r\ncd |ef", 4},
        {"a closing CR LF adds no counted line", "ab\r\n", 4},
        {"an empty text has no lines", "", 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        const Lines want = parseLines(row.drawn);
        TextControl& c = this->factory.make(want.text, row.columns);
        const int lines = int(want.starts.size());
        EXPECT_EQ(c.lineCount(), want.starts.back() == want.text.size() ? lines - 1 : lines);
        EXPECT_EQ(c.lineStart(lines), -1);
        for (int n = 0; n < lines; ++n) {
            EXPECT_EQ(c.lineStart(n), want.starts[n]) << "line " << n;
            EXPECT_EQ(c.lineText(n), want.text.mid(want.starts[n], want.ends[n] - want.starts[n]));
        }
        // Every position, the wrap points and the middle of each CR LF included.
        for (int pos = 0; pos <= want.text.size(); ++pos) {
            const int line = want.lineOf(pos);
            EXPECT_EQ(c.lineFromPosition(pos), line) << "position " << pos;
            EXPECT_EQ(c.lineLength(pos), want.ends[line] - want.starts[line]) << "position " << pos;
        }
    }
}

TYPED_TEST(TextControlContract, SetCaretLineAndColumnClampAndCollapse) {
    enum Op { Line, Column };
    const struct {
        const char* intent;
        QString before;
        Op op;
        int value;
        QString after;
    } rows[] = {
        {"a line below zero is the first line", "ab\r\nc[d]", Line, -3, "|ab\r\ncd"},
        {"a line past the end is the last counted line", "[a]b\r\ncd\r\n", Line, 9,
         "ab\r\n|cd\r\n"},
        {"lines are display lines", "|one two three", Line, 1, "one two |three"},
        {"an empty text puts the caret at 0", "|", Line, 3, "|"},
        {"a column past the line's end is its end", "ab\r\n|cd\r\nef", Column, 9,
         "ab\r\ncd|\r\nef"},
        {"a column below zero is the line start", "ab\r\nc|d", Column, -2, "ab\r\n|cd"},
        {"the column counts in the selection start's line", "a[b\r\ncd]", Column, 0, "|ab\r\ncd"},
        {"past a wrapped line's end is its wrap point", "one t|wo three", Column, 20,
         "one two |three"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TextControl& c = this->factory.make(row.before, 8);
        row.op == Line ? SetCaretLine(c, row.value) : SetCaretColumn(c, row.value);
        EXPECT_EQ(drawMarked(c), row.after);
    }
}

TYPED_TEST(TextControlContract, ClipboardOperationsAreUndoableAndSetModified) {
    enum Op { Cut, Copy, Paste, Clear };
    const struct {
        const char* intent;
        QString before;
        Op op;
        QString clipboard, after, clipboardAfter;
    } rows[] = {
        {"cut moves the selection to the clipboard", "a[b\r\nc]d", Cut, "", "a|d", "b\r\nc"},
        {"copy leaves the text", "a]bc[d", Copy, "old", "a[bc]d", "bc"},
        {"paste replaces the selection, breaks made CR LF", "a[bc]d", Paste, "1\n2", "a1\r\n2|d",
         "1\n2"},
        {"clear leaves the clipboard", "a[bc]d", Clear, "old", "a|d", "old"},
        {"cut with nothing selected does nothing", "a|b", Cut, "old", "a|b", "old"},
        {"paste of an empty clipboard does nothing", "a|b", Paste, "", "a|b", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TextControl& c = this->factory.make(row.before, 80);
        this->factory.clipboard.setText(row.clipboard);
        const QString before = c.text();
        const Op op = row.op;
        op == Cut ? c.cut() : op == Copy ? c.copy() : op == Paste ? c.paste() : c.clear();
        EXPECT_EQ(drawMarked(c), row.after);
        EXPECT_EQ(this->factory.clipboard.text(), row.clipboardAfter);
        const bool changed = c.text() != before;
        EXPECT_EQ(c.isModified(), changed);
        EXPECT_EQ(c.canUndo(), changed);
        c.setModified(false);
        c.undo();
        EXPECT_EQ(c.text(), before);
        EXPECT_EQ(c.isModified(), changed);
    }
}

TYPED_TEST(TextControlContract, UndoStepsAndReplaceSelectionEmptiesTheHistory) {
    TextControl& c = this->factory.make("ab|", 80);
    this->factory.clipboard.setText(QStringLiteral("X"));
    c.paste();
    c.paste();
    c.setSelection(0, 1);
    c.cut();
    EXPECT_EQ(drawMarked(c), "|bXX");
    for (const char* expected : {"abXX", "abX", "ab"}) {
        ASSERT_TRUE(c.canUndo());
        c.undo();
        EXPECT_EQ(c.text(), expected);
    }
    c.paste();
    c.replaceSelection(QStringLiteral("Y"));
    EXPECT_FALSE(c.canUndo());
    const QString kept = c.text();
    c.undo();
    EXPECT_EQ(c.text(), kept);
}

TYPED_TEST(TextControlContract, ModifiedFlagSelectAllAndChangeHandler) {
    TextControl& c = this->factory.make("a|b\r\ncd", 80);
    for (const bool modified : {true, false}) {
        c.setModified(modified);
        EXPECT_EQ(c.isModified(), modified);
    }
    c.selectAll();
    EXPECT_EQ(drawMarked(c), "[ab\r\ncd]");
    EXPECT_EQ(c.selectedText(), "ab\r\ncd");

    int calls = 0;
    c.setChangeHandler([&calls] { ++calls; });
    const struct {
        const char* intent;
        std::function<void()> change;
    } rows[] = {
        {"replace", [&] { c.replaceSelection(QStringLiteral("abc")); }},
        {"cut", [&] { c.setSelection(0, 1), c.cut(); }},
        {"paste", [&] { c.paste(); }},
        {"clear", [&] { c.setSelection(0, 1), c.clear(); }},
        {"undo", [&] { c.undo(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        const int before = calls;
        row.change();
        EXPECT_GT(calls, before);
    }

    // Each change of the modified flag is reported once, with its new value; setting it to the
    // value it has is not a change.
    c.setModified(false);
    QList<bool> reported;
    c.setModifiedHandler([&reported](bool modified) { reported << modified; });
    for (const bool modified : {false, true, true, false})
        c.setModified(modified);
    c.replaceSelection(QStringLiteral("x"));
    EXPECT_EQ(reported, (QList<bool>{true, false, true}));
}

// The widget wraps at the width the factory asks for: a word of `n` characters fills a line.
TEST(TextControlContractCalibration, WidgetWrapsAtTheAskedColumns) {
    WidgetFactory factory;
    for (const int n : {4, 8, 13, 40}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(factory.make(QString(3 * n, QLatin1Char('x')), n).lineCount(), 3);
        EXPECT_EQ(factory.make(QString(3 * n + 1, QLatin1Char('x')), n).lineCount(), 4);
    }
}

} // namespace
} // namespace vellum
