#include "core/helpers/color_code.h"
#include "core/helpers/colour.h"
#include "core/helpers/font_code.h"
#include "core/helpers/table_code.h"
#include "core/helpers/whole_number.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

TEST(HelperColour, TextIsRedGreenBlueInUpperCaseHex) {
    const struct {
        const char* name;
        quint32 value;
        const char* text;
    } rows[] = {
        {"pure red is the lowest byte", 0x0000FF, "FF0000"},
        {"navy is the third byte", 0x800000, "000080"},
        {"white", 0xFFFFFF, "FFFFFF"},
        {"mixed parts come out red first in upper case", 0x1A2B3C, "3C2B1A"},
        {"the top byte is not part of the colour", 0x7F0A0B0C, "0C0B0A"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(colourText(row.value), QString(row.text));
    }
}

TEST(HelperColour, GridIsReadRowByRow) {
    const char* expected[16] = {"000000", "800000", "008000", "808000", "000080", "800080",
                                "008080", "C0C0C0", "808080", "FF0000", "00FF00", "FFFF00",
                                "0000FF", "FF00FF", "00FFFF", "FFFFFF"};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(colourText(gridColours()[i]), QString(expected[i]));
    }
}

TEST(HelperNumber, StrictIntTakesASignAndDigitsOnly) {
    const struct {
        const char* text;
        std::optional<int> value;
    } rows[] = {
        {"12", 12},          {"-3", -3},
        {"+4", 4},           {"", {}},
        {"-", {}},           {" 1", {}},
        {"1 ", {}},          {"1.5", {}},
        {"abc", {}},         {"$1F", {}},
        {"99999999999", {}}, {"2147483647", 2147483647},
        {"2147483648", {}},  {"-2147483648", -2147483647 - 1},
        {"-2147483649", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(strictInt(row.text), row.value);
    }
}

TEST(HelperFont, TagsCarryOnlyTheChosenAttributes) {
    const struct {
        const char* name;
        FontOptions options;
        const char* open;
    } rows[] = {
        {"nothing chosen", {}, "<FONT>"},
        {"colour and size", {false, 0x0000FF, 3}, "<FONT color=\"#FF0000\" size=3>"},
        {"size only, the colour is ignored", {true, 0x0000FF, 5}, "<FONT size=5>"},
        {"colour only", {false, 0x800000, 0}, "<FONT color=\"#000080\">"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FontCode code = fontGenerator(row.options);
        EXPECT_EQ(code.open, QString(row.open));
        EXPECT_EQ(code.close, QStringLiteral("</FONT>"));
        EXPECT_EQ(code.sample, QString(row.open) + " </FONT>");
    }
}

TEST(HelperColourCode, EachFormWithNavy) {
    const struct {
        ColourForm form;
        const char* text;
    } rows[] = {
        {ColourForm::None, ""},
        {ColourForm::Font, "color=\"#000080\""},
        {ColourForm::BgColor, "bgcolor=\"#000080\""},
        {ColourForm::Text, "text=\"#000080\""},
        {ColourForm::Link, "link=\"#000080\""},
        {ColourForm::VLink, "vlink=\"#000080\""},
        {ColourForm::ALink, "alink=\"#000080\""},
        {ColourForm::CodeOnly, "000080"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(colourGenerator(0x800000, row.form), QString(row.text));
    }
}

using Set = std::function<void(TableOptions&)>;
using H = TableOptions::HAlign;
using V = TableOptions::VAlign;

void asTheyAre(TableOptions&) {}

// Cells start from spans of 0 so that the table's starting border and spacing do not turn into
// spans.
Set rows(int count, Set more = asTheyAre) {
    return [=](TableOptions& o) { o.mode = TableOptions::Mode::Row, o.count = count, more(o); };
}
Set cells(int count, Set more = asTheyAre) {
    return [=](TableOptions& o) {
        o.mode = TableOptions::Mode::Cell, o.count = count, o.border = o.spacing = "0", more(o);
    };
}

TEST(HelperTable, Text) {
    const struct {
        const char* name;
        Set set;
        const char* text;
    } rowsOfTable[] = {
        {"starting values", asTheyAre, "<TABLE border=1>\r\n\r\n</TABLE>"},
        {"centred table is wrapped in CENTER", [](TableOptions& o) { o.align = H::Center; },
         "<CENTER>\r\n<TABLE border=1>\r\n\r\n</TABLE>\r\n</CENTER>"},
        {"width in percent and a colour",
         [](TableOptions& o) {
             o.width = "50", o.widthPercent = o.colourOn = true, o.colour = 0xFF;
         },
         "<TABLE width=50% bgcolor=\"#FF0000\" border=1>\r\n\r\n</TABLE>"},
        {"border 0 is still written", [](TableOptions& o) { o.border = "0"; },
         "<TABLE border=0>\r\n\r\n</TABLE>"},
        {"all table pieces in order",
         [](TableOptions& o) {
             o.width = "80", o.height = "10", o.heightPercent = true, o.align = H::Left,
             o.valign = V::Top, o.spacing = "3", o.padding = "4";
         },
         "<TABLE width=80 height=10% align=left valign=top cellspacing=3 cellpadding=4 "
         "border=1>\r\n\r\n</TABLE>"},
        {"indent 1 puts no tab before the table", [](TableOptions& o) { o.indent = 1; },
         "<TABLE border=1>\r\n\r\n</TABLE>"},
        {"indent 3 puts two tabs on every line but the empty one",
         [](TableOptions& o) { o.indent = 3, o.align = H::Center, o.captionOrNoWrap = true; },
         "\t\t<CENTER>\r\n\t\t<TABLE border=1>\r\n\t\t<CAPTION>  </CAPTION>\r\n\r\n"
         "\t\t</TABLE>\r\n\t\t</CENTER>"},
        {"caption below", [](TableOptions& o) { o.captionOrNoWrap = o.belowTable = true; },
         "<TABLE border=1>\r\n<CAPTION align=bottom>  </CAPTION>\r\n\r\n</TABLE>"},
        {"three rows apart by empty lines", rows(3), "<TR>\r\n\r\n<TR>\r\n\r\n<TR>\r\n"},
        {"one row", rows(1), "<TR>\r\n"},
        {"centred row at indent 3",
         rows(1,
              [](TableOptions& o) { o.indent = 3, o.align = H::Center, o.valign = V::Baseline; }),
         "\t\t<TR align=center valign=baseline>\r\n"},
        {"one cell", cells(1), "<TD> \r\n"},
        {"cell closed on its line", cells(1, [](TableOptions& o) { o.endCell = true; }),
         "<TD>  </TD>\r\n"},
        {"column span 0 is left out", cells(1, [](TableOptions& o) { o.spacing = "2"; }),
         "<TD rowspan=2> \r\n"},
        {"indent 1 puts one tab before a cell", cells(1, [](TableOptions& o) { o.indent = 1; }),
         "\t<TD> \r\n"},
        {"two cells at indent 3", cells(2, [](TableOptions& o) { o.indent = 3; }),
         "\t\t\t<TD> \r\n\t\t\t<TD> \r\n"},
        {"all cell pieces in order",
         cells(1,
               [](TableOptions& o) {
                   o.width = "20", o.height = "30", o.heightPercent = o.colourOn = true;
                   o.colour = 0x800000, o.border = "2", o.spacing = "3", o.align = H::Center;
                   o.valign = V::Middle, o.captionOrNoWrap = true;
               }),
         "<TD width=20 height=30% bgcolor=\"#000080\" colspan=2 rowspan=3 align=center "
         "valign=middle nowrap> \r\n"},
    };
    for (const auto& row : rowsOfTable) {
        SCOPED_TRACE(row.name);
        TableOptions options;
        row.set(options);
        EXPECT_EQ(tableGenerator(options).text, QString(row.text));
    }
}

TEST(HelperTable, CaretRequestsAfterInserting) {
    const struct {
        const char* name;
        Set set;
        bool freshLine, insert;
        int gotoLine;
        bool caretIntoTableCell;
    } rowsOfTable[] = {
        {"table on a fresh line, caret to the empty line", asTheyAre, true, true, 0, false},
        {"centred table: one line further up", [](TableOptions& o) { o.align = H::Center; }, true,
         true, -1, false},
        {"three rows: after the first row", rows(3), false, true, -3, false},
        {"one row", rows(1), false, true, 1, false},
        {"one cell", cells(1), false, true, 0, false},
        {"closed cell: back inside it", cells(1, [](TableOptions& o) { o.endCell = true; }), false,
         true, 0, true},
        {"two cells: the first one", cells(2), false, true, -1, false},
        {"no rows: nothing at all", rows(0), false, false, 0, false},
        {"no cells: nothing at all", cells(0, [](TableOptions& o) { o.endCell = true; }), false,
         false, 0, false},
    };
    for (const auto& row : rowsOfTable) {
        SCOPED_TRACE(row.name);
        TableOptions options;
        row.set(options);
        const TableCode code = tableGenerator(options);
        EXPECT_EQ(code.freshLine, row.freshLine);
        EXPECT_EQ(code.insert, row.insert);
        EXPECT_EQ(code.gotoLine, row.gotoLine);
        EXPECT_EQ(code.caretIntoTableCell, row.caretIntoTableCell);
        EXPECT_EQ(code.text.isEmpty(), !row.insert);
    }
}

TEST(HelperTable, SizeCheck) {
    const struct {
        const char* name;
        bool isWidth;
        const char* text;
        bool percent;
        std::optional<QString> message;
    } rows[] = {
        {"width above 100%", true, "150", true, "Width cannot exceed 100%"},
        {"width of 100% is fine", true, "100", true, {}},
        {"150 without percent is fine", true, "150", false, {}},
        {"width 0", true, "0", false, "Width cannot be less than 1"},
        {"height 0%", false, "0", true, "Height cannot be less than 1%"},
        {"height below 1", false, "-2", false, "Height cannot be less than 1"},
        {"empty box", true, "", true, {}},
        {"not a number", true, "x", false, "'x' is not a valid integer value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(sizeCheckMessage(row.isWidth, row.text, row.percent), row.message);
    }
}

} // namespace
} // namespace vellum
