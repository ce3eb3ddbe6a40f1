#include "core/editor/insertion.h"
#include "core/helpers/list_code.h"
#include "support/buffer_document.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace vellum {
namespace {

using Set = std::function<void(ListOptions&)>;
using Kind = ListOptions::Kind;
using Style = ListOptions::Style;

void asTheyAre(ListOptions&) {}

Set items(Set more = asTheyAre) {
    // The window clears the list kind when it turns to items.
    return [=](ListOptions& o) { o.mode = ListOptions::Mode::Item, o.kind = Kind::None, more(o); };
}

TEST(ListCode, TextAndTheWayBackToTheFirstItem) {
    const struct {
        const char* name;
        Set set;
        const char* text; // empty: nothing is inserted
        int gotoLine;
    } rows[] = {
        {"starting values", asTheyAre, "<UL>\r\n<LI> \r\n<LI> \r\n</UL>", -1},
        {"numbered from 3 in roman, indent 1: the list tags get no tab",
         [](ListOptions& o) {
             o.kind = Kind::Number, o.styles = {Style::UpperRoman}, o.startShown = true;
             o.start = "3", o.count = 3, o.indent = 1;
         },
         "<OL start=3>\r\n\t<LI type=I> \r\n\t<LI> \r\n\t<LI> \r\n</OL>", -2},
        {"one item", [](ListOptions& o) { o.count = 1; }, "<UL>\r\n<LI> \r\n</UL>", 0},
        {"no count below the one item always written", [](ListOptions& o) { o.count = -4; },
         "<UL>\r\n<LI> \r\n</UL>", 0},
        {"indent 3: two tabs before the list tags, three before the items",
         [](ListOptions& o) { o.indent = 3; },
         "\t\t<UL>\r\n\t\t\t<LI> \r\n\t\t\t<LI> \r\n\t\t</UL>", -1},
        {"no start while its box is hidden",
         [](ListOptions& o) { o.kind = Kind::Number, o.start = "3"; },
         "<OL>\r\n<LI> \r\n<LI> \r\n</OL>", -1},
        {"definition list", [](ListOptions& o) { o.kind = Kind::Definition; },
         "<DL>\r\n<DT> \r\n<DT> \r\n</DL>", -1},
        {"the style examined last wins",
         [](ListOptions& o) {
             o.styles = {Style::LowerLetter, Style::Circle, Style::Square2};
         },
         "<UL>\r\n<LI type=a> \r\n<LI> \r\n</UL>", -1},
        {"no list kind: nothing", [](ListOptions& o) { o.kind = Kind::None; }, "", 0},
        {"items only, definition terms, no list tags",
         items([](ListOptions& o) { o.definitionItem = true; }), "<DT> \r\n<DT> ", 0},
        {"items only, the style on the first item alone",
         items([](ListOptions& o) { o.styles = {Style::UpperLetter}, o.count = 3; }),
         "<LI type=A> \r\n<LI> \r\n<LI> ", -1},
        {"one item only, indent 2", items([](ListOptions& o) { o.count = 1, o.indent = 2; }),
         "\t\t<LI> ", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ListOptions options;
        row.set(options);
        const ListCode code = listGenerator(options);
        EXPECT_EQ(code.text, QString(row.text));
        EXPECT_EQ(code.insert, *row.text != '\0');
        EXPECT_EQ(code.gotoLine, row.gotoLine);
    }
}

TEST(ListCode, RefusesMoreThanTheScratchEditorHolds) {
    // A numbered list from 1000 with 1142854 items is exactly 8000000 characters long.
    const auto large = [](const char* start) {
        return [=](ListOptions& o) {
            o.kind = Kind::Number, o.startShown = true, o.start = start, o.count = 1142854;
        };
    };
    const struct {
        const char* name;
        Set set;
        bool tooLarge;
    } rows[] = {
        {"exactly as much as it holds", large("1000"), false},
        {"one character more", large("10000"), true},
        {"the largest indent", items([](ListOptions& o) { o.indent = INT_MAX; }), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ListOptions options;
        row.set(options);
        const ListCode code = listGenerator(options);
        EXPECT_EQ(code.tooLarge, row.tooLarge);
        EXPECT_EQ(code.insert, !row.tooLarge);
        EXPECT_EQ(code.text.size(), row.tooLarge ? 0 : ScratchCapacity);
    }
}

TEST(ListCode, InsertLeavesTheCaretAfterTheFirstItemTag) {
    const struct {
        const char* name;
        Set set;
        const char* before;
        const char* after;
    } rows[] = {
        {"one item mid-line: to the end of that line", items([](ListOptions& o) { o.count = 1; }),
         "ab|cd\r\nef", "ab<LI> cd|\r\nef"},
        {"two items mid-line: the rest of the line follows the last one", items(), "ab|cd",
         "ab<LI> |\r\n<LI> cd"},
        {"a list goes on a fresh line after the selection, which stays", asTheyAre, "x[ab]y",
         "xab\r\n<UL>\r\n<LI> |\r\n<LI> \r\n</UL>y"},
        {"no list kind: the document stays as it was", [](ListOptions& o) { o.kind = Kind::None; },
         "a|b", "a|b"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::BufferDocument document;
        test::BufferContext workspace;
        workspace.document = &document;
        Insertions insertions(workspace);
        test::load(document.buffer, row.before);
        ListOptions options;
        row.set(options);
        insertList(insertions, workspace.scratchBuffer, listGenerator(options));
        EXPECT_EQ(test::show(document.buffer), row.after);
        EXPECT_TRUE(workspace.scratchBuffer.text().isEmpty());
    }
    test::BufferContext none;
    Insertions insertions(none);
    insertList(insertions, none.scratchBuffer, listGenerator({}));
    EXPECT_TRUE(none.scratchBuffer.text().isEmpty());
}

} // namespace
} // namespace vellum
