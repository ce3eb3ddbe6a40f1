#include "core/editor/insertion.h"
#include "core/editor/text_buffer.h"
#include "support/buffer_document.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::BufferDocument;
using test::load;
using test::show;

TEST(Insertion, AddtagsWrapsTheSelection) {
    struct Row {
        const char* name;
        const char* before;
        const char* open;
        const char* close;
        const char* after;
    };
    const Row rows[] = {
        {"word and two spaces keeps them outside", "x [word  ]y", "<B>", "</B>",
         "x <B>[word]</B>  y"},
        {"no selection puts the caret between the tags", "ab|cd", "<B>", "</B>", "ab<B>|</B>cd"},
        {"a line break stays inside", "[para\r\n]next", "<P>", "</P>", "<P>[para\r\n]</P>next"},
        {"three spaces only", "a[   ]b", "<B>", "</B>", "a<B>|</B>   b"},
        {"tabs stay inside", "[a\t]", "<I>", "</I>", "<I>[a\t]</I>"},
        {"opening text ending in spaces keeps them after the closing text", "x[ab]y", "<A>  ",
         "</A>", "x<A>  [ab]</A>y"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BufferDocument document;
        TextBuffer scratch;
        InsertionSlots shared;
        load(document.buffer, row.before);
        document.buffer.setModified(false);
        docops::wrapInTags(document, scratch, shared, row.open, row.close);
        EXPECT_EQ(show(document.buffer), row.after);
        EXPECT_TRUE(scratch.text().isEmpty());
        EXPECT_TRUE(document.buffer.isModified());
        EXPECT_FALSE(document.buffer.canUndo());
    }
}

TEST(Insertion, OpeningTextEndingInSpacesSelectsBackwards) {
    BufferDocument document;
    TextBuffer scratch;
    InsertionSlots shared;
    load(document.buffer, "x|y");
    docops::wrapInTags(document, scratch, shared, "<A>  ", "</A>");
    // The spaces of the opening text count as trailing spaces: the closing text goes before them,
    // and the selection runs back from just after the opening text (b - k = -2).
    EXPECT_EQ(document.buffer.text(), "x<A></A>  y");
    EXPECT_EQ(document.buffer.selection(), (Selection{4, 6}));
    EXPECT_EQ(document.buffer.caret(), 4);
    EXPECT_EQ(shared.caretShift, 6);
}

TEST(Insertion, MainWindowOperations) {
    struct Row {
        const char* name;
        const char* before;
        std::function<void(Insertions&)> run;
        const char* after;
    };
    const Row rows[] = {
        {"listcode at a line start changes nothing", "ab\r\n|cd",
         [](Insertions& i) { i.openFreshLine(); }, "ab\r\n|cd"},
        {"listcode mid-line breaks the line", "ab|cd", [](Insertions& i) { i.openFreshLine(); },
         "ab\r\n|cd"},
        {"listcode after a selection keeps it", "a[bc]d", [](Insertions& i) { i.openFreshLine(); },
         "abc\r\n|d"},
        {"listcode after a selection ending a line", "[ab]",
         [](Insertions& i) { i.openFreshLine(); }, "ab\r\n|"},
        {"listcode2 replaces the selection", "a[bc]d", [](Insertions& i) { i.insertText("<HR>"); },
         "a<HR>|d"},
        {"wraptag", "[w]", [](Insertions& i) { i.wrapSelection("<U>", "</U>"); }, "<U>[w]</U>"},
        {"gotoLine 1 goes to the end of the caret's line", "ab\r\nc|d\r\nef",
         [](Insertions& i) { i.gotoLine(1); }, "ab\r\ncd|\r\nef"},
        {"gotoLine 0 goes to the end of the line above", "ab\r\nc|d\r\nef",
         [](Insertions& i) { i.gotoLine(0); }, "ab|\r\ncd\r\nef"},
        {"gotoLine 0 on the first line stays on it", "a|b\r\ncd",
         [](Insertions& i) { i.gotoLine(0); }, "ab|\r\ncd"},
        {"gotoLine past the end clamps to the last line", "a|b\r\ncd",
         [](Insertions& i) { i.gotoLine(9); }, "ab\r\ncd|"},
        {"gotoLineEnd", "|ab\r\ncd\r\nef", [](Insertions& i) { i.gotoLineEnd(2); },
         "ab\r\ncd|\r\nef"},
        {"moveline goes six back", "0123456789|abc", [](Insertions& i) { i.caretIntoTableCell(); },
         "0123|456789abc"},
        {"changeline clamps", "ab\r\n|cd", [](Insertions& i) { i.moveCaretToLine(7); },
         "ab\r\n|cd"},
        {"changeline to the first line", "ab\r\nc|d", [](Insertions& i) { i.moveCaretToLine(-3); },
         "|ab\r\ncd"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BufferDocument document;
        test::BufferContext workspace;
        workspace.document = &document;
        Insertions insertions(workspace);
        load(document.buffer, row.before);
        row.run(insertions);
        EXPECT_EQ(show(document.buffer), row.after);
        EXPECT_TRUE(workspace.scratchBuffer.text().isEmpty());
    }
}

TEST(Insertion, InsertingNothingChangesNothing) {
    for (const char* before : {"a[bc]d!", "ab|cd!", "[abcd!]"}) {
        SCOPED_TRACE(before);
        BufferDocument document;
        test::BufferContext workspace;
        workspace.document = &document;
        Insertions insertions(workspace);
        // The "!" is the user's typing, kept for undo; the document was saved since.
        const test::MarkedText marked = test::parseMarked(before);
        document.buffer.setText(marked.text.chopped(1));
        document.buffer.setSelection(marked.text.size() - 1, marked.text.size() - 1);
        document.buffer.typeText("!");
        document.buffer.setModified(false);
        document.buffer.setSelection(marked.anchor, marked.caret);
        insertions.insertText(QString());
        EXPECT_EQ(show(document.buffer), QString(before));
        EXPECT_TRUE(document.buffer.canUndo());
        EXPECT_FALSE(document.buffer.isModified());
    }
}

TEST(Insertion, GotoLineCountsDisplayLines) {
    BufferDocument document(5);
    // "aaaa bbbb cc" wraps as "aaaa " / "bbbb " / "cc".
    load(document.buffer, "aaaa bbbb c|c");
    docops::goDownLines(document.buffer, 0);
    EXPECT_EQ(document.buffer.selection(), (Selection{10, 10}));
}

TEST(Insertion, TipperAndBoarditReportToTheWindow) {
    BufferDocument document;
    test::BufferContext workspace;
    workspace.document = &document;
    Insertions insertions(workspace);
    load(document.buffer, "go |now");
    workspace.shared.tagOpen = "<A href=\"\">";
    workspace.shared.tagClose = "</A>";
    insertions.wrapWithHint("an URL", 2);
    EXPECT_EQ(show(document.buffer), "go <A href=\"|\"></A>now");
    EXPECT_EQ(document.tip, "an URL");

    load(document.buffer, "go [word]");
    insertions.wrapWithHint("an URL", 2);
    EXPECT_EQ(show(document.buffer), "go <A href=\"|\">word</A>");

    workspace.scratchBuffer.replaceSelection("<BR>");
    insertions.insertScratch();
    EXPECT_EQ(document.lineSets, 1);
    EXPECT_EQ(workspace.scratchBuffer.text(), "");
}

TEST(Insertion, NothingHappensWithoutADocument) {
    test::BufferContext workspace;
    Insertions insertions(workspace);
    insertions.openFreshLine();
    insertions.insertText("<HR>");
    insertions.insertScratch();
    insertions.wrapSelection("<B>", "</B>");
    insertions.wrapWithHint("x", 1);
    insertions.gotoLine(1);
    insertions.gotoLineEnd(1);
    insertions.caretIntoTableCell();
    insertions.moveCaretToLine(1);
    insertions.focusDocument();
    insertions.disableEditor();
    insertions.enableEditor();
    // The scratch text is left for the next operation that finds a document.
    EXPECT_EQ(workspace.scratchBuffer.text(), "");
    EXPECT_EQ(workspace.shared.tagOpen, "");
}

} // namespace
} // namespace vellum
