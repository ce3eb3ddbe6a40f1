// The Find & Replace window, the Find Again bar and the go-to-line dialog on a real document, and
// tag removal as the user reaches it.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/editor/find_again_bar.h"
#include "ui/editor/find_commands.h"
#include "ui/editor/find_window.h"
#include "ui/editor/go_to_line.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;
using test::userClick;
using test::userClickIndicator;

FindReplaceWindow* openFindReplace(Started& s, const QString& find, const QString& replace) {
    s.trigger("Replace1");
    FindReplaceWindow* window = s.app->finds().findReplaceWindow();
    if (window) {
        window->boxes().find->setText(find);
        window->boxes().replace->setText(replace);
    }
    return window;
}

FindAgainBar* bar(Started& s) {
    return s.app->finds().findAgainWindow();
}

// Find & Replace with a text that is there: the bar takes over.
FindAgainBar* firstHit(Started& s, const QString& find, const QString& replace) {
    userClick(openFindReplace(s, find, replace)->findReplaceButton());
    return bar(s);
}

QString openWindows(Started& s) {
    QStringList open;
    if (s.app->finds().findReplaceWindow())
        open << "Find & Replace";
    if (bar(s))
        open << "Find Again";
    if (s.app->finds().goToLineDialog())
        open << "go to line";
    return open.join(", ");
}

TEST(FindWindows, StepsFromTheWindowsAndF3) {
    struct Row {
        const char* name;
        std::function<void(Started&)> act;
        QString after;
        QString informed;
        QString open;
    };
    const Row rows[] = {
        {"Find & Replace selects the first hit and the bar takes its place",
         [](Started& s) { firstHit(s, "cat", "CAT"); }, "[cat] cat cat", "", "Find Again"},
        {"a miss says so and the Find & Replace window stays",
         [](Started& s) { userClick(openFindReplace(s, "dog", "")->findReplaceButton()); },
         "|cat cat cat", "Cannot find \"dog\".", "Find & Replace"},
        {"Find Next after Replace & Find Next only finds",
         [](Started& s) {
             FindAgainBar* again = firstHit(s, "cat", "CAT");
             userClick(again->replaceNextButton());
             EXPECT_EQ(drawn(*s.active()), "CAT [cat] cat");
             userClick(again->findNextButton());
             EXPECT_TRUE(again->findNextButton()->isDefault());
         },
         "CAT cat [cat]", "", "Find Again"},
        {"F3 after Replace & Find Next replaces and finds",
         [](Started& s) {
             FindAgainBar* again = firstHit(s, "cat", "CAT");
             userClick(again->replaceNextButton());
             EXPECT_TRUE(again->replaceNextButton()->isDefault());
             EXPECT_FALSE(again->findNextButton()->isDefault());
             s.trigger("Again1");
         },
         "CAT CAT [cat]", "", "Find Again"},
        {"Replace Remaining replaces every hit after the caret with one message",
         [](Started& s) { userClick(openFindReplace(s, "cat", "dog")->remainingButton()); },
         "dog dog dog|", "Cannot find \"cat\".", "Find & Replace"},
        {"Replace Remaining in the bar replaces the selected hit too",
         [](Started& s) { userClick(firstHit(s, "cat", "dog")->remainingButton()); },
         "dog dog dog|", "Cannot find \"cat\".", "Find Again"},
        {"an empty find box replaces once at the caret instead of searching",
         [](Started& s) { userClick(openFindReplace(s, "", "x")->findReplaceButton()); },
         "x|cat cat cat", "Cannot find \"\".", "Find & Replace"},
        {"check from top is read again at the close: F3 finds the same hit, Find Next the next",
         [](Started& s) {
             s.active()->control().setSelection(5, 5);
             FindReplaceWindow* window = openFindReplace(s, "cat", "");
             userClickIndicator(window->boxes().fromTop);
             userClick(window->findReplaceButton());
             s.active()->control().setSelection(5, 5);
             s.trigger("Again1");
             EXPECT_EQ(drawn(*s.active()), "[cat] cat cat");
             userClick(bar(s)->findNextButton());
         },
         "cat [cat] cat", "", "Find Again"},
        {"the edit boxes' menu and keys go through the program's clipboard",
         [](Started& s) {
             s.clipboard.setText("dog");
             FindReplaceWindow* window = openFindReplace(s, "cat", "");
             QLineEdit* replace = window->boxes().replace;
             test::userRightClick(replace);
             const auto item = [window](const char* text) {
                 for (QAction* action : window->editMenu()->actions()) {
                     if (action->text() == text)
                         return action;
                 }
                 return static_cast<QAction*>(nullptr);
             };
             EXPECT_FALSE(item("Cut ")->isEnabled());
             EXPECT_FALSE(item("Copy ")->isEnabled());
             EXPECT_TRUE(item("Paste ")->isEnabled());
             EXPECT_EQ(window->editMenu()->actions().size(), 3);
             test::userChoose(window->editMenu(), item("Paste "));
             window->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(window));
             window->boxes().find->setFocus();
             window->boxes().find->selectAll();
             QTest::keySequence(window->boxes().find, QKeySequence::Cut);
             EXPECT_EQ(s.clipboard.text(), "cat");
             QTest::keySequence(window->boxes().find, QKeySequence::Paste);
             userClick(window->remainingButton());
         },
         "dog dog dog|", "Cannot find \"cat\".", "Find & Replace"},
        {"Enter runs each window's default button; Escape in the bar closes it",
         [](Started& s) {
             FindReplaceWindow* window = openFindReplace(s, "cat", "");
             window->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(window));
             QTest::keyClick(window->boxes().find, Qt::Key_Return);
             FindAgainBar* again = bar(s);
             ASSERT_NE(again, nullptr);
             again->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(again));
             QTest::keyClick(again->boxes().find, Qt::Key_Return);
             QTest::keyClick(again->boxes().find, Qt::Key_Escape);
         },
         "cat [cat] cat", "", ""},
        {"F3 with no find window opens the bar and finds nothing yet",
         [](Started& s) { s.trigger("Again1"); }, "|cat cat cat", "", "Find Again"},
        {"Find&Replace is refused while the bar is open",
         [](Started& s) {
             s.trigger("Again1");
             s.trigger("Replace1");
         },
         "|cat cat cat", "", "Find Again"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), "|cat cat cat");
        row.act(s);
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ(s.prompter.informed.join('|'), row.informed);
        EXPECT_EQ(openWindows(s), row.open);
    }
}

TEST(FindWindows, OptionsAndPlaceAreKeptByTheCloseSteps) {
    using Keys = std::map<QString, QString>;
    struct Row {
        const char* name;
        std::function<void(Started&)> act;
        Keys written; // every key of the find windows; "" when missing or empty
    };
    const auto tickedBar = [](Started& s) {
        s.trigger("Again1");
        FindAgainBar* again = bar(s);
        EXPECT_TRUE(again->isCollapsed());
        EXPECT_EQ(again->height(), again->fullHeight() / 2);
        // The options show below the arrow, and hide again once ticked.
        userClick(again->downsButton());
        test::waitForHeight(again, again->fullHeight());
        userClickIndicator(again->boxes().wholeWord);
        userClickIndicator(again->boxes().fromTop);
        userClickIndicator(again->boxes().upward);
        EXPECT_FALSE(again->boxes().fromTop->isChecked());
        userClick(again->upsButton());
        test::waitForHeight(again, again->fullHeight() / 2);
        // Dragged by its grip to (300, 200).
        again->move(263, 179);
        const QPoint from(4, 4);
        test::userDrag(again->dragLabel(), from, from + QPoint(37, 21));
        return again;
    };
    const Row rows[] = {
        {"Cancel in the bar writes its options and place; it opens there with them",
         [&](Started& s) {
             EXPECT_EQ(tickedBar(s)->pos(), QPoint(300, 200));
             s.app->finds().search().replaceMode = true;
             userClick(bar(s)->cancelButton());
             EXPECT_FALSE(s.app->finds().search().replaceMode);
             s.trigger("Again1");
             EXPECT_EQ(bar(s)->pos(), QPoint(300, 200));
             EXPECT_TRUE(bar(s)->boxes().wholeWord->isChecked());
             EXPECT_TRUE(bar(s)->boxes().upward->isChecked());
         },
         {{"wword", "t"},
          {"mcase", ""},
          {"sup", "t"},
          {"sbeg", ""},
          {"repl2t", "200"},
          {"repl2l", "300"}}},
        {"Escape in the editor drops the bar without writing anything",
         [&](Started& s) {
             tickedBar(s);
             s.app->finds().search().replaceMode = true;
             QTest::keyClick(s.active()->editorWidget(), Qt::Key_Escape);
             EXPECT_TRUE(s.app->finds().search().replaceMode);
         },
         {{"wword", ""}, {"mcase", ""}, {"sup", ""}, {"sbeg", ""}, {"repl2t", ""}, {"repl2l", ""}}},
        {"closing the last document closes the bar with its close steps",
         [&](Started& s) {
             tickedBar(s);
             s.trigger("Close1");
             EXPECT_EQ(s.app->workspace().count(), 0);
         },
         {{"wword", "t"},
          {"mcase", ""},
          {"sup", "t"},
          {"sbeg", ""},
          {"repl2t", "200"},
          {"repl2l", "300"}}},
        {"the bar opens first 25 pixels below the main window's top, at the left edge",
         [](Started& s) {
             s.trigger("Again1");
             EXPECT_EQ(bar(s)->pos(), QPoint(0, s.window()->frameGeometry().top() + 25));
             userClick(bar(s)->downsButton());
             test::waitForHeight(bar(s), bar(s)->fullHeight());
             EXPECT_FALSE(bar(s)->isCollapsed());
             EXPECT_TRUE(bar(s)->upsButton()->isVisible());
             userClick(bar(s)->upsButton());
             test::waitForHeight(bar(s), bar(s)->fullHeight() / 2);
             EXPECT_TRUE(bar(s)->isCollapsed());
             EXPECT_FALSE(bar(s)->upsButton()->isVisible());
         },
         {{"wword", ""}, {"mcase", ""}, {"sup", ""}, {"sbeg", ""}, {"repl2t", ""}, {"repl2l", ""}}},
        {"the Find & Replace window writes its four options; both windows read theirs again",
         [](Started& s) {
             FindReplaceWindow* window = openFindReplace(s, "", "");
             userClickIndicator(window->boxes().matchCase);
             userClickIndicator(window->boxes().upward);
             userClickIndicator(window->boxes().fromTop);
             EXPECT_FALSE(window->boxes().upward->isChecked());
             userClick(window->cancelButton());
             window = openFindReplace(s, "", "");
             EXPECT_TRUE(window->boxes().matchCase->isChecked());
             EXPECT_TRUE(window->boxes().fromTop->isChecked());
             window->close();
             s.trigger("Again1");
             EXPECT_TRUE(bar(s)->boxes().matchCase->isChecked());
             EXPECT_FALSE(bar(s)->boxes().fromTop->isChecked());
         },
         {{"wword", ""},
          {"mcase", "t"},
          {"sup", ""},
          {"sbeg", "t"},
          {"repl2t", ""},
          {"repl2l", ""}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        row.act(s);
        Keys written;
        for (const char* key : {"wword", "mcase", "sup", "sbeg"})
            written[key] = s.read("Slate*Rivet", key);
        for (const char* key : {"repl2t", "repl2l"})
            written[key] = s.read("Windows", key);
        EXPECT_EQ(written, row.written);
    }
}

void goToLine(Started& s, const char* typed) {
    s.trigger("goto1");
    GoToLineDialog* dialog = s.app->finds().goToLineDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->lineBox()->setText(typed);
    QTest::keyClick(dialog->lineBox(), Qt::Key_Return);
}

TEST(FindWindows, GoToLineAndRemoveTagsOnTheActiveDocument) {
    struct Row {
        const char* name;
        QString before;
        std::function<void(Started&)> act;
        QString after;
        QString messages; // informed, then errors
        QString open;
    };
    const QString lines = "a\r\nbb\r\n|c";
    const Row rows[] = {
        {"go to line 2", lines, [](Started& s) { goToLine(s, "2"); }, "a\r\n|bb\r\nc", "", ""},
        {"line 0 goes to the first line", lines, [](Started& s) { goToLine(s, "0"); },
         "|a\r\nbb\r\nc", "", ""},
        {"the smallest number goes to the first line", lines,
         [](Started& s) { goToLine(s, "-2147483648"); }, "|a\r\nbb\r\nc", "", ""},
        {"a line beyond the end goes to the last line", "|a\r\nbb\r\nc",
         [](Started& s) { goToLine(s, "99"); }, "a\r\nbb\r\n|c", "", ""},
        {"a text that is no number is reported and the dialog stays", lines,
         [](Started& s) { goToLine(s, "2x"); }, lines, "'2x' is not a valid integer value",
         "go to line"},
        {"opening it twice says it is open already", lines,
         [](Started& s) {
             s.trigger("goto1");
             s.trigger("goto1");
         },
         lines, "it is already open", "go to line"},
        {"a double-click on the line number opens it, one on its label closes it", lines,
         [](Started& s) {
             test::userDoubleClick(s.app->status().linecol());
             GoToLineDialog* dialog = s.app->finds().goToLineDialog();
             ASSERT_NE(dialog, nullptr);
             test::userDoubleClick(dialog->label());
         },
         lines, "", ""},
        {"Remove Tags from the Edit menu", "x [<B>bold</B> <I\r\nclass=a>text]&amp;",
         [](Started& s) {
             test::userOpenMenu(s.window()->menuBar(), s.app->menus().menu("Edit1"));
             EXPECT_TRUE(s.app->menus().action("RemoveTags1")->isEnabled());
             test::userCloseMenus();
             s.trigger("RemoveTags1");
         },
         "x |bold text&amp;", "", ""},
        {"Remove Tags from the context menu", "x[a<P>b]",
         [](Started& s) {
             test::userRightClick(s.active()->editorWidget()->viewport());
             test::userChoose(s.active()->popupMenu(),
                              s.active()->popupMenu()->findChild<QAction*>("RemoveTags2"));
         },
         "x|ab", "", ""},
        {"Ctrl+Shift+D in the editor removes tags through the hidden context item", "[<B>b</B>]",
         [](Started& s) {
             EXPECT_FALSE(s.active()->popupMenu()->findChild<QAction*>("removethem")->isVisible());
             QTest::keySequence(s.active()->editorWidget(), QKeySequence("Ctrl+Shift+D"));
         },
         "|b", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), row.before);
        row.act(s);
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ((s.prompter.informed + s.prompter.errors).join('|'), row.messages);
        EXPECT_EQ(openWindows(s), row.open);
    }
}

} // namespace
} // namespace vellum
