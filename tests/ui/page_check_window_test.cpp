// Check Page as the user meets it: F8 in a document saved on disk, the Page Check window's rows,
// the findings underlined in the text, and a row taking the user to its finding.
#include "support/image_files.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/editor/page_check_marks.h"
#include "ui/editor/page_check_window.h"
#include "ui/editor/page_checks.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::Started;

// A well-formed page whose one fault is its picture: there is no missing.gif beside it.
const char* const Page =
    "<!DOCTYPE html>\r\n<HTML>\r\n<HEAD><TITLE>Logo</TITLE></HEAD>\r\n<BODY>\r\n"
    "<P>Our logo: <IMG src=\"missing.gif\" alt=\"logo\"></P>\r\n</BODY>\r\n"
    "</HTML>\r\n";

// The program started with `Page` saved in `dir` beside a logo.gif and open, its window active.
void openSaved(Started& s, const QTemporaryDir& dir) {
    const QString path = dir.filePath("page.html");
    ASSERT_TRUE(test::writeBytes(path, Page));
    ASSERT_TRUE(test::writeBytes(dir.filePath("logo.gif"), test::gifBytes({16, 16})));
    s.runAndShow();
    s.open(path);
    s.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
}

// F8 in the editor, then the wait for the result.
PageCheckWindow* checkPage(Started& s) {
    QTest::keyClick(s.active()->editorWidget(), Qt::Key_F8);
    PageChecks& checks = s.app->pageChecks();
    EXPECT_TRUE(QTest::qWaitFor([&] { return checks.window() && !checks.isChecking(); }, 10000));
    return checks.window();
}

// The rows as the window shows them: "line:column kind message".
QStringList rows(const PageCheckWindow& window) {
    QStringList out;
    const QTreeWidget* list = window.findingList();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        out << row->text(0) + ":" + row->text(1) + " " + row->text(2) + " " + row->text(3);
    }
    return out;
}

// The underlined texts of the editor, each with its colour's name.
QStringList underlines(const DocumentWindow& document) {
    QStringList out;
    for (const QTextEdit::ExtraSelection& mark : document.editorWidget()->extraSelections())
        out << mark.cursor.selectedText() + " " + mark.format.underlineColor().name();
    return out;
}

QPoint rowPoint(const PageCheckWindow& window, int row) {
    const QTreeWidget* list = window.findingList();
    return list->visualItemRect(list->topLevelItem(row)).center();
}

// Puts the caret at the start of `line` (from 1) with the keys.
void caretToLine(Started& s, int line) {
    QWidget* editor = s.active()->editorWidget();
    QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 1; i < line; ++i)
        QTest::keyClick(editor, Qt::Key_Down);
}

const QString LinkBlue = findingColour(FindingKind::Link).name();

// A row brings its document forward with the finding's characters selected where they are now
// (a line was typed above them), the focus in the editor, whether the row is double-clicked or
// entered from the keyboard.
TEST(PageCheck, ARowTakesTheUserToItsFinding) {
    for (const bool byEnter : {false, true}) {
        SCOPED_TRACE(byEnter ? "Enter on the current row" : "a double-click on the row");
        QTemporaryDir dir;
        Started s;
        openSaved(s, dir);
        DocumentWindow* page = s.active();
        PageCheckWindow* window = checkPage(s);
        ASSERT_TRUE(window);
        EXPECT_EQ(window->windowTitle(), "Page Check");
        EXPECT_EQ(window->captionLine()->text(), "page.html");
        EXPECT_EQ(rows(*window), QStringList{"5:24 link missing.gif does not exist"});
        EXPECT_EQ(underlines(*page), QStringList{"missing.gif " + LinkBlue});

        caretToLine(s, 5);
        QTest::keyClicks(page->editorWidget(), "<H1>Logo</H1>");
        QTest::keyClick(page->editorWidget(), Qt::Key_Return);
        // The mark has followed the finding's characters down a line.
        EXPECT_EQ(underlines(*page), QStringList{"missing.gif " + LinkBlue});
        // Another document in front, so that the row has to bring the page back.
        s.trigger("new2");
        ASSERT_NE(s.active(), page);
        QTreeWidget* list = window->findingList();
        if (byEnter) {
            // The click on the row makes its window the active one, as a window manager does.
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            test::userClick(list->viewport(), rowPoint(*window, 0));
            ASSERT_EQ(QApplication::focusWidget(), list);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            test::userDoubleClick(list->viewport(), rowPoint(*window, 0));
        }
        EXPECT_EQ(s.active(), page);
        const int start = static_cast<int>(page->control().text().indexOf("missing.gif"));
        EXPECT_EQ(page->control().selection(), (Selection{start, start + 11}));
        // The editor has the main window's focus (a window manager may keep the keyboard with the
        // window of a key it did not see pressed).
        EXPECT_EQ(s.window()->focusWidget(), page->editorWidget());
    }
}

// A finding far below the screen is underlined once the user scrolls to it. Each check replaces
// the rows and the marks of the one before; an edit of a finding's text takes its mark away and
// leaves the others; a page without faults has no rows.
TEST(PageCheck, ACheckAfterAnEditReplacesTheRows) {
    QTemporaryDir dir;
    Started s;
    openSaved(s, dir);
    DocumentWindow* page = s.active();
    QWidget* editor = page->editorWidget();
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
    PageCheckWindow* window = checkPage(s);
    ASSERT_TRUE(window);
    EXPECT_EQ(rows(*window), QStringList{"205:24 link missing.gif does not exist"});
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return underlines(*page) == QStringList{"missing.gif " + LinkBlue}; }, 2000));

    caretToLine(s, 205);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, "<IMG src=\"missing-too.gif\" alt=\"\">");
    ASSERT_EQ(checkPage(s), window);
    EXPECT_EQ(rows(*window), (QStringList{"205:24 link missing.gif does not exist",
                                          "205:62 link missing-too.gif does not exist"}));
    EXPECT_EQ(underlines(*page),
              (QStringList{"missing.gif " + LinkBlue, "missing-too.gif " + LinkBlue}));
    EXPECT_FALSE(window->stateLine()->isVisible());

    // Each finding's text typed over in turn.
    for (int row : {0, 1}) {
        test::userDoubleClick(window->findingList()->viewport(), rowPoint(*window, row));
        QTest::keyClicks(editor, "logo.gif");
    }
    EXPECT_TRUE(underlines(*page).isEmpty());

    ASSERT_EQ(checkPage(s), window);
    EXPECT_TRUE(rows(*window).isEmpty());
    EXPECT_EQ(window->stateLine()->text(), "No findings.");
    EXPECT_TRUE(window->stateLine()->isVisible());
}

// A result that comes when it is no longer wanted is dropped: after a new check, once its
// document has closed, and when the program ends before it comes.
TEST(PageCheck, AResultNoLongerWantedIsDropped) {
    struct Row {
        const char* intent;
        std::function<void(Started&)> meanwhile;
        int windows; // Page Check windows open afterwards
    };
    const Row table[] = {
        {"checked again at once", [](Started& s) { s.trigger("CheckPage1"); }, 1},
        {"the document closed", [](Started& s) { s.trigger("Close1"); }, 0},
        {"the program ended", [](Started& s) { s.app.reset(); }, 0},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.intent);
        QTemporaryDir dir;
        Started s;
        openSaved(s, dir);
        QTest::keyClick(s.active()->editorWidget(), Qt::Key_F8);
        row.meanwhile(s);
        if (!s.app)
            continue;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !s.app->pageChecks().isChecking(); }, 10000));
        QTest::qWait(50);
        EXPECT_EQ(s.window()->findChildren<PageCheckWindow*>().size(), row.windows);
        if (PageCheckWindow* window = s.app->pageChecks().window()) {
            EXPECT_EQ(rows(*window).size(), 1);
        }
    }
}

} // namespace
} // namespace vellum
