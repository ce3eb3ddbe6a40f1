// The Font, Color and Table helpers: opening them from the main window, where they open, rolling
// and dragging them by the title strip, and the code they put into the document.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/colour_controls.h"
#include "ui/helpers/color_helper.h"
#include "ui/helpers/font_helper.h"
#include "ui/helpers/number_box.h"
#include "ui/helpers/table_helper.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRubberBand>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <climits>

namespace vellum {
namespace {

using test::Started;
using Mode = TableOptions::Mode;

enum class Kind { Table, Font, Color };

QString helperId(Kind kind) {
    return kind == Kind::Table ? "Table" : kind == Kind::Font ? "Font" : "Color";
}

HelperFrame* currentHelper(const Started& s, Kind kind) {
    return s.app->helpers().find(helperId(kind));
}

// Opens the helper through its main-window command; null when none is open afterwards.
HelperFrame* openHelper(Started& s, Kind kind) {
    return s.app->helpers().open(helperId(kind));
}

// Clicks a button where its indicator or text is, as the user would.
void click(QWidget* widget) {
    test::userClickIndicator(widget);
}

using test::userDoubleClick;

// Replaces what a line edit holds by typing.
void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void closeByButton(HelperFrame* helper, const char* button) {
    click(helper->findChild<QAbstractButton*>(button));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

using test::drawn;
using test::load;

// The colour dialog answers with `colour`.
void answerColour(Started& s, QColor colour) {
    s.prompter.colourChoice = [colour](QColor& chosen) {
        chosen = colour;
        return true;
    };
}

TEST(HelperCommands, OpenOnceAndOnlyWithADocument) {
    struct Row {
        const char* name;
        Kind kind;
        bool secondCallShows;
        const char* closeButton;
    };
    const Row rows[] = {
        {"Table helper, shown again by a second call", Kind::Table, true, "CloseButton"},
        {"Font helper, a second call does nothing", Kind::Font, false, "SpeedButton2"},
        {"Color helper, a second call does nothing", Kind::Color, false, "CloseButton"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.trigger("Close1");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(s.active(), nullptr);
        EXPECT_EQ(openHelper(s, row.kind), nullptr);
        EXPECT_TRUE(s.window()->findChildren<HelperFrame*>().isEmpty());

        s.trigger("new2");
        HelperFrame* helper = openHelper(s, row.kind);
        ASSERT_NE(helper, nullptr);
        EXPECT_TRUE(helper->isVisible());
        closeByButton(helper, row.closeButton);
        EXPECT_EQ(currentHelper(s, row.kind), nullptr);
        EXPECT_TRUE(s.window()->findChildren<HelperFrame*>().isEmpty());

        // Open again and hidden: a second call finds the same window.
        helper = openHelper(s, row.kind);
        ASSERT_NE(helper, nullptr);
        helper->hide();
        EXPECT_EQ(openHelper(s, row.kind), helper);
        EXPECT_EQ(s.window()->findChildren<HelperFrame*>().size(), 1);
        EXPECT_EQ(helper->isVisible(), row.secondCallShows);
    }
}

TEST(HelperPlacement, OpensAtTheDefaultOrWhereItWasLeft) {
    constexpr int Default = INT_MIN;
    struct Row {
        const char* name;
        Kind kind;
        const char* help;
        const char* storedTop; // null: no key
        const char* storedLeft;
        int top, left;
    };
    const Row rows[] = {
        {"positions not kept: Table at its default", Kind::Table, "", "40", "50", Default, Default},
        {"positions not kept: Font at its default", Kind::Font, "", "40", "50", Default, Default},
        {"positions not kept: Color at its default", Kind::Color, "", nullptr, nullptr, Default,
         Default},
        {"kept, nothing stored: Table at the screen corner", Kind::Table, "t", nullptr, nullptr, 0,
         0},
        {"kept, nothing stored: Font at its default", Kind::Font, "t", nullptr, nullptr, Default,
         Default},
        {"kept, nothing stored: Color at its default", Kind::Color, "t", nullptr, nullptr, Default,
         Default},
        {"kept, a stored 0 top means the default top", Kind::Font, "t", "0", "300", Default, 300},
        {"kept: Table where it was", Kind::Table, "t", "40", "50", 40, 50},
        {"kept: Font where it was", Kind::Font, "t", "40", "50", 40, 50},
        {"kept: Color where it was", Kind::Color, "t", "40", "50", 40, 50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        const HelperTraits& traits = helperRow(helperId(row.kind))->traits;
        s.write("Windows", "help", row.help);
        if (row.storedTop) {
            s.write("Windows", traits.topKey, row.storedTop);
            s.write("Windows", traits.leftKey, row.storedLeft);
        }
        HelperFrame* helper = openHelper(s, row.kind);
        ASSERT_NE(helper, nullptr);
        const QRect main = s.window()->frameGeometry();
        const int offset = row.kind == Kind::Table ? 98 : row.kind == Kind::Font ? 80 : 152;
        EXPECT_EQ(helper->y(), row.top == Default ? main.y() + offset : row.top);
        EXPECT_EQ(helper->x(),
                  row.left == Default ? main.x() + main.width() - helper->width() - 25 : row.left);
    }
}

TEST(HelperPlacement, PositionIsWrittenAtCloseAndReopensUnrolled) {
    struct Row {
        const char* name;
        Kind kind;
        const char *top, *left;
        bool rolled;
    };
    const Row rows[] = {
        {"Table", Kind::Table, "tabt", "tabl", false},
        {"Font rolled up", Kind::Font, "fontt", "fontl", true},
        {"Color", Kind::Color, "colort", "colorl", false},
        {"Color rolled up", Kind::Color, "colort", "colorl", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        HelperFrame* helper = openHelper(s, row.kind);
        ASSERT_NE(helper, nullptr);
        const int fullHeight = helper->height();
        helper->move(123, 77);
        if (row.rolled) {
            click(helper->rollButton());
            test::waitForHeight(helper, helper->titleStrip()->height());
        }
        EXPECT_EQ(helper->isRolledUp(), row.rolled);
        closeByButton(helper, "CloseButton");
        EXPECT_EQ(s.read("Windows", row.top), "77");
        EXPECT_EQ(s.read("Windows", row.left), "123");

        helper = openHelper(s, row.kind);
        ASSERT_NE(helper, nullptr);
        EXPECT_FALSE(helper->isRolledUp());
        EXPECT_EQ(helper->height(), fullHeight);
        EXPECT_EQ(helper->rollButton()->text(), QString("5"));
    }
}

TEST(HelperPlacement, HelpersOpenAtExitRememberTheirPositions) {
    Started s;
    s.runAndShow();
    HelperFrame* table = openHelper(s, Kind::Table);
    HelperFrame* font = openHelper(s, Kind::Font);
    ASSERT_TRUE(table && font);
    table->move(11, 22);
    font->move(33, 44);
    ASSERT_TRUE(s.window()->close());
    EXPECT_EQ(s.read("Windows", "tabt"), "22");
    EXPECT_EQ(s.read("Windows", "tabl"), "11");
    EXPECT_EQ(s.read("Windows", "fontt"), "44");
    EXPECT_EQ(s.read("Windows", "fontl"), "33");
}

TEST(HelperRoll, RollsUpToTheStripAndDownAgain) {
    enum Way { Button, CaptionDoubleClick, StripDoubleClick, WindowDoubleClick };
    struct Row {
        const char* name;
        Kind kind;
        Way way;
    };
    const Row rows[] = {
        {"roll button on the Table helper", Kind::Table, Button},
        {"roll button on the Color helper", Kind::Color, Button},
        {"double-click on the caption", Kind::Font, CaptionDoubleClick},
        {"double-click on the strip beside the caption", Kind::Table, StripDoubleClick},
        // Delivered to the window at the pointer, as the window system does: the widget under the
        // pointer gets it, so nothing may cover the caption of a rolled-up helper.
        {"double-click on the caption through the window", Kind::Color, WindowDoubleClick},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        HelperFrame* helper = openHelper(s, row.kind);
        ASSERT_NE(helper, nullptr);
        const int fullHeight = helper->height();
        const QPoint position = helper->pos();
        const auto roll = [&] {
            switch (row.way) {
            case Button:
                click(helper->rollButton());
                break;
            case CaptionDoubleClick:
                userDoubleClick(helper->captionLabel());
                break;
            case StripDoubleClick:
                userDoubleClick(helper->titleStrip(), QPoint(19, 10));
                break;
            case WindowDoubleClick: {
                QLabel* caption = helper->captionLabel();
                // On the lower part of the caption's text, where users click as often.
                userDoubleClick(caption, QPoint(caption->width() / 2, caption->height() - 3));
                break;
            }
            }
            // The window lays its children out anew before the user's next click can come.
            QCoreApplication::processEvents();
        };
        roll();
        test::waitForHeight(helper, helper->titleStrip()->height());
        EXPECT_EQ(helper->height(), helper->titleStrip()->height());
        EXPECT_EQ(helper->rollButton()->text(), QString("6"));
        roll();
        test::waitForHeight(helper, fullHeight);
        EXPECT_EQ(helper->height(), fullHeight);
        EXPECT_EQ(helper->rollButton()->text(), QString("5"));
        EXPECT_EQ(helper->pos(), position);
    }
}

QRubberBand* visibleOutline() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* band = qobject_cast<QRubberBand*>(widget); band && band->isVisible())
            return band;
    }
    return nullptr;
}

TEST(HelperDrag, OutlineFollowsThePointerAndTheWindowMovesOnRelease) {
    struct Row {
        const char* name;
        Qt::MouseButton button;
        bool byCaption;
        QPoint moved;
    };
    const Row rows[] = {
        {"left button on the strip", Qt::LeftButton, false, {37, 21}},
        {"left button on the caption", Qt::LeftButton, true, {37, 21}},
        {"right button drags nothing", Qt::RightButton, false, {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        HelperFrame* helper = openHelper(s, Kind::Font);
        ASSERT_NE(helper, nullptr);
        QWidget* grip = row.byCaption ? helper->captionLabel() : helper->titleStrip();
        // The caption covers the middle of the strip: the strip is taken beside it.
        const QPoint from = row.byCaption ? grip->rect().center() : QPoint(19, 10);
        const QPoint to = from + QPoint(37, 21);
        const QRect before = helper->frameGeometry();

        test::userDrag(grip, from, to, row.button, [&] {
            EXPECT_EQ(helper->frameGeometry(), before);
            QRubberBand* outline = visibleOutline();
            if (row.moved.isNull()) {
                EXPECT_EQ(outline, nullptr);
            } else {
                ASSERT_NE(outline, nullptr);
                EXPECT_EQ(outline->geometry(), before.translated(row.moved));
            }
        });
        EXPECT_EQ(helper->pos(), before.topLeft() + row.moved);
        EXPECT_EQ(visibleOutline(), nullptr);
    }
}

// Does what the user does in the Font helper, step by step: "size2", "red" (from the grid),
// "green-dialog" (the colour button), "insert", "sample-dclick", "nocolor", "nocolor-dclick".
void fontSteps(Started& s, FontHelper& font, const QString& steps) {
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        if (step == "size2")
            click(font.sizeButton(2));
        else if (step == "red")
            test::userClick(font.grid(), font.grid()->cellRect(9).center());
        else if (step == "green-dialog") {
            answerColour(s, QColor(0, 128, 0));
            click(font.colourButton());
        } else if (step == "insert")
            click(font.insertButton());
        else if (step == "sample-dclick")
            userDoubleClick(font.sample());
        else if (step == "nocolor")
            click(font.noColour());
        else if (step == "nocolor-dclick")
            userDoubleClick(font.noColour(), QPoint(8, font.noColour()->height() / 2));
        else
            FAIL() << step.toStdString();
    }
}

TEST(FontHelper, SampleShowsTheTagsAndInsertWrapsTheSelection) {
    const QString red = "<FONT color=\"#FF0000\"> </FONT>";
    const QString redSize2 = "<FONT color=\"#FF0000\" size=2> </FONT>";
    struct Row {
        const char* name;
        const char* steps;
        QString sample;
        bool noColour;
        QString document; // starting from "x[abc]y"
    };
    const Row rows[] = {
        {"at opening", "", "<FONT> </FONT>", true, "x[abc]y"},
        {"size 2 then Insert", "size2 insert", "<FONT size=2> </FONT>", true,
         "x<FONT size=2>[abc]</FONT>y"},
        {"red from the grid clears no color", "red", red, false, "x[abc]y"},
        {"red then size 2: colour first", "red size2", redSize2, false, "x[abc]y"},
        {"size 2 then red: colour first", "size2 red", redSize2, false, "x[abc]y"},
        {"double-click on the sample inserts", "red sample-dclick", red, false,
         "x<FONT color=\"#FF0000\">[abc]</FONT>y"},
        {"double-click on no color leaves it clear", "red nocolor-dclick", red, false, "x[abc]y"},
        {"a click on no color selects it again", "red nocolor", "<FONT> </FONT>", true, "x[abc]y"},
        {"the colour button's choice clears no color", "green-dialog",
         "<FONT color=\"#008000\"> </FONT>", false, "x[abc]y"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), "x[abc]y");
        auto* font = qobject_cast<FontHelper*>(openHelper(s, Kind::Font));
        ASSERT_NE(font, nullptr);
        fontSteps(s, *font, row.steps);
        EXPECT_EQ(font->sample()->text(), row.sample);
        EXPECT_EQ(font->noColour()->isChecked(), row.noColour);
        EXPECT_EQ(drawn(*s.active()), row.document);
    }
}

TEST(ColorHelper, SampleShowsTheChosenFormAndInsertReplacesTheSelection) {
    struct Row {
        const char* name;
        bool navy;
        ColourForm form;
        QString sample;
        QString before, after;
    };
    const Row rows[] = {
        {"white, code only", false, ColourForm::CodeOnly, "FFFFFF", "a|b", "aFFFFFF|b"},
        {"navy as a background attribute", true, ColourForm::BgColor, "bgcolor=\"#000080\"",
         "<BODY [x]>\r\n", "<BODY bgcolor=\"#000080\"|>\r\n"},
        {"navy, code only", true, ColourForm::CodeOnly, "000080", "#[old]\r\n", "#000080|\r\n"},
        {"at the start of a line: no line break added", true, ColourForm::Link, "link=\"#000080\"",
         "\r\n|", "\r\nlink=\"#000080\"|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), row.before);
        auto* color = qobject_cast<ColorHelper*>(openHelper(s, Kind::Color));
        ASSERT_NE(color, nullptr);
        EXPECT_EQ(color->sample()->text(), "FFFFFF");
        EXPECT_TRUE(color->formButton(ColourForm::CodeOnly)->isChecked());
        if (row.navy)
            test::userClick(color->grid(), color->grid()->cellRect(4).center());
        click(color->formButton(row.form));
        EXPECT_EQ(color->sample()->text(), row.sample);
        click(color->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.after);
    }
}

// Does what the user does in the Table helper, step by step: "table", "rows", "cells", "/TD", "%"
// (width), "colour" (the check box), "red-dialog" (the colour button), "centre", "up" and "down"
// (the indent spins), and "box=text" typed into the border, spacing, items, indent or width box.
void tableSteps(Started& s, TableHelper& table, const QString& steps) {
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QString box = step.section('=', 0, 0);
        const QString typed = step.section('=', 1);
        if (step == "table")
            click(table.modeButton(Mode::Table));
        else if (step == "rows")
            click(table.modeButton(Mode::Row));
        else if (step == "cells")
            click(table.modeButton(Mode::Cell));
        else if (step == "/TD")
            click(table.endCellBox());
        else if (step == "%")
            click(table.widthPercent());
        else if (step == "colour")
            click(table.colourBox());
        else if (step == "red-dialog") {
            answerColour(s, Qt::red);
            click(table.colourButton());
        } else if (step == "centre")
            click(table.alignButton(TableOptions::HAlign::Center));
        else if (step == "up" || step == "down")
            click(step == "up" ? table.indentBox()->upButton() : table.indentBox()->downButton());
        else if (box == "border")
            type(table.borderBox()->edit(), typed);
        else if (box == "spacing")
            type(table.spacingBox()->edit(), typed);
        else if (box == "items")
            type(table.itemBox()->edit(), typed);
        else if (box == "indent")
            type(table.indentBox()->edit(), typed);
        else if (box == "width")
            type(table.widthEdit(), typed);
        else
            FAIL() << step.toStdString();
    }
}

TEST(TableHelper, InsertPutsTheCodeInAndTheCaretWhereTypingGoesOn) {
    struct Row {
        const char* name;
        const char* steps;
        QString before, after;
        QString errors;
    };
    const Row rows[] = {
        {"table defaults into an empty document", "", "|", "<TABLE border=1>\r\n|\r\n</TABLE>", ""},
        {"table after text goes on a line of its own", "", "ab|",
         "ab\r\n<TABLE border=1>\r\n|\r\n</TABLE>", ""},
        {"width 50% and a red background", "width=50 % colour red-dialog", "|",
         "<TABLE width=50% bgcolor=\"#FF0000\" border=1>\r\n|\r\n</TABLE>", ""},
        {"centred table", "centre", "|",
         "<CENTER>\r\n<TABLE border=1>\r\n|\r\n</TABLE>\r\n</CENTER>", ""},
        {"three rows, caret on the line after the first", "rows items=3", "|",
         "<TR>\r\n|\r\n<TR>\r\n\r\n<TR>\r\n", ""},
        {"a cell closed on its line, caret between the spaces", "cells /TD", "|",
         "<TD> | </TD>\r\n", ""},
        {"a cell left open, caret after its space", "cells", "|", "<TD> |\r\n", ""},
        {"an indent that is not a number inserts nothing", "indent=x", "a|b", "a|b",
         "'x' is not a valid integer value"},
        {"no rows", "rows items=0", "a|b", "a|b", ""},
        {"no cells", "cells items=0", "a|b", "a|b", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), row.before);
        auto* table = qobject_cast<TableHelper*>(openHelper(s, Kind::Table));
        ASSERT_NE(table, nullptr);
        tableSteps(s, *table, row.steps);
        click(table->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ(s.prompter.errors.join('|'), row.errors);
    }
}

TEST(TableHelper, ModeSwitchResetsLabelsAndValues) {
    struct Row {
        const char* name;
        const char* steps;
        QString labels; // Label6, bordercol, spacerow, paditem
        QString values; // border, spacing, items, width
        bool endCellShown;
    };
    const Row rows[] = {
        {"to Cell", "border=7 spacing=7 items=7 width=7 cells",
         "Horz Alignment|col span|row span|items", "0|0|1|", true},
        {"back to Table", "cells border=7 spacing=7 items=7 width=7 table",
         "Align on Page|border|cell space|cell pad", "1|2|2|", false},
        {"to Row", "rows", "Horz Alignment|border|cell space|items", "1|2|1|", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        auto* table = qobject_cast<TableHelper*>(openHelper(s, Kind::Table));
        ASSERT_NE(table, nullptr);
        tableSteps(s, *table, row.steps);
        QStringList labels, values;
        for (const char* name : {"Label6", "bordercol", "spacerow", "paditem"})
            labels << table->label(name)->text();
        values << table->borderBox()->text() << table->spacingBox()->text()
               << table->itemBox()->text() << table->widthEdit()->text();
        EXPECT_EQ(labels.join('|'), row.labels);
        EXPECT_EQ(values.join('|'), row.values);
        EXPECT_EQ(table->endCellBox()->isVisible(), row.endCellShown);
    }
}

TEST(TableHelper, EndCellChoiceIsStoredAtEachClick) {
    struct Row {
        const char* name;
        const char* steps;
        const char* stored;
    };
    const Row rows[] = {{"checked", "cells /TD", "yes"},
                        {"checked and cleared", "cells /TD /TD", ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        auto* table = qobject_cast<TableHelper*>(openHelper(s, Kind::Table));
        ASSERT_NE(table, nullptr);
        tableSteps(s, *table, row.steps);
        EXPECT_EQ(s.read("Vellum", "endtd"), row.stored);
    }
}

TEST(TableHelper, SizesAndNumbersAreCheckedAsTyped) {
    struct Row {
        const char* name;
        const char* steps;
        bool width; // else the indent box
        QString shown;
        QString errors;
    };
    const Row rows[] = {
        {"150% is too wide", "% width=150", true, "", "Width cannot exceed 100%"},
        {"100% is accepted", "% width=100", true, "100", ""},
        {"0 pixels is too narrow", "width=0", true, "", "Width cannot be less than 1"},
        {"a width that is no number stays as typed", "width=x", true, "x",
         "'x' is not a valid integer value"},
        {"spin down at 0 stays 0", "indent=0 down", false, "0", ""},
        {"spin up from 0 gives 1", "indent=0 up", false, "1", ""},
        {"spin on a non-number reports it", "indent=1a up", false, "1a",
         "'1a' is not a valid integer value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        auto* table = qobject_cast<TableHelper*>(openHelper(s, Kind::Table));
        ASSERT_NE(table, nullptr);
        tableSteps(s, *table, row.steps);
        EXPECT_EQ((row.width ? table->widthEdit() : table->indentBox()->edit())->text(), row.shown);
        EXPECT_EQ(s.prompter.errors.join('|'), row.errors);
    }
}

} // namespace
} // namespace vellum
