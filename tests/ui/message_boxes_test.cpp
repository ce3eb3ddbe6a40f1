// Real message boxes, answered where they are drawn: each shows its text as it is, and a box
// raised by a window that stays on top belongs to that window and shows above it.
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/app/preferences_dialog.h"
#include "ui/editor/find_commands.h"
#include "ui/editor/find_window.h"
#include "ui/editor/go_to_line.h"
#include "ui/helpers/number_box.h"
#include "ui/helpers/table_helper.h"
#include "ui/library/template_dialog.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::Started;
using test::userClick;

// Each window is opened first and acted on afterwards: the message box it raises waits for its
// answer inside the action.
template <typename T> T* exposed(T* window) {
    return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

QWidget* openFindReplace(Started& s) {
    s.trigger("Replace1");
    return exposed(s.app->finds().findReplaceWindow());
}

void findTag(Started& s, QWidget*) {
    FindReplaceWindow* window = s.app->finds().findReplaceWindow();
    window->boxes().find->setText("<td>");
    userClick(window->findReplaceButton());
}

QWidget* openGoToLine(Started& s) {
    s.trigger("goto1");
    return exposed(s.app->finds().goToLineDialog());
}

void typeNoNumber(Started& s, QWidget*) {
    QLineEdit* box = s.app->finds().goToLineDialog()->lineBox();
    QTest::keyClicks(box, "abc");
    QTest::keyClick(box, Qt::Key_Return);
}

QWidget* openTemplates(Started& s) {
    s.home.write("template/basic.htm", "<P>\n");
    s.trigger("New1");
    const QList<TemplateDialog*> open = s.window()->findChildren<TemplateDialog*>();
    return open.isEmpty() ? nullptr : exposed(open.last());
}

void deleteBasic(Started&, QWidget* window) {
    auto* dialog = qobject_cast<TemplateDialog*>(window);
    QListWidget* list = dialog->fileList();
    const QList<QListWidgetItem*> found = list->findItems("basic.htm", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    userClick(list->viewport(), list->visualItemRect(found.first()).center());
    userClick(dialog->deleteButton());
}

QWidget* openPreferences(Started& s) {
    s.trigger("Preferences1");
    const QList<PreferencesDialog*> open = s.window()->findChildren<PreferencesDialog*>();
    return open.isEmpty() ? nullptr : exposed(open.last());
}

void storeMissingBrowser(Started& s, QWidget* dialog) {
    dialog->findChild<QLineEdit*>("browsertext")->setText(s.home.file("no/browser"));
    userClick(dialog->findChild<QPushButton*>("OKBtn"));
}

QWidget* openTableHelper(Started& s) {
    return exposed(s.app->helpers().open("Table"));
}

void spinNoNumber(Started& s, QWidget*) {
    NumberBox* indent = qobject_cast<TableHelper*>(s.app->helpers().find("Table"))->indentBox();
    userClick(indent->edit());
    QTest::keyClick(indent->edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(indent->edit(), "1a");
    userClick(indent->upButton());
}

QWidget* mainWindow(Started& s) {
    return s.window();
}

void openTagNamedFileTwice(Started& s, QWidget*) {
    const QString path = s.home.write("p<i>q.htm", "x\n");
    s.open(path);
    s.open(path);
}

TEST(MessageBoxes, ShowTheirTextAsItIsAboveTheWindowThatRaisedThem) {
    struct Row {
        const char* name;
        std::function<QWidget*(Started&)> open; // the window that raises the message
        std::function<void(Started&, QWidget*)> act;
        QString text; // "%1" stands for the home's path
        QMessageBox::StandardButton answer;
    };
    const Row rows[] = {
        {"Find & Replace of a tag that is not there", openFindReplace, findTag,
         "Cannot find \"<td>\".", QMessageBox::Ok},
        {"go to line with a text that is no number", openGoToLine, typeNoNumber,
         "'abc' is not a valid integer value", QMessageBox::Ok},
        {"deleting a template", openTemplates, deleteBasic, "Delete basic.htm?", QMessageBox::No},
        {"Preferences with a browser that does not exist", openPreferences, storeMissingBrowser,
         "There is a problem with your browser path or filename.", QMessageBox::Ok},
        {"a helper window spinning a text that is no number", openTableHelper, spinNoNumber,
         "'1a' is not a valid integer value", QMessageBox::Ok},
        {"a file name that looks like a tag, from the main window", mainWindow,
         openTagNamedFileTwice, "%1/p<i>q.htm is already open.", QMessageBox::Ok},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(s.window()));
        QWidget* window = row.open(s);
        ASSERT_NE(window, nullptr);
        s.prompter.showBoxes = true;
        const QString expected = QString(row.text).replace("%1", s.home.path());
        const auto seen = test::whenMessageBoxShows([&](QMessageBox& box) {
            auto* label = box.findChild<QLabel*>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), expected);
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << "a message is never read as HTML";
            EXPECT_EQ(box.parentWidget() ? box.parentWidget()->window() : nullptr, window)
                << "the box belongs to the window that raised it";
            // Under a window manager, a box stacked below the window is not what is drawn there.
            userClick(box.button(row.answer));
        });
        row.act(s, window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return *seen; }, 10000));
    }
}

} // namespace
} // namespace vellum
