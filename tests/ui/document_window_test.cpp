// One document window driven by keys and the mouse: indentation on Enter, the bracket keys, undo,
// the line display, the context menu, the URL tip, the window-state commands.
#include "support/fixed_pitch_editor.h"
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"

#include <QFontInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::Started;

using test::drawn;
using test::load;

// Gives the editor a fixed-pitch font; "W" in `text` becomes a word longer than half the editor's
// width, so that two of them never share a display line.
QString wrapping(DocumentWindow& doc, QString text) {
    const QFont font = test::fixedPitchFont();
    doc.editorWidget()->setFont(font);
    QCoreApplication::processEvents();
    int columns = 0;
    while (test::columnsWidth(font, columns + 1) <= doc.editorWidget()->viewport()->width())
        ++columns;
    return text.replace('W', QString(columns * 6 / 10, 'x'));
}

void key(DocumentWindow& doc, Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(doc.editorWidget(), k, modifiers);
}

void clickOn(DocumentWindow& doc, const QString& word) {
    const QTextCursor at = doc.editorWidget()->document()->find(word);
    test::userClick(doc.editorWidget()->viewport(), doc.editorWidget()->cursorRect(at).center());
    QCoreApplication::processEvents();
}

TEST(DocumentWindowEnter, IndentsTheNewLineLikeTheDisplayLineAbove) {
    enum Keys { Enter, ShiftHeld };
    struct Row {
        const char* name;
        const char* ai;
        Keys keys;
        QString before, after;
    };
    const Row rows[] = {
        {"two tabs then a space give two tabs", "t", Enter, "\t\t x|\r\nend",
         "\t\t x\r\n\t\t|\r\nend"},
        {"three spaces give three spaces", "t", Enter, "   x|\r\nend", "   x\r\n   |\r\nend"},
        {"a line starting with a letter gives nothing", "t", Enter, "x  y|\r\nend",
         "x  y\r\n|\r\nend"},
        {"an empty line gives nothing", "t", Enter, "\t\tx\r\n|\r\nend", "\t\tx\r\n\r\n|\r\nend"},
        {"at the end of the text a space follows the indentation", "t", Enter, "\t\tx|",
         "\t\tx\r\n\t\t| "},
        {"at the end after a plain line only the space", "t", Enter, "x|", "x\r\n| "},
        {"Shift still held gives nothing", "t", ShiftHeld, "\t\tx|\r\nend", "\t\tx\r\n|\r\nend"},
        {"indentation off gives nothing", "", Enter, "\t\tx|\r\nend", "\t\tx\r\n|\r\nend"},
        {"a wrapped line above starts with a word", "t", Enter, "\t\tW W W|\r\nend",
         "\t\tW W W\r\n|\r\nend"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        // Measured once the window manager has placed and sized the window, and once for both
        // texts, so that a late resize cannot give the two different words.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(s.window()));
        DocumentWindow& doc = *s.active();
        const QString longWord = wrapping(doc, "W");
        const auto widen = [&](QString text) { return text.replace('W', longWord); };
        load(doc, widen(row.before));
        s.write("Vellum", "ai", row.ai);
        if (row.keys == Enter) {
            key(doc, Qt::Key_Return);
        } else {
            QTest::keyPress(doc.editorWidget(), Qt::Key_Shift, Qt::ShiftModifier);
            QTest::keyPress(doc.editorWidget(), Qt::Key_Return, Qt::ShiftModifier);
            QTest::keyRelease(doc.editorWidget(), Qt::Key_Return, Qt::ShiftModifier);
            QTest::keyRelease(doc.editorWidget(), Qt::Key_Shift);
        }
        EXPECT_EQ(drawn(doc), widen(row.after));
    }
}

TEST(DocumentWindowEnter, OneShotFlagSkipsOneIndentation) {
    Started s;
    s.runAndShow();
    DocumentWindow& doc = *s.active();
    s.write("Vellum", "ai", "t");
    load(doc, "\t\tx|\r\nend");
    s.app->workspace().enterFlag() = "noEnter";
    key(doc, Qt::Key_Return);
    EXPECT_EQ(drawn(doc), "\t\tx\r\n|\r\nend");
    EXPECT_EQ(s.app->workspace().enterFlag(), "");
    key(doc, Qt::Key_Up);
    key(doc, Qt::Key_End);
    key(doc, Qt::Key_Return);
    EXPECT_EQ(drawn(doc), "\t\tx\r\n\t\t|\r\n\r\nend");
}

// Closing a dialog with Enter sends the editor the release alone: nothing may change.
TEST(DocumentWindowEnter, ReleaseWithoutPressIndentsNothing) {
    Started s;
    s.runAndShow();
    DocumentWindow& doc = *s.active();
    s.write("Vellum", "ai", "t");
    load(doc, "\t\tx\r\n|end");
    doc.control().setModified(false);
    QTest::keyRelease(doc.editorWidget(), Qt::Key_Return);
    EXPECT_EQ(drawn(doc), "\t\tx\r\n|end");
    EXPECT_FALSE(doc.isModified());
}

TEST(DocumentWindowKeys, CtrlShiftBracketKeysInsertTags) {
    struct Row {
        const char* name;
        Qt::Key key;
        QString before, after;
    };
    const Row rows[] = {
        {"Ctrl+Shift+< gives <> around the caret", Qt::Key_Less, "ab|cd", "ab<|>cd"},
        {"Ctrl+Shift+comma does the same", Qt::Key_Comma, "ab|cd", "ab<|>cd"},
        {"a selection is replaced", Qt::Key_Comma, "a[bc]d", "a<|>d"},
        {"Ctrl+Shift+period gives </> with the caret before >", Qt::Key_Period, "ab|", "ab</|>"},
        {"Ctrl+Shift+> does the same", Qt::Key_Greater, "[ab]", "</|>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        // Active, as for the user: a menu shortcut on these keys would take them from the editor.
        s.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
        DocumentWindow& doc = *s.active();
        load(doc, row.before);
        key(doc, row.key, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(drawn(doc), row.after);
    }
}

// On X11 the editor widget would delete a character on Ctrl+D and the rest of the line on Ctrl+K;
// a Ctrl+letter that no command takes (or whose item the Edit menu disabled) changes nothing.
TEST(DocumentWindowKeys, CtrlLettersNoCommandTakesLeaveTheText) {
    const std::pair<const char*, Qt::Key> rows[] = {
        {"Ctrl+D after the Edit menu disabled Delete", Qt::Key_D},
        {"Ctrl+K", Qt::Key_K},
        {"Ctrl+H", Qt::Key_H},
    };
    for (const auto& [name, letter] : rows) {
        SCOPED_TRACE(name);
        Started s;
        s.runAndShow();
        s.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
        DocumentWindow& doc = *s.active();
        load(doc, "a|bc\r\ndef");
        test::userOpenMenu(s.window()->menuBar(), s.app->menus().menu("Edit1"));
        ASSERT_FALSE(s.app->menus().action("delete1")->isEnabled());
        test::userCloseMenus();
        key(doc, letter, Qt::ControlModifier);
        EXPECT_EQ(drawn(doc), "a|bc\r\ndef");
    }
}

TEST(DocumentWindowFont, EditorStartsThirteenPixelsHigh) {
    Started s;
    s.runAndShow();
    EXPECT_EQ(QFontInfo(s.active()->editorWidget()->font()).pixelSize(),
              DocumentWindow::DefaultFontPixels);
    EXPECT_EQ(DocumentWindow::DefaultFontPixels, 13);
}

TEST(DocumentWindowUndo, TypingIsUndoneOneCharacterAtATimeAndInsertionsNotAtAll) {
    struct Row {
        const char* name;
        std::function<void(Started&)> edit;
        QString edited;
        bool canUndo;
        QString undone;
    };
    const Row rows[] = {
        {"typing ab: undo takes back the b",
         [](Started& s) { QTest::keyClicks(s.active()->editorWidget(), "ab"); }, "ab|", true, "a|"},
        {"a program insertion cannot be undone",
         [](Started& s) { s.app->workspace().insertions().insertText("<HR>"); }, "<HR>|", false,
         "<HR>|"},
        {"nor can the typing before it",
         [](Started& s) {
             QTest::keyClicks(s.active()->editorWidget(), "a");
             s.app->workspace().insertions().insertText("<HR>");
         },
         "a<HR>|", false, "a<HR>|"},
        {"a paste from the context menu is one step",
         [](Started& s) {
             s.clipboard.setText("x\r\ny");
             test::userRightClick(s.active()->editorWidget()->viewport());
             test::userChoose(s.active()->popupMenu(),
                              s.active()->popupMenu()->findChild<QAction*>("Paste2"));
         },
         "x\r\ny|", true, "|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        DocumentWindow& doc = *s.active();
        EXPECT_FALSE(doc.isModified());
        EXPECT_FALSE(s.app->menus().msave()->isEnabled());
        row.edit(s);
        EXPECT_EQ(drawn(doc), row.edited);
        EXPECT_TRUE(doc.isModified());
        EXPECT_TRUE(s.app->menus().msave()->isEnabled());
        EXPECT_EQ(doc.control().canUndo(), row.canUndo);
        doc.control().undo();
        EXPECT_EQ(drawn(doc), row.undone);
    }
}

TEST(DocumentWindowLine, StatusShowsTheCaretDisplayLine) {
    struct Row {
        const char* name;
        QString text;
        std::function<void(DocumentWindow&)> act;
        QString line;
    };
    const Row rows[] = {
        {"an empty document is on line 1", "", [](DocumentWindow&) {}, "1"},
        {"typing follows the caret", "",
         [](DocumentWindow& d) { QTest::keyClicks(d.editorWidget(), "a\rb\rc"); }, "3"},
        {"Ctrl+Home goes back to line 1", "a\r\nb\r\nc|",
         [](DocumentWindow& d) { key(d, Qt::Key_Home, Qt::ControlModifier); }, "1"},
        {"Ctrl+End counts wrapped lines", "|W W W\r\nend",
         [](DocumentWindow& d) { key(d, Qt::Key_End, Qt::ControlModifier); }, "4"},
        {"a click in a later line shows it", "|one\r\ntwo\r\nthree",
         [](DocumentWindow& d) { clickOn(d, "three"); }, "3"},
        {"a click counts wrapped lines too", "|W W W\r\nend",
         [](DocumentWindow& d) { clickOn(d, "end"); }, "4"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        // Measured once the window manager has placed and sized the window.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(s.window()));
        DocumentWindow& doc = *s.active();
        if (!row.text.isEmpty())
            load(doc, wrapping(doc, row.text));
        row.act(doc);
        EXPECT_EQ(s.app->status().linecol()->text(), row.line);
    }
}

TEST(DocumentWindowMenu, ItemsFollowSelectionClipboardAndUndo) {
    struct Row {
        const char* name;
        QString text;
        QString clipboard;
        bool pasteFirst;
        bool selectionItems, paste, undo;
    };
    const Row rows[] = {
        {"no selection hides Cut, Copy and Remove Tags", "ab|c", "", false, false, false, false},
        {"a selection shows them", "a[bc]", "", false, true, false, false},
        {"text on the clipboard shows Paste", "ab|c", "x", false, false, true, false},
        {"after a paste Undo is enabled", "ab|c", "x", true, false, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        DocumentWindow& doc = *s.active();
        load(doc, row.text);
        s.clipboard.setText(row.clipboard);
        QMenu* menu = doc.popupMenu();
        const auto item = [menu](const char* name) { return menu->findChild<QAction*>(name); };
        if (row.pasteFirst) {
            test::userRightClick(doc.editorWidget()->viewport(), QPoint(1, 1));
            test::userChoose(menu, item("Paste2"));
        }
        test::userRightClick(doc.editorWidget()->viewport(), QPoint(1, 1));
        EXPECT_TRUE(menu->isVisible());
        for (const char* name : {"Cut2", "Copy2", "N5", "RemoveTags2"})
            EXPECT_EQ(item(name)->isVisible(), row.selectionItems) << name;
        EXPECT_EQ(item("Paste2")->isVisible(), row.paste);
        EXPECT_TRUE(item("Undo2")->isVisible());
        EXPECT_EQ(item("Undo2")->isEnabled(), row.undo);
        test::userCloseMenus();
    }
}

TEST(DocumentWindowTip, UrlTipShowsBelowTheCaretUntilTheUserActs) {
    struct Row {
        const char* name;
        std::function<void(DocumentWindow&)> act;
    };
    const Row rows[] = {
        {"a typed letter hides it", [](DocumentWindow& d) { key(d, Qt::Key_H); }},
        {"Shift alone hides it",
         [](DocumentWindow& d) { QTest::keyPress(d.editorWidget(), Qt::Key_Shift); }},
        {"a mouse press in the editor hides it",
         [](DocumentWindow& d) {
             test::userMouse(QTest::MousePress, d.editorWidget()->viewport(), {5, 5});
         }},
        {"a click on the tip hides it", [](DocumentWindow& d) { test::userClick(d.urlTip()); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        DocumentWindow& doc = *s.active();
        load(doc, "ab|");
        s.app->workspace().insertionSlots().tagOpen = "<A href=\"\">";
        s.app->workspace().insertionSlots().tagClose = "</A>";
        s.app->workspace().insertions().wrapWithHint("an URL", 2);
        EXPECT_EQ(drawn(doc), "ab<A href=\"|\"></A>");
        QLabel* tip = doc.urlTip();
        EXPECT_TRUE(tip->isVisible());
        EXPECT_EQ(tip->text(), "Type an URL here");
        EXPECT_EQ(tip->pos(), doc.control().caretPixelPosition() + QPoint(-62, 14));
        row.act(doc);
        EXPECT_FALSE(tip->isVisible());
    }
}

TEST(DocumentWindowState, UserCommandsSwitchBetweenTabsAndBanner) {
    struct Row {
        const char* name;
        std::function<void(Started&)> act;
        const char* state;
        bool tabbed;
    };
    const auto frame = [](Started& s) { return s.active()->frame(); };
    const Row rows[] = {
        {"a restore shows the banner", [&](Started& s) { frame(s)->showNormal(); }, "norm", false},
        {"a minimise too", [&](Started& s) { frame(s)->showMinimized(); }, "norm", false},
        {"a double-click on the caption of a minimised window maximises it",
         [&](Started& s) {
             frame(s)->showMinimized();
             test::userDoubleClick(frame(s), QPoint(frame(s)->width() / 2, 5));
         },
         "max", true},
        {"a maximise after a restore shows the tabs",
         [&](Started& s) {
             frame(s)->showNormal();
             frame(s)->showMaximized();
         },
         "max", true},
        {"a maximise after a minimise too",
         [&](Started& s) {
             frame(s)->showMinimized();
             frame(s)->showMaximized();
         },
         "max", true},
        {"tiling is no user command", [](Started& s) { s.app->documents().Tiled(); }, "norm",
         false},
        {"a new document while tiled",
         [](Started& s) {
             s.app->documents().Tiled();
             s.trigger("new2");
         },
         "norm", false},
        {"a new document while tabbed", [](Started& s) { s.trigger("new2"); }, "max", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.trigger("new2");
        EXPECT_EQ(s.read("vellum", "state"), "max");
        row.act(s);
        QCoreApplication::processEvents();
        EXPECT_EQ(s.read("vellum", "state"), row.state);
        EXPECT_EQ(s.tabBar()->isVisible(), row.tabbed);
        EXPECT_EQ(s.window()->findChild<QLabel*>("Label2")->isVisible(), !row.tabbed);
    }
}

TEST(DocumentWindowState, CoverNeverStaysAfterTabClicks) {
    Started s;
    s.runAndShow();
    s.trigger("new2");
    s.trigger("new2");
    const QList<DocumentWindow*> documents = s.documents();
    for (int tab : {0, 2, 1, 2, 0}) {
        SCOPED_TRACE(tab);
        test::userClick(s.tabBar(), s.tabBar()->tabRect(tab).center());
        QCoreApplication::processEvents();
        EXPECT_EQ(s.active(), documents[tab]);
        EXPECT_FALSE(s.app->documents().coverPanel()->isVisible());
        EXPECT_EQ(s.read("vellum", "state"), "max");
    }
}

TEST(DocumentWindowInsertions, DoNothingWithoutADocument) {
    const std::pair<const char*, std::function<void(Insertions&)>> rows[] = {
        {"listcode", [](Insertions& i) { i.openFreshLine(); }},
        {"listcode2", [](Insertions& i) { i.insertText("<HR>"); }},
        {"boardit", [](Insertions& i) { i.insertScratch(); }},
        {"wraptag", [](Insertions& i) { i.wrapSelection("<B>", "</B>"); }},
        {"tipper", [](Insertions& i) { i.wrapWithHint("an URL", 2); }},
        {"gotoLine", [](Insertions& i) { i.gotoLine(3); }},
        {"gotoLineEnd", [](Insertions& i) { i.gotoLineEnd(3); }},
        {"moveline", [](Insertions& i) { i.caretIntoTableCell(); }},
        {"changeline", [](Insertions& i) { i.moveCaretToLine(2); }},
        {"focusit", [](Insertions& i) { i.focusDocument(); }},
        {"killmemo", [](Insertions& i) { i.disableEditor(); }},
        {"bearmemo", [](Insertions& i) { i.enableEditor(); }},
    };
    for (const auto& [name, run] : rows) {
        SCOPED_TRACE(name);
        Started s;
        s.runAndShow();
        s.trigger("Close1");
        ASSERT_TRUE(s.documents().isEmpty());
        s.app->workspace().insertionSlots().tagOpen = "<I>";
        const QByteArray settings = s.home.read("vellumh.ini");
        const QString line = s.app->status().linecol()->text();
        const bool saveEnabled = s.app->menus().msave()->isEnabled();
        run(s.app->workspace().insertions());
        EXPECT_TRUE(s.documents().isEmpty());
        EXPECT_EQ(s.app->workspace().scratchBuffer().text(), "");
        EXPECT_EQ(s.app->workspace().insertionSlots().tagOpen, "<I>");
        EXPECT_EQ(s.app->status().linecol()->text(), line);
        EXPECT_EQ(s.app->menus().msave()->isEnabled(), saveEnabled);
        EXPECT_EQ(s.home.read("vellumh.ini"), settings);
    }
}

} // namespace
} // namespace vellum
