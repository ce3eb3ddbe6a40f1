// What only the widget adapter has to get right: display lines that stay exact while the widget
// relays its text out lazily, and the widget's own text form.
#include "core/editor/text_buffer.h"
#include "core/foundation/clipboard.h"
#include "support/fixed_pitch_editor.h"
#include "support/qt_printers.h"
#include "ui/editor/plain_text_control.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

// Paragraphs of different lengths, so that every width wraps them differently.
QString paragraphs(int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("word%1 ").repeated(i % 9) + QStringLiteral("end");
    return out.join(QLatin1String("\r\n"));
}

// The most characters of `font` that fit in `pixels`.
int columnsIn(const QFont& font, int pixels) {
    int n = 0;
    while (test::columnsWidth(font, n + 1) <= pixels)
        ++n;
    return n;
}

class PlainTextControlTest : public ::testing::Test {
public:
    MemoryClipboard clipboard;
    PlainTextEditor editor;
    PlainTextControl* control = new PlainTextControl(&editor, &clipboard); // owned by the editor

    void start(const QString& text, int columns) {
        editor.setFont(test::fixedPitchFont());
        control->setText(text);
        ASSERT_TRUE(test::showWithColumns(editor, columns));
        control->settleLayout();
    }
    bool waitForSettled() {
        return QTest::qWaitFor([this] { return control->isLayoutSettled(); }, 20000);
    }
    // The widget's display lines against the buffer's at `columns`; the middle of the text is
    // asked first, before anything has laid the whole text out.
    void expectLinesAsBuffer(int columns) {
        TextBuffer want(columns);
        want.setText(control->text());
        for (const int pos : {want.length() / 2, want.length() - 1, 7, want.length()})
            EXPECT_EQ(control->lineFromPosition(pos), want.lineFromPosition(pos)) << pos;
        const int middle = want.lineCount() / 2;
        EXPECT_EQ(control->lineStart(middle), want.lineStart(middle));
        EXPECT_EQ(control->lineCount(), want.lineCount());
    }
};

TEST_F(PlainTextControlTest, DisplayLinesStayExactAfterResizesFontChangesAndEdits) {
    const struct {
        const char* intent;
        std::function<int(PlainTextControlTest&)> change; // returns the columns after it
    } rows[] = {
        {"narrower", [](auto& t) { return test::showWithColumns(t.editor, 13) ? 13 : -1; }},
        {"wider", [](auto& t) { return test::showWithColumns(t.editor, 70) ? 70 : -1; }},
        {"larger font",
         [](auto& t) {
             t.editor.setFont(test::fixedPitchFont(19));
             return columnsIn(t.editor.font(), t.editor.viewport()->width());
         }},
        {"paragraphs added above",
         [](auto& t) {
             t.control->setSelection(5, 5);
             t.control->replaceSelection(QStringLiteral("one two\r\n\r\nthree four five six\r\n"));
             return 30;
         }},
        {"paragraphs removed above",
         [](auto& t) {
             t.control->setSelection(3, 300);
             t.control->replaceSelection(QString());
             return 30;
         }},
        {"paragraphs added above before the layout settled",
         [](auto& t) {
             test::showWithColumns(t.editor, 17);
             t.control->setSelection(900, 900);
             // More paragraphs than the widget lays out itself at the end of the text.
             t.control->replaceSelection(QStringLiteral("\r\nsome more words").repeated(80));
             return 17;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        start(paragraphs(400), 30);
        const int columns = row.change(*this);
        ASSERT_GT(columns, 0);
        expectLinesAsBuffer(columns);
    }
}

TEST_F(PlainTextControlTest, LayoutSettlesInIdleTimeChunksAfterAResize) {
    start(paragraphs(20000), 40);
    TextBuffer want(25);
    want.setText(control->text());
    const int pos = want.length() - 20;

    QSignalSpy settled(control, &PlainTextControl::layoutSettled);
    ASSERT_TRUE(test::showWithColumns(editor, 25));
    EXPECT_FALSE(control->isLayoutSettled());
    EXPECT_EQ(control->lineFromPositionIfSettled(pos), -1);
    EXPECT_TRUE(settled.wait(20000));
    EXPECT_TRUE(control->isLayoutSettled());
    EXPECT_EQ(control->lineFromPositionIfSettled(pos), want.lineFromPosition(pos));

    // A display that got -1 still hears of the layout when an exact query settled it first.
    settled.clear();
    ASSERT_TRUE(test::showWithColumns(editor, 40));
    EXPECT_EQ(control->lineFromPositionIfSettled(pos), -1);
    control->lineCount();
    EXPECT_TRUE(settled.wait(20000));
}

TEST_F(PlainTextControlTest, TextKeepsNoBreakSpacesAndCrLf) {
    const struct {
        const char* intent;
        QString given, text;
    } rows[] = {
        {"CR LF round-trips exactly", "a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"},
        {"a no-break space is kept", QStringLiteral("a\u00a0b\r\n\u00a0"),
         QStringLiteral("a\u00a0b\r\n\u00a0")},
        {"lone CR and LF become CR LF", "a\rb\nc", "a\r\nb\r\nc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        start(row.given, 30);
        EXPECT_EQ(control->text(), row.text);
        EXPECT_EQ(control->length(), row.text.size());
        control->selectAll();
        control->copy();
        EXPECT_EQ(clipboard.text(), row.text);
    }
}

// A text large enough to go to the widget in pieces comes back whole, with nothing to undo.
TEST_F(PlainTextControlTest, ALargeTextTakenInPiecesComesBackWhole) {
    start(QString(), 200);
    // The last piece may hold no line break but the one that ends the text.
    const QString longLastLine = QStringLiteral("word ").repeated(1 << 18) + QStringLiteral("\r\n");
    for (const QString& given :
         {paragraphs(90000) + QStringLiteral("\r\n"), paragraphs(90000) + QStringLiteral("tail"),
          paragraphs(90000) + QStringLiteral("\r\n") + longLastLine}) {
        ASSERT_GT(given.size(), 2 << 20);
        QString taken = given;
        taken.detach();
        control->takeText(std::move(taken));
        EXPECT_EQ(control->text(), given);
        EXPECT_EQ(editor.document()->blockCount(), given.count(QLatin1String("\r\n")) + 1);
        EXPECT_EQ(control->selection(), Selection{});
        EXPECT_FALSE(control->isModified());
        EXPECT_FALSE(control->canUndo());
    }
}

// A large text's lines are counted on another thread while it goes in; whatever happens to the
// text or its layout before those counts are taken must not leave them standing.
TEST_F(PlainTextControlTest, LinesCountedWhileALargeTextGoesInStayExact) {
    // Ten words of seven letters wrap into four lines at 30 columns, eighty letters into three.
    const QString head = QStringLiteral("abcdefg ").repeated(10);
    const QString given = head + QStringLiteral("\r\n") + paragraphs(20000) +
                          QStringLiteral("\rlone\nbreaks\r\nand a tail");
    const struct {
        const char* intent;
        std::function<int(PlainTextControlTest&)> change; // returns the columns after it
    } rows[] = {
        {"asked at once", [](auto&) { return 30; }},
        {"asked once settled", [](auto& t) { return t.waitForSettled() ? 30 : -1; }},
        {"a narrower window first",
         [](auto& t) { return test::showWithColumns(t.editor, 13) ? 13 : -1; }},
        {"paragraphs added at the start first",
         [](auto& t) {
             t.control->setSelection(0, 0);
             t.control->replaceSelection(QStringLiteral("one two\r\n\r\nthree four\r\n"));
             return 30;
         }},
        {"a paragraph of the same length wrapping otherwise first",
         [&head](auto& t) {
             t.control->setSelection(0, static_cast<int>(head.size()));
             t.control->replaceSelection(QString(head.size(), QLatin1Char('x')));
             return 30;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        start(QString(), 30);
        QString taken = given;
        control->takeText(std::move(taken));
        const int columns = row.change(*this);
        ASSERT_GT(columns, 0);
        expectLinesAsBuffer(columns);
    }
}

TEST_F(PlainTextControlTest, HidingTheSelectionKeepsIt) {
    start(QStringLiteral("one two three"), 30);
    control->setSelection(7, 4);
    const QPalette shown = editor.palette();
    control->setSelectionHidden(true);
    EXPECT_EQ(editor.palette().color(QPalette::Highlight), editor.palette().color(QPalette::Base));
    EXPECT_EQ(control->selection(), (Selection{4, 7}));
    control->setSelectionHidden(false);
    EXPECT_EQ(editor.palette().color(QPalette::Highlight), shown.color(QPalette::Highlight));
    EXPECT_EQ(control->selection(), (Selection{4, 7}));
}

} // namespace
} // namespace vellum

namespace vellum {
namespace {

// Setting the same tab stops (or any option) again makes the widget drop every paragraph's
// layout while no input it is laid out from changes; the lines must stay exact, and asking about
// a paragraph nothing has laid out again must not crash.
TEST_F(PlainTextControlTest, LayoutDroppedWithoutAnyChangeIsNoticed) {
    start(paragraphs(3000), 30);
    ASSERT_TRUE(control->isLayoutSettled());
    editor.document()->setDefaultTextOption(editor.document()->defaultTextOption());
    expectLinesAsBuffer(30);
    const int last = control->lineCount() - 1;
    EXPECT_EQ(control->lineText(last), control->text()
                                           .section(QLatin1String("\r\n"), -1)
                                           .right(control->lineLength(control->lineStart(last))));

    // Through the control's own operation the same stops twice leave the layout alone.
    QList<QTextOption::Tab> tabs{QTextOption::Tab(40, QTextOption::LeftTab)};
    control->setTabStops(tabs, 40);
    ASSERT_TRUE(waitForSettled());
    control->setTabStops(tabs, 40);
    EXPECT_TRUE(control->isLayoutSettled());
    expectLinesAsBuffer(30);
}

// A long paragraph holding the caret keeps its shaped glyphs, so each paint (each blink of the
// caret) does not shape it again; one paragraph at a time, or a page of long lines would keep
// some 35 bytes for every character shown once. Giving them back must not lose its lines.
TEST_F(PlainTextControlTest, OnlyTheLongParagraphHoldingTheCaretKeepsItsShapes) {
    const QString longOne = QStringLiteral("word ").repeated(12000);
    start(longOne + QStringLiteral("\r\nshort\r\n") + longOne, 40);
    const QTextBlock first = editor.document()->firstBlock();
    const QTextBlock last = editor.document()->lastBlock();
    editor.viewport()->repaint();
    EXPECT_TRUE(first.layout()->cacheEnabled());
    EXPECT_FALSE(last.layout()->cacheEnabled());

    // Typing in the other one lays it out again, holding the caret: the first gives its shapes
    // back.
    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&editor, QStringLiteral("ab"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(last.layout()->cacheEnabled());
    EXPECT_FALSE(first.layout()->cacheEnabled());
    expectLinesAsBuffer(40);
}

TEST_F(PlainTextControlTest, AChangeWithinAParagraphLaysItOutAlone) {
    // Paragraphs of different lengths, so that one given another's layout would show the wrong
    // number of lines; coloured ones colour their paragraph again after each change.
    const QString coloured =
        QStringLiteral("<p class=\"a\">one</p>\r\n<p>two three four five six seven "
                       "eight nine ten eleven twelve</p>\r\n<b>x</b>\r\n")
            .repeated(6);
    const QString plain =
        QStringLiteral("one\r\ntwo three four five six seven eight nine ten eleven\r\nx\r\n")
            .repeated(6);
    const struct {
        const char* intent;
        int from, to; // in the paragraph numbered 1; from its end when negative
        const char* with;
        bool onlyItsOwn; // the paragraphs after it keep their layouts
        bool moves;      // the paragraphs after it move, and are drawn again
    } rows[] = {
        {"a typed character", 5, 5, "X", true, false},
        {"typed at its start", 0, 0, "X", true, false},
        {"its last character taken away", -2, -1, "", true, false},
        {"a word that takes a line more", 5, 5, "abcdefghijklmnopqrstuvwxyz ", true, true},
        {"it and its break replaced by another", 0, 1000, "<i>new</i>\r\n", false, true},
        {"its break replaced by another", -1, 1000, "\r\n", false, false},
        {"a paragraph put before it", 0, 0, "<i>new</i>\r\n", false, true},
    };
    for (const QString& text : {coloured, plain}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.intent);
            SCOPED_TRACE(text.left(3).toStdString());
            start(text, 30);
            editor.viewport()->repaint();
            const QTextBlock block = editor.document()->findBlockByNumber(1);
            ASSERT_GT(block.next().next().layout()->lineCount(), 0) << "shown";
            // Positions in the text with CR LF breaks, as the control counts them.
            const int first = text.indexOf(QLatin1String("\r\n")) + 2;
            const int end = text.indexOf(QLatin1String("\r\n"), first);
            const auto at = [&](int offset) {
                return offset < 0 ? end + offset + 1 : std::min(first + offset, end + 2);
            };
            control->setSelection(at(row.from), at(row.to));
            QSignalSpy drawnAgain(editor.document()->documentLayout(),
                                  &QAbstractTextDocumentLayout::update);
            if (row.with == QStringLiteral("X"))
                QTest::keyClick(&editor, Qt::Key_X);
            else
                control->replaceSelection(QString::fromUtf8(row.with));
            EXPECT_EQ(!drawnAgain.isEmpty(), row.moves || !row.onlyItsOwn);
            if (row.onlyItsOwn) {
                EXPECT_GT(block.next().layout()->lineCount(), 0);
                EXPECT_GT(block.next().next().layout()->lineCount(), 0);
            }
            // A paragraph still laid out is laid out from its own text.
            for (QTextBlock b = editor.document()->firstBlock(); b.isValid(); b = b.next()) {
                const QTextLayout* layout = b.layout();
                if (layout->lineCount() > 0) {
                    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
                    EXPECT_EQ(last.textStart() + last.textLength(), b.length() - 1)
                        << "paragraph " << b.blockNumber();
                }
            }
            expectLinesAsBuffer(30);
        }
    }
}

// The text kept for searching is read again only where it changed; whatever the change, it must
// be the widget's text as it is now.
TEST_F(PlainTextControlTest, TextKeptForSearchingFollowsEveryEdit) {
    start(QStringLiteral("<p>one</p>\r\n<p>two</p>\r\nthree"), 40);
    constexpr int End = -1; // the end of the text
    const struct {
        const char* intent;
        int from, to;
        QString put; ///< typed when short of a break, else put in; empty: Backspace
    } rows[] = {
        {"typed at the start", 0, 0, "ab"},
        {"typed at the end", End, End, "yz"},
        {"a break taken out", 14, 14, ""},
        {"a span over breaks replaced", 2, 20, "X\r\nY"},
        {"the last character taken out", End, End, ""},
        {"everything replaced", 0, End, "q"},
        {"everything taken out", 0, End, ""},
        {"typed into nothing", 0, 0, "new"},
    };
    const auto at = [this](int pos) { return pos == End ? control->length() : pos; };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        control->setSelection(at(row.from), at(row.to));
        if (row.put.isEmpty())
            QTest::keyClick(&editor, Qt::Key_Backspace);
        else if (row.put.contains('\n'))
            control->replaceSelection(row.put);
        else
            QTest::keyClicks(&editor, row.put);
        EXPECT_EQ(control->searchableText(), editor.document()->toRawText());
        control->undo();
        EXPECT_EQ(control->searchableText(), editor.document()->toRawText()) << "undone";
        control->setSelection(at(row.from), at(row.to));
        QTest::keyClicks(&editor, "s");
    }
    control->setText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(control->searchableText(), editor.document()->toRawText());
}

// A large text goes into the document by building its structures at once; the document must
// be the one a cursor would have built, paragraph for paragraph, and stay so through edits.
TEST_F(PlainTextControlTest, ATextTakenInAtOnceIsTheDocumentACursorBuilds) {
    const QString lines = paragraphs(40000); // two pieces or more
    const struct {
        const char* intent;
        QString text;
    } rows[] = {
        {"CR LF, lone CR and LF, empty lines", lines + "\r\n\r\na\rb\n\nc\r\n" + lines},
        {"a break at the end", lines + "\r\n"},
        {"document marks", lines + QStringLiteral(u"x\u2029y\uFDD0z\uFDD1\r\n") + lines},
        {"one paragraph", QStringLiteral("word ").repeated(100000)},
        {"a short text", "a\r\nb"},
        {"nothing", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        QString taken = row.text;
        taken.detach();
        control->takeText(std::move(taken));
        QTextDocument want;
        want.setPlainText(row.text);
        QTextDocument& got = *editor.document();
        // The same edits on both, over breaks and within paragraphs, rebalance both trees.
        QRandomGenerator random(7);
        for (int edit = 0; edit <= 300; ++edit) {
            if (edit % 100 == 0) {
                ASSERT_EQ(got.toRawText(), want.toRawText()) << edit;
            }
            ASSERT_EQ(got.blockCount(), want.blockCount()) << edit;
            for (const int probe : {0, 1, got.characterCount() / 3, got.characterCount() - 1}) {
                const QTextBlock g = got.findBlock(probe), w = want.findBlock(probe);
                ASSERT_EQ(g.blockNumber(), w.blockNumber()) << edit << " " << probe;
                ASSERT_EQ(g.position(), w.position()) << edit << " " << probe;
                ASSERT_EQ(g.text(), w.text()) << edit << " " << probe;
            }
            const int at = random.bounded(got.characterCount());
            const int length = random.bounded(std::min(40, got.characterCount() - at));
            const QString put = edit % 3 ? QStringLiteral("new\nline") : QString();
            for (QTextDocument* doc : {&got, &want}) {
                QTextCursor c(doc);
                c.setPosition(at);
                c.setPosition(at + length, QTextCursor::KeepAnchor);
                c.insertText(put);
            }
        }
    }
}

} // namespace
} // namespace vellum
