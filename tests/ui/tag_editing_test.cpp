// Editing a start tag of the document in the helper that writes it: the helper shown from the
// tag's options, its Insert button turned into "Update tag", and the F2 command.
#include "core/editor/start_tag.h"
#include "support/image_files.h"
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/helpers/document_helper.h"
#include "ui/helpers/font_helper.h"
#include "ui/helpers/form_helper.h"
#include "ui/helpers/link_helper.h"
#include "ui/helpers/list_helper.h"
#include "ui/helpers/number_box.h"
#include "ui/helpers/table_helper.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;

// Opens helper `id`, shows it `options` and lets it edit the tag at the caret, as the command
// does once it has read the tag.
template <typename Helper, typename Options>
Helper& editing(Started& s, const char* id, const Options& options) {
    auto* helper = qobject_cast<Helper*>(s.app->helpers().open(QString::fromLatin1(id)));
    helper->showOptions(options);
    const TextControl& editor = s.active()->control();
    helper->editTag(startTagAt(editor.text(), editor.selection().end).value());
    return *helper;
}

void clickUpdate(HelperFrame& helper) {
    EXPECT_EQ(helper.insertButton()->text(), "Update tag");
    test::userClick(helper.insertButton());
}

void retype(QLineEdit* edit, const QString& text) {
    test::userClick(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

// F2 on a tag a helper wrote opens that helper with every control its output reflects set:
// updating it untouched gives the tag back byte for byte.
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
    };
    for (const auto& [document, id] : rows) {
        SCOPED_TRACE(document);
        Started s;
        s.runAndShow();
        s.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
        load(*s.active(), document);
        QTest::keyClick(s.active()->editorWidget(), Qt::Key_F2);
        HelperFrame* helper = s.app->helpers().find(QString::fromLatin1(id));
        ASSERT_TRUE(helper);
        clickUpdate(*helper);
        EXPECT_EQ(drawn(*s.active()).remove(QLatin1Char(0x7c)).toStdString(),
                  QString(document).remove(QLatin1Char(0x7c)).toStdString());
        EXPECT_TRUE(s.prompter.informed.isEmpty());
    }
}

// "Update tag" after a change: only the start tag's characters change, the attributes the helper
// does not write stay; a changed document is reported and left alone; leaving edit mode.
TEST(TagEditing, UpdateReplacesOnlyTheStartTag) {
    const QString table = "x <TABLE class=\"wide\" bo|rder=1 onclick='go()'><TR><TD>a</TABLE> y";
    struct Row {
        const char* name;
        std::function<void(Started&, TableHelper&)> act;
        QString after;
        QString message;
        QString insertCaption;
        bool undoable = false; // only the user's own typing can be undone
    };
    const Row rows[] = {
        {"a new border replaces the tag in place",
         [](Started&, TableHelper& h) {
             retype(h.borderBox()->edit(), "4");
             clickUpdate(h);
         },
         "x <TABLE class=\"wide\" border=4 onclick='go()'>|<TR><TD>a</TABLE> y", "", "Update tag"},
        {"a change in the tag meanwhile is reported and nothing is replaced",
         [](Started& s, TableHelper& h) {
             s.active()->control().setSelection(4, 4);
             QTest::keyClicks(s.active()->editorWidget(), "H");
             retype(h.borderBox()->edit(), "4");
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
        Started s;
        s.runAndShow();
        load(*s.active(), table);
        TableHelper& helper = editing<TableHelper>(s, "Table", TableOptions{});
        row.act(s, helper);
        EXPECT_EQ(s.active()->control().text(), test::parseMarked(row.after).text);
        EXPECT_EQ(s.prompter.informed.join(QLatin1Char(10)), row.message);
        EXPECT_EQ(helper.insertButton()->text(), row.insertCaption);
        // The update is a program insertion: it empties the undo history.
        EXPECT_EQ(s.active()->control().canUndo(), row.undoable);
    }
}

// The Image helper reads its file from the saved page's folder: F2 on an image or on a tag with a
// background gives the tag back untouched, the picture measured from the real file.
TEST(TagEditing, F2OnAnImageOfTheSiteKeepsItsPathAndSize) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Pics"));
    ASSERT_TRUE(test::writeBytes(dir.filePath("Pics/logo.gif"), test::gifBytes({88, 31})));
    const QString pages[] = {
        "<IMG src=\"Pics/logo.gif\" alt=\"\" align=left height=31 width=88>",
        "<IMG src=\"file://" + dir.filePath("Pics/logo.gif") + "\" border=0 hspace= vspace=>",
        "<IMG src=\"file:///srv/art/logo.gif\">",
        "<TD class=c background=\"Pics/logo.gif\">",
        "<TD background=\"logo.gif\" valign=top>",
    };
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString path = dir.filePath("page.html");
        ASSERT_TRUE(test::writeBytes(path, page.toUtf8()));
        Started s;
        s.runAndShow();
        s.open(path);
        s.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
        s.active()->control().setSelection(5, 5);
        QTest::keyClick(s.active()->editorWidget(), Qt::Key_F2);
        HelperFrame* helper = s.app->helpers().find("Image");
        ASSERT_TRUE(helper);
        clickUpdate(*helper);
        EXPECT_EQ(s.active()->control().text().toStdString(), page.toStdString());
        EXPECT_TRUE(s.prompter.informed.isEmpty());
    }
}

// F2 where no helper writes the tag says so and opens nothing.
TEST(TagEditing, F2WithoutAHelpersTagSaysSo) {
    const char* const documents[] = {"ab|c", "<P class=x|>", "<!-- <TABLE |border=1> -->",
                                     "<TABLE></TABLE>|</TD>"};
    for (const char* document : documents) {
        SCOPED_TRACE(document);
        Started s;
        s.runAndShow();
        s.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
        load(*s.active(), document);
        QTest::keyClick(s.active()->editorWidget(), Qt::Key_F2);
        EXPECT_EQ(s.prompter.informed, QStringList{"There is no tag here that a helper writes."});
        EXPECT_EQ(drawn(*s.active()), document);
        EXPECT_TRUE(s.window()->findChildren<HelperFrame*>().isEmpty());
    }
}

} // namespace
} // namespace vellum
