// The List helper through its window: what Insert code puts into the document, and how the
// panels and choices follow the user's clicks.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/helpers/list_helper.h"
#include "ui/helpers/number_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;

// Does what the user does, step by step: a control's name clicks it (where a button's indicator
// is), "dclick:NAME" double-clicks it, "bg:NAME" clicks a panel's background, and "items=x",
// "start=x" type into those boxes.
void listSteps(ListHelper& list, const QString& steps) {
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QString name = step.section(':', -1).section('=', 0, 0);
        const QString typed = step.section('=', 1);
        QWidget* widget = list.control(name.toLatin1().constData());
        if (name == "items" || name == "start") {
            QLineEdit* edit = (name == "items" ? list.itemBox() : list.startBox())->edit();
            edit->clear();
            QTest::keyClicks(edit, typed);
            continue;
        }
        ASSERT_NE(widget, nullptr) << step.toStdString();
        if (step.startsWith("bg:")) {
            test::userClick(widget, QPoint(widget->width() - 2, widget->height() - 2));
            continue;
        }
        const QPoint at(8, widget->height() / 2);
        if (step.startsWith("dclick:"))
            test::userDoubleClick(widget, at);
        else
            test::userClick(widget, at);
    }
}

ListHelper* openList(Started& s) {
    return qobject_cast<ListHelper*>(s.app->helpers().open("List"));
}

TEST(ListHelper, InsertPutsTheListInWithTheCaretOnTheFirstItem) {
    struct Row {
        const char* name;
        const char* steps;
        QString before, after;
        QString errors = "";
        QString itemBox = "2";
    };
    const Row rows[] = {
        {"starting values", "", "|", "<UL>\r\n<LI> |\r\n<LI> \r\n</UL>"},
        {"numbered from 3 in roman, three items", "Number aIIIIII start=3 items=3", "|",
         "<OL start=3>\r\n<LI type=I> |\r\n<LI> \r\n<LI> \r\n</OL>", "", "3"},
        {"a double-click on the number style drops the start", "Number aIIIIII dclick:aIIIIII", "|",
         "<OL>\r\n<LI> |\r\n<LI> \r\n</OL>"},
        {"a style left on a hidden panel does not count", "Number aIIIIII Bullet circle2", "|",
         "<UL>\r\n<LI type=circle> |\r\n<LI> \r\n</UL>"},
        {"items only, in the middle of a line", "itembut aabc", "a|b", "a<LI type=A> |\r\n<LI> b"},
        {"no list kind inserts nothing", "bg:Panlist", "a|b", "a|b"},
        {"an item count that is not a number inserts nothing", "items=x", "a|b", "a|b",
         "'x' is not a valid integer value", "x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), row.before);
        ListHelper* list = openList(s);
        ASSERT_NE(list, nullptr);
        listSteps(*list, row.steps);
        test::userClick(list->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ(s.prompter.errors.join('|'), row.errors);
        EXPECT_EQ(list->itemBox()->text(), row.itemBox);
    }
}

TEST(ListHelper, PanelsAndChoicesFollowTheClicks) {
    const struct {
        const char* name;
        const char* steps;
        const char* shown;
        const char* checked;
    } rows[] = {
        {"at opening", "", "Panlist Label1 Panbull", "listbut Bullet"},
        {"Number shows its styles and the start", "Number", "Panlist Label1 Pannum startEdit",
         "listbut Number"},
        {"Definition has no styles", "Definition", "Panlist", "listbut Definition"},
        {"List Item clears every choice", "Number asabc itembut", "Label1 Pannum Panbulla",
         "itembut"},
        {"an item bullet clears the number style", "itembut aabc disc", "Label1 Pannum Panbulla",
         "itembut disc"},
        {"a number style clears the item bullets", "itembut defitem a123", "Label1 Pannum Panbulla",
         "itembut a123"},
        {"back to List", "itembut circle listbut", "Panlist Label1 Panbull", "listbut Bullet"},
        {"a double-click on a kind clears the kinds", "dclick:Number", "Panlist Label1 Pannum",
         "listbut"},
        {"the bullet panel's background clears its bullets", "disc2 bg:Panbull",
         "Panlist Label1 Panbull", "listbut Bullet"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        ListHelper* list = openList(s);
        ASSERT_NE(list, nullptr);
        listSteps(*list, row.steps);
        QStringList shown, checked;
        for (const char* name : {"Panlist", "Label1", "Pannum", "Panbull", "Panbulla", "startEdit"})
            if (list->control(name)->isVisible())
                shown << name;
        for (const QRadioButton* button : list->findChildren<QRadioButton*>())
            if (button->isChecked())
                checked << button->objectName();
        EXPECT_EQ(shown.join(' '), QString(row.shown));
        EXPECT_EQ(checked.join(' '), QString(row.checked));
        EXPECT_EQ(list->startShown(), shown.contains("startEdit"));
    }
}

} // namespace
} // namespace vellum
