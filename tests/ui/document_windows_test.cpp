// Closing, switching and arranging document windows; inserting, printing; the menus' items.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"

#include "core/app/command_registry.h"
#include "core/app/menu_table.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;
using Answer = Prompter::Answer;

void type(const Started& s, const QString& text) {
    QTest::keyClicks(s.active()->editorWidget(), text);
}

void clickTab(const Started& s, int index) {
    test::userClick(s.tabBar(), s.tabBar()->tabRect(index).center());
}

TEST(DocumentTabs, ClicksActivateAndClosingMovesLaterTabsDown) {
    Started s;
    s.runAndShow();
    const QString a = s.home.write("a.htm", "A");
    const QString b = s.home.write("b.htm", "B");
    s.open(a);
    s.open(b);
    const QList<DocumentWindow*> documents = s.documents();
    ASSERT_EQ(documents.size(), 3);
    for (int tab : {0, 2, 1}) {
        SCOPED_TRACE(tab);
        clickTab(s, tab);
        EXPECT_EQ(s.active(), documents[tab]);
        EXPECT_EQ(s.tabBar()->currentIndex(), tab);
    }

    s.trigger("Close1");
    EXPECT_EQ(s.captions(), (QStringList{"Untitled 1", "b.htm"}));
    EXPECT_EQ(s.tabTexts(), (QStringList{"Untitled 1", "b.htm"}));
    EXPECT_EQ(s.read("Roster", "0"), "Untitled 1");
    EXPECT_EQ(s.read("Roster", "1"), b);
    EXPECT_EQ(s.read("Roster", "2"), "");
    EXPECT_EQ(s.ledger(b), 1);
    EXPECT_EQ(s.ledger(a), -1);
    EXPECT_EQ(s.tabBar()->tabText(s.tabBar()->currentIndex()), s.active()->caption());
    // The tabs still find their documents after the move.
    clickTab(s, 0);
    EXPECT_EQ(s.active(), documents[0]);
    clickTab(s, 1);
    EXPECT_EQ(s.active(), documents[2]);
}

// Another program rewrote a's file while b was in front: bringing a forward offers to read it
// again, once.
TEST(DocumentTabs, DocumentChangedOnDiskAsksWhenItComesForward) {
    for (const bool reload : {true, false}) {
        SCOPED_TRACE(reload ? "read again" : "keep the text");
        Started s;
        s.runAndShow();
        const QString a = s.home.write("a.htm", "old");
        s.open(a);
        s.open(s.home.write("b.htm", "B"));
        s.home.write("a.htm", "new text");
        s.prompter.yesNo.push_back(reload);
        clickTab(s, 1);
        QCoreApplication::processEvents();
        ASSERT_EQ(s.prompter.asked.size(), 1);
        EXPECT_TRUE(s.prompter.asked[0].startsWith(a + " has been changed by another program"));
        EXPECT_EQ(s.active()->control().text(), reload ? "new text" : "old");
        clickTab(s, 2);
        clickTab(s, 1);
        QCoreApplication::processEvents();
        EXPECT_EQ(s.prompter.asked.size(), 1);
    }
}

TEST(DocumentClose, ModifiedDocumentAsksBeforeClosing) {
    struct Row {
        const char* name;
        bool exit; // the whole program closes rather than the document
        std::deque<Answer> answers;
        const char* saveName; // typed in the save dialog, or null to cancel it
        int asks;
        bool closed;
        int left; // documents still open afterwards
    };
    const Row rows[] = {
        {"No closes without saving", false, {Answer::No}, nullptr, 1, true, 1},
        {"Cancel keeps it open", false, {Answer::Cancel}, nullptr, 1, false, 2},
        {"Yes then a cancelled Save As asks again",
         false,
         {Answer::Yes, Answer::Cancel},
         nullptr,
         2,
         false,
         2},
        {"Yes then a name saves and closes", false, {Answer::Yes}, "kept.htm", 1, true, 1},
        // Exit asks every document before any closes: a Cancel leaves them all open.
        {"Cancel during Exit keeps the program running",
         true,
         {Answer::Cancel},
         nullptr,
         1,
         false,
         2},
        {"No during Exit ends the program", true, {Answer::No}, nullptr, 1, true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.trigger("new2");
        type(s, "x");
        s.prompter.yesNoCancel = row.answers;
        if (row.saveName)
            s.prompter.saveNames.push_back(s.home.file(row.saveName));
        if (row.exit)
            EXPECT_EQ(s.window()->close(), row.closed);
        else
            s.trigger("Close1");
        EXPECT_EQ(s.prompter.asked,
                  QStringList(row.asks, QStringLiteral("Save Changes to 'Untitled 2'?")));
        EXPECT_EQ(s.documents().size(), row.left);
        EXPECT_EQ(s.tabTexts(), s.captions());
        if (row.left > 0) {
            EXPECT_EQ(s.tabBar()->tabText(s.tabBar()->currentIndex()), s.active()->caption());
        }
        if (row.saveName) {
            EXPECT_EQ(s.home.read(row.saveName), "x");
        }
        if (row.exit) {
            EXPECT_EQ(s.window()->isVisible(), !row.closed);
            EXPECT_EQ(s.home.read("vellumh.ini").contains("[Windows]"), row.closed);
        }
    }
}

TEST(Arrangement, TileCascadeAndTab) {
    struct Row {
        const char* name;
        bool noDocument;
        std::vector<const char*> steps; // actions; "Label2" double-clicks the banner
        const char* state;
        bool tabbed;
    };
    const Row rows[] = {
        {"Tile with no document changes nothing", true, {"Tile1"}, "max", true},
        {"Cascade with no document changes nothing", true, {"Cascade1"}, "max", true},
        {"Tile shows the banner in place of the tabs", false, {"Tile1"}, "norm", false},
        {"Cascade too", false, {"Cascade1"}, "norm", false},
        {"Tab after Tile shows the tabs again", false, {"Tile1", "Tabbed1"}, "max", true},
        {"a double-click on the banner tabs too", false, {"Cascade1", "Label2"}, "max", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        if (row.noDocument)
            s.trigger("Close1");
        else
            s.trigger("new2");
        QLabel* banner = s.window()->findChild<QLabel*>("Label2");
        for (const char* step : row.steps) {
            if (QString(step) == "Label2")
                test::userDoubleClick(banner);
            else
                s.trigger(step);
        }
        EXPECT_EQ(s.read("Vellum", "state"), row.state);
        EXPECT_EQ(s.tabBar()->isVisible(), row.tabbed);
        EXPECT_EQ(banner->isVisible(), !row.tabbed);
        if (!row.noDocument) {
            EXPECT_EQ(s.active()->frame()->isMaximized(), row.tabbed);
        }
    }
}

TEST(DocumentInsert, FileTextReplacesTheSelectionAsOneUndo) {
    struct Row {
        const char* name;
        int anchor, caret;
        QByteArray file;
        QString text;
    };
    const Row rows[] = {
        {"at the caret", 1, 1, "X\nY\n", "aX\r\nY\r\nbcd"},
        {"over a selection", 1, 3, "Z", "aZd"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.open(s.home.write("doc.htm", "abcd"));
        const QString inserted = s.home.write("part.htm", row.file);
        PlainTextControl& control = s.active()->control();
        control.setSelection(row.anchor, row.caret);
        s.clipboard.setText("kept");
        s.prompter.openNames.push_back(inserted);
        s.trigger("Insert1");
        EXPECT_EQ(control.text(), row.text);
        EXPECT_EQ(s.clipboard.text(), "kept");
        EXPECT_TRUE(s.app->menus().msave()->isEnabled());
        control.undo();
        EXPECT_EQ(control.text(), "abcd");
    }
}

int pageCount(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

TEST(DocumentPrint, WritesThePagesToTheChosenPrinter) {
    struct Row {
        const char* name;
        int lines;
        bool confirmed;
        int minPages, maxPages;
    };
    const Row rows[] = {
        {"a short document fills one page", 3, true, 1, 1},
        {"a long document runs over several pages", 300, true, 2, 100},
        {"Cancel prints nothing", 3, false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        QByteArray text;
        for (int i = 1; i <= row.lines; ++i)
            text += "line\t" + QByteArray::number(i) + "\r\n";
        s.open(s.home.write("doc.htm", text));
        const QString pdf = s.home.file("out.pdf");
        s.prompter.printerChoice = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return row.confirmed;
        };
        s.trigger("Print1");
        EXPECT_EQ(QFileInfo::exists(pdf), row.confirmed);
        const int pages = pageCount(s.home.read("out.pdf"));
        EXPECT_GE(pages, row.minPages);
        EXPECT_LE(pages, row.maxPages);
        if (!row.confirmed)
            continue;
        // Print Preview shows as many pages as were printed, on the printer Print used.
        int previewed = 0;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(preview);
            previewed = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        s.trigger("PrintPreview1");
        EXPECT_EQ(previewed, pages);
    }
}

TEST(MainMenus, ItemsComeFromTheTable) {
    struct Row {
        const char* name;
        const char* text;
        const char* shortcut;
        bool enabled;
    };
    const Row rows[] = {
        {"SaveAs1", "Save &As...", "Ctrl+Shift+S", true},
        {"Anchor1", "N&ame", "Ctrl+Shift+A", true},
        {"opentag", "opentag", "", true},           // its shortcut went to the item before it
        {"Quick4", "&Quick", "Ctrl+Shift+T", true}, // shown, though the Quick menu's item takes it
        {"Bold1", "&Bold", "Ctrl+B", true},
        {"Preferences1", "P&references...", "Ctrl+F10", true},
        {"msave", "Save Current Document", "", false},
    };
    Started s;
    s.runAndShow();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QAction* action = s.app->menus().action(row.name);
        ASSERT_TRUE(action);
        EXPECT_EQ(action->text(), row.text);
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), row.shortcut);
        EXPECT_EQ(action->isEnabled(), row.enabled);
    }
    EXPECT_EQ(s.app->menus().action("msave")->toolTip(), "Save Current Document");
}

// No item is silently dead: each runs a registered command or is listed as not built yet (and
// then shows disabled), and the list names nothing that is built or on no menu.
TEST(MainMenus, EveryItemIsBoundOrListedAsNotBuilt) {
    Started s;
    s.runAndShow();
    const CommandRegistry& commands = s.app->commands();
    QStringList items, named;
    for (const std::vector<MenuEntry>* table : {&mainMenuTable(), &contextMenuTable()}) {
        for (const MenuEntry& entry : *table) {
            named << entry.name;
            if (entry.kind == MenuEntry::Kind::Item)
                items << entry.name;
        }
    }
    for (const ToolButtonEntry& button : toolbarTable())
        items << button.command;
    for (const EditorKey& key : editorKeyTable())
        items << key.command;
    const QMenu* popup = s.active()->popupMenu();
    for (const QString& id : items) {
        SCOPED_TRACE(id.toStdString());
        EXPECT_NE(commands.has(id), commandsNotYetBuilt().contains(id));
        if (commands.has(id))
            continue;
        if (QAction* item = s.app->menus().action(id)) {
            EXPECT_FALSE(item->isEnabled());
        }
        if (QAction* item = popup->findChild<QAction*>(id)) {
            EXPECT_FALSE(item->isEnabled());
        }
    }
    for (const QString& id : commandsNotYetBuilt()) {
        EXPECT_TRUE(named.contains(id)) << id.toStdString();
        EXPECT_FALSE(commands.has(id)) << id.toStdString();
    }
}

// Opens File > Recent Files from the menu bar as the user does; returns the submenu, open.
QMenu* openRecentFiles(const Started& s) {
    QMenu* file = s.app->menus().menu("File1");
    QMenu* recent = s.app->menus().menu("RecentFiles1");
    test::userOpenMenu(s.window()->menuBar(), file);
    test::userChoose(file, recent->menuAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return recent->isVisible(); }, 3000));
    return recent;
}

// The submenu is made when the File menu opens; an entry reopens its file, or brings it forward.
TEST(MainMenus, RecentFilesReopenTheirFiles) {
    Started s;
    s.runAndShow();
    const QString a = s.home.write("a.htm", "A");
    s.open(a);
    s.trigger("Close1");
    QMenu* recent = openRecentFiles(s);
    const QList<QAction*> items = recent->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "  &1 " + a);
    test::userChoose(recent, items[0]);
    EXPECT_EQ(s.captions(), (QStringList{"Untitled 1", "a.htm"}));
    recent = openRecentFiles(s);
    test::userChoose(recent, recent->actions().value(0));
    EXPECT_EQ(s.prompter.informed, QStringList{a + " is already open."});
}

TEST(MainMenus, ShortcutsRunTheirCommands) {
    struct Row {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        QStringList captions;
        QStringList dialogs;
    };
    const Row rows[] = {
        {"Alt+N makes a new document",
         Qt::Key_N,
         Qt::AltModifier,
         {"Untitled 1", "Untitled 2"},
         {}},
        {"Ctrl+Alt+N makes a clean one",
         Qt::Key_N,
         Qt::ControlModifier | Qt::AltModifier,
         {"Untitled 1", "Untitled 2"},
         {}},
        {"Ctrl+O asks for a file",
         Qt::Key_O,
         Qt::ControlModifier,
         {"Untitled 1"},
         {"VellumHTML Opens Files"}},
        {"Ctrl+S on an untitled document asks for a name",
         Qt::Key_S,
         Qt::ControlModifier,
         {"Untitled 1"},
         {"save"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
        QTest::keyClick(s.active()->editorWidget(), static_cast<Qt::Key>(row.key), row.modifiers);
        EXPECT_EQ(s.captions(), row.captions);
        EXPECT_EQ(s.prompter.dialogs, row.dialogs);
    }
}

} // namespace
} // namespace vellum
