// The User Tags helper and the Add to Library dialog on a real document and real list files.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "ui/app/helper_registry.h"
#include "ui/library/add_to_library_dialog.h"
#include "ui/library/user_tags_helper.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;
using Kind = TagList::Kind;

QString file(Kind kind) {
    return kind == Kind::Tags      ? "library/tags.dat"
           : kind == Kind::Fillers ? "library/fillers.dat"
                                   : "library/library.dat";
}

UserTagsHelper* userTags(Started& s) {
    return qobject_cast<UserTagsHelper*>(s.app->helpers().find("User"));
}

// Clicks with `button` where `at` of `widget` is drawn. The click goes to the widget the screen
// shows there, which must be `widget`: a covered or hidden control cannot be clicked.
void clickAt(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget->window()));
    const QPoint global = widget->mapToGlobal(at);
    QWidget* shown = QApplication::widgetAt(global);
    ASSERT_EQ(shown, widget) << "covered by " << (shown ? shown->metaObject()->className() : "-");
    QTest::mouseClick(shown, button, {}, shown->mapFromGlobal(global));
}

QPoint cellCentre(QTableWidget* grid, int row) {
    return grid->visualRect(grid->model()->index(row, 2)).center();
}

// Shows a list and makes a row current, as the user does by clicking.
void choose(UserTagsHelper& helper, Kind kind, int row) {
    clickAt(helper.listButton(kind), QPoint(8, 8));
    clickAt(helper.grid(kind)->viewport(), cellCentre(helper.grid(kind), row));
}

// Opens the list's context menu with a right-click on a row, as the user does, and clicks `item`
// in it. False when the item is not shown.
bool chooseFromMenu(UserTagsHelper& helper, Kind kind, int row, const char* item) {
    QWidget* viewport = helper.grid(kind)->viewport();
    const QPoint at = cellCentre(helper.grid(kind), row);
    clickAt(viewport, at, Qt::RightButton);
    // The window system follows the right-click with the context-menu request.
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(QApplication::widgetAt(viewport->mapToGlobal(at)), &request);
    QMenu* menu = helper.popupMenu();
    if (!menu->isVisible() || !helper.menuItem(item)->isVisible()) {
        menu->close();
        return false;
    }
    clickAt(menu, menu->actionGeometry(helper.menuItem(item)).center());
    return true;
}

void doubleClickRow(QTableWidget* grid, int row) {
    const QPoint at = cellCentre(grid, row);
    clickAt(grid->viewport(), at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

void clickButton(QWidget* button) {
    clickAt(button, button->rect().center());
}

QStringList lines(const Started& s, Kind kind) {
    return QString::fromUtf8(s.home.read(file(kind))).split("\r\n");
}

TEST(UserTags, InsertPutsTheCurrentEntryIntoTheDocument) {
    struct Row {
        const char* name;
        Kind kind;
        QByteArray listFile;
        int row;
        bool editMode, byDoubleClick;
        QString before, after;
    };
    const Row rows[] = {
        {"a Tags entry wraps the selection, which stays selected inside", Kind::Tags,
         "<B>..</B>\r\n<FONT size=2>..</FONT>\r\n", 1, false, false, "a[bc]d",
         "a<FONT size=2>[bc]</FONT>d"},
        {"a Tags entry splits at its first ..", Kind::Tags, "<!--..x..-->\r\n", 0, false, false,
         "a|d", "a<!--|x..-->d"},
        {"a Filler takes the selection's place", Kind::Fillers, "x\r\n&nbsp;\r\n", 1, false, false,
         "a[bc]d", "a&nbsp;|d"},
        {"a double-click inserts too", Kind::Fillers, "&copy;\r\n", 0, false, true, "a|d",
         "a&copy;|d"},
        {"a double-click in edit mode inserts nothing", Kind::Fillers, "&copy;\r\n", 0, true, true,
         "a|d", "a|d"},
        {"a Library item goes in at the caret", Kind::Library, "3..Menu\r\n7..Footer\r\n", 1, false,
         false, "ab|c", "ab<P>foot</P>\r\n|c"},
        {"an item whose file is gone inserts nothing", Kind::Library, "8..Gone\r\n", 0, false,
         false, "a[bc]d", "a[bc]d"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.home.write(file(row.kind), row.listFile);
        s.home.write("library/7", "<P>foot</P>\n");
        load(*s.active(), row.before);
        // The document window's context menu opens the helper as the main menu does.
        s.active()->popupMenu()->findChild<QAction*>("UserTags2")->trigger();
        UserTagsHelper* helper = userTags(s);
        ASSERT_NE(helper, nullptr);
        EXPECT_TRUE(helper->listButton(Kind::Tags)->isChecked());
        choose(*helper, row.kind, row.row);
        if (row.editMode)
            clickAt(helper->editCheck(), QPoint(8, 8));
        if (row.byDoubleClick)
            doubleClickRow(helper->grid(row.kind), row.row);
        else
            clickButton(helper->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ(s.app->workspace().scratchBuffer().text(), "");
    }
}

TEST(UserTags, EditsReachTheListFiles) {
    const int R = TagList::MinimumRows;
    struct Row {
        const char* name;
        Kind kind;
        const char* item; // the context menu item used at row 1
        bool written;     // at once, before Save Edits
        QStringList head; // the file's first lines after Save Edits
        QString spare;    // its last line, the spare position
    };
    const Row rows[] = {
        {"Insert Row writes at once, the last row pushed into the spare position",
         Kind::Tags,
         "InsertRow",
         true,
         {"a", "", "b", "c"},
         "last"},
        {"Delete Row of Tags waits for Save Edits",
         Kind::Tags,
         "DeleteRow",
         false,
         {"a", "c", ""},
         ""},
        {"Delete Row of the Library goes to the index at once",
         Kind::Library,
         "DeleteRow",
         true,
         {"1..a", "3..c", ".."},
         ".."},
        {"Insert Row of Fillers", Kind::Fillers, "InsertRow", true, {"a", "", "b"}, "last"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        const QByteArray before =
            row.kind == Kind::Library ? "1..a\r\n2..b\r\n3..c\r\n" : "a\r\nb\r\nc\r\n";
        s.home.write(file(row.kind), before);
        s.home.write("library/2", "B");
        s.trigger("UserTags1");
        UserTagsHelper* helper = userTags(s);
        ASSERT_NE(helper, nullptr);
        choose(*helper, row.kind, 1);
        ASSERT_TRUE(chooseFromMenu(*helper, row.kind, 1, "EditMode1"));
        EXPECT_EQ(helper->insertButton()->text(), "Save Edits");
        EXPECT_EQ(helper->libraryPanel()->isVisibleTo(helper), row.kind == Kind::Library);
        // What the user typed into the last row is part of the list.
        helper->grid(row.kind)->item(R - 1, 2)->setText(row.kind == Kind::Library ? "" : "last");
        ASSERT_TRUE(chooseFromMenu(*helper, row.kind, 1, row.item));
        EXPECT_EQ(s.home.read(file(row.kind)) != before, row.written);

        clickButton(helper->insertButton());
        const QStringList saved = lines(s, row.kind);
        ASSERT_EQ(saved.size(), R + 2); // R + 1 lines, each ending in CR LF
        EXPECT_EQ(saved.mid(0, row.head.size()), row.head);
        EXPECT_EQ(saved[R], row.spare);
        EXPECT_FALSE(helper->editCheck()->isChecked());
        EXPECT_EQ(helper->insertButton()->text(), "Insert Code");
        EXPECT_TRUE(QFileInfo::exists(s.home.file("library/2")));
    }
}

TEST(UserTags, NewLibraryItemFromTheSelection) {
    struct Row {
        const char* name;
        QString document;
        int row;
        QString message; // empty: the dialog opens
    };
    const Row rows[] = {
        {"the selection becomes item 4 at the chosen row", "a[bc\r\nd]e", 1, ""},
        {"without a selection only the message", "ab|c", 1,
         "You must have text selected in the editor before you can add new Library items. "
         "Click OK and try again."},
        {"a row that holds an item is refused", "a[bc]d", 0,
         "You must select an empty row before you can add a new item. Click OK and try again."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.home.write("library/library.dat", "1..One\r\n");
        s.write("Vellum", "libs", "4");
        load(*s.active(), row.document);
        UserTagsHelper* helper = qobject_cast<UserTagsHelper*>(s.app->helpers().open("User"));
        ASSERT_NE(helper, nullptr);
        choose(*helper, Kind::Library, row.row);
        clickAt(helper->editCheck(), QPoint(8, 8));
        clickButton(helper->libraryPanel()->findChild<QPushButton*>("SpeedButton3"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<AddToLibraryDialog*> dialogs = s.window()->findChildren<AddToLibraryDialog*>();
        EXPECT_EQ(s.prompter.informed.join('|'), row.message);
        if (!row.message.isEmpty()) {
            EXPECT_TRUE(dialogs.isEmpty());
            EXPECT_EQ(userTags(s), helper);
            continue;
        }
        ASSERT_EQ(dialogs.size(), 1);
        AddToLibraryDialog& dialog = *dialogs.first();
        EXPECT_EQ(userTags(s), nullptr);
        EXPECT_FALSE(s.active()->editorWidget()->isEnabled());
        QTest::keyClicks(dialog.description(), "Second");
        QTest::keyClick(dialog.description(), Qt::Key_Return);

        EXPECT_EQ(s.home.read("library/4"), "bc\r\nd");
        EXPECT_EQ(s.read("Vellum", "libs"), "5");
        EXPECT_EQ(lines(s, Kind::Library).mid(0, 3), QStringList({"1..One", "4..Second", ".."}));
        EXPECT_TRUE(s.active()->editorWidget()->isEnabled());
        helper = userTags(s);
        ASSERT_NE(helper, nullptr);
        EXPECT_TRUE(helper->listButton(Kind::Library)->isChecked());
        EXPECT_TRUE(helper->editCheck()->isChecked());
        EXPECT_EQ(helper->grid(Kind::Library)->currentRow(), 1);
        EXPECT_EQ(helper->grid(Kind::Library)->item(1, 2)->text(), "Second");
        EXPECT_EQ(s.app->workspace().scratchBuffer().text(), "");
    }
}

} // namespace
} // namespace vellum
