// Editing a start tag of the document in the helper that writes it, as the user does it: F2 in a
// saved page opens the helper filled in from the tag, and its "Update tag" button rewrites it.
#include "support/image_files.h"
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/helpers/number_box.h"
#include "ui/helpers/table_helper.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::Started;

// The program started with `marked` (the caret drawn as "|", "DIR" standing for the page's
// folder) saved as page.html beside Pics/logo.gif and open, the caret placed, F2 pressed.
void pressF2In(Started& s, const QTemporaryDir& dir, const QString& marked) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("Pics"));
    ASSERT_TRUE(test::writeBytes(dir.filePath("Pics/logo.gif"), test::gifBytes({88, 31})));
    const test::MarkedText page = test::parseMarked(QString(marked).replace("DIR", dir.path()));
    ASSERT_TRUE(test::writeBytes(dir.filePath("page.html"), page.text.toUtf8()));
    s.runAndShow();
    s.open(dir.filePath("page.html"));
    s.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
    s.active()->control().setSelection(page.caret, page.caret);
    QTest::keyClick(s.active()->editorWidget(), Qt::Key_F2);
}

void clickUpdate(HelperFrame& helper) {
    EXPECT_EQ(helper.insertButton()->text(), "Update tag");
    test::userClick(helper.insertButton());
}

// F2 on a tag a helper wrote opens that helper with every control its output reflects set, so
// that updating it untouched gives the page back byte for byte; elsewhere it says so.
TEST(TagEditing, F2OpensTheHelperThatWroteTheTagFilledIn) {
    const std::pair<const char*, const char*> rows[] = {
        {"<TABLE width=80% height=50 bgcolor=\"#FF8000\" align=right valign=top cellspacing=3 "
         "cellpadding=4 border=2>|\r\n\r\n</TABLE>",
         "Table"},
        {"<FONT color=\"#00FF00\" size=5>|a</FONT>", "Font"},
        {"<INPUT type=\"text\" maxlength=30 size=12 name=\"q\" value=\"\"|>", "Form"},
        {"<SELECT size=3 multiple name=\"s\"|>", "Form"},
        {"<OL start=4>|\r\n<LI> a\r\n</OL>", "List"},
        {"<BODY bgcolor=\"#FFFFFF\" vlink=\"#800000\">|", "Document"},
        {"<A href=\"http://x.org/\" target=_top|>x</A>", "Link"},
        {"<IMG src=\"Pics/logo.gif\" alt=\"\" align=left height=31 width=88|>", "Image"},
        {"<IMG src=\"file://DIR/Pics/logo.gif\" border=0 hspace= vspace=|>", "Image"},
        {"<TD class=c background=\"Pics/logo.gif\"|>", "Image"},
        {"ab|c", ""},
        {"<!-- <TABLE |border=1> -->", ""},
    };
    for (const auto& [marked, id] : rows) {
        SCOPED_TRACE(marked);
        QTemporaryDir dir;
        Started s;
        pressF2In(s, dir, marked);
        const QString page = s.active()->control().text();
        HelperFrame* helper = s.app->helpers().find(QString::fromLatin1(id));
        if (*id) {
            ASSERT_TRUE(helper);
            clickUpdate(*helper);
        }
        EXPECT_EQ(s.active()->control().text().toStdString(), page.toStdString());
        EXPECT_EQ(s.prompter.informed.join('\n'),
                  *id ? "" : "There is no tag here that a helper writes.");
        EXPECT_EQ(s.window()->findChildren<HelperFrame*>().isEmpty(), !*id);
    }
}

// "Update tag" after a change: only the start tag's characters change, the attributes the helper
// does not write stay; a changed document is reported and left alone; leaving edit mode.
TEST(TagEditing, UpdateReplacesOnlyTheStartTag) {
    struct Row {
        const char* name;
        std::function<void(Started&, TableHelper&)> act;
        QString after;
        QString message;
        QString insertCaption;
        bool undoable = false; // only the user's own typing can be undone
    };
    const auto retypeBorder = [](TableHelper& h) {
        test::userClick(h.borderBox()->edit());
        QTest::keyClick(h.borderBox()->edit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(h.borderBox()->edit(), "4");
    };
    const Row rows[] = {
        {"a new border replaces the tag in place",
         [&](Started&, TableHelper& h) {
             retypeBorder(h);
             clickUpdate(h);
         },
         "x <TABLE class=\"wide\" border=4 onclick='go()'>|<TR><TD>a</TABLE> y", "", "Update tag"},
        {"a change in the tag meanwhile is reported and nothing is replaced",
         [&](Started& s, TableHelper& h) {
             s.active()->control().setSelection(4, 4);
             QTest::keyClicks(s.active()->editorWidget(), "H");
             retypeBorder(h);
             clickUpdate(h);
         },
         "x <THABLE class=\"wide\" border=1 onclick='go()'><TR><TD>a</TABLE> y",
         "The tag has changed since the helper opened it.", "Update tag", true},
        {"opened again to insert, the helper inserts",
         [](Started& s, TableHelper&) { s.app->helpers().open("Table"); },
         "x <TABLE class=\"wide\" border=1 onclick='go()'>|<TR><TD>a</TABLE> y", "", "Insert code"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        Started s;
        pressF2In(s, dir, "x <TABLE class=\"wide\" bo|rder=1 onclick='go()'><TR><TD>a</TABLE> y");
        auto* helper = qobject_cast<TableHelper*>(s.app->helpers().find("Table"));
        ASSERT_TRUE(helper);
        row.act(s, *helper);
        EXPECT_EQ(s.active()->control().text(), test::parseMarked(row.after).text);
        EXPECT_EQ(s.prompter.informed.join(QLatin1Char(10)), row.message);
        EXPECT_EQ(helper->insertButton()->text(), row.insertCaption);
        // The update is a program insertion: it empties the undo history.
        EXPECT_EQ(s.active()->control().canUndo(), row.undoable);
    }
}

} // namespace
} // namespace vellum
