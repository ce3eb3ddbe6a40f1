// The tag commands and edit commands as the user reaches them: shortcuts typed in the editor, the
// Edit and Font menu items, the date in the status bar and the context menu.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/editor/editor_style.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::Started;

using test::drawn;
using test::load;

// Shortcuts reach the menus only while the main window is the active one.
void startActive(Started& s) {
    s.runAndShow();
    s.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
}

void press(Started& s, const char* keys) {
    QTest::keySequence(s.active()->editorWidget(), QKeySequence(QString::fromLatin1(keys)));
}

// "Arial 20 bold underline": the editor's font with the styles that are on.
QString editorFont(Started& s) {
    const QFont font = s.active()->editorWidget()->font();
    QString text = font.family() + ' ' + QString::number(font.pointSize());
    text += font.bold() ? " bold" : "";
    text += font.italic() ? " italic" : "";
    text += font.underline() ? " underline" : "";
    return text;
}

void setEditorFont(Started& s, const char* family, int size, bool bold, bool underline) {
    EditorFont font = EditorFont::defaults();
    font.name = family;
    font.size = size;
    font.bold = bold;
    font.underline = underline;
    EditorStyle::setFont(*s.active(), font);
}

TEST(TagShortcuts, KeysInTheEditorRunTheirCommands) {
    struct Row {
        const char* keys;
        const char* what;
        QString before;
        QString after;
        std::function<void(Started&)> prepare = {};
    };
    const auto indenting = [](Started& s) { s.write("Vellum", "ai", "t"); };
    const Row rows[] = {
        {"Ctrl+B", "wraps the selection", "a[bc]d", "a<B>[bc]</B>d"},
        {"Alt+1", "gives a first-level heading", "|", "<H1>|</H1>"},
        {"Ctrl+Shift+T", "inserts the quick table", "|",
         "<TABLE border=1>\r\n <TR>\r\n\t<TD> |\r\n\t<TD> \r\n <TR>\r\n\t<TD> \r\n\t<TD> \r\n"
         "</TABLE>\r\n"},
        {"Ctrl+Alt+T", "inserts the plain table", "ab|cd", "ab<TABLE border=1>\r\n|\r\n</TABLE>cd"},
        {"Ctrl+Return", "inserts a line break tag, its release no indentation", "\t\tx\r\nab|",
         "\t\tx\r\nab<BR>|", indenting},
        {"Ctrl+Enter", "on the keypad does the same", "\t\tx\r\nab|", "\t\tx\r\nab<BR>|",
         indenting},
        {"Alt+Return", "inserts a rule, its release no indentation", "\t\tx\r\nab|",
         "\t\tx\r\nab<HR>|", indenting},
        {"Ctrl+Shift+Return", "leaves the caret in lb plus", "ab|", "ab<BR clear=|>"},
        {"Alt+Shift+Return", "leaves the caret in hr plus", "ab|", "ab<HR align=center width=|>"},
        {"Ctrl+Shift+A", "runs the quick name", "|", "<A name=\"|\"></A>"},
        {"Ctrl+Shift+Z", "does not redo", "ab|", "ab|",
         [](Started& s) {
             QTest::keyClicks(s.active()->editorWidget(), "c");
             press(s, "Ctrl+Z");
         }},
        {"Ctrl+Shift+D", "in the editor inserts no definition list", "ab|", "ab|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.keys) + " " + row.what);
        Started s;
        startActive(s);
        load(*s.active(), row.before);
        if (row.prepare)
            row.prepare(s);
        press(s, row.keys);
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ(s.app->workspace().enterFlag(), "");
    }
}

TEST(EditMenu, ItemsFollowTheDocumentWhenTheMenuOpens) {
    struct Row {
        const char* name;
        QString text;
        QString clipboard;
        bool typed;
        bool undo, selected, paste;
    };
    const Row rows[] = {
        {"nothing to undo, select or paste", "ab|", "", false, false, false, false},
        {"typing enables Undo", "ab|", "", true, true, false, false},
        {"a selection enables Cut, Copy, Delete and Remove Tags", "a[b]", "", false, false, true,
         false},
        {"clipboard text enables Paste", "ab|", "x", false, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), row.text);
        if (row.typed)
            QTest::keyClicks(s.active()->editorWidget(), "c");
        s.clipboard.setText(row.clipboard);
        const auto item = [&s](const char* name) { return s.app->menus().action(name); };
        // Every item starts the opposite way, so that only the opening can set it right.
        item("Undo1")->setEnabled(!row.undo);
        for (const char* name : {"Cut1", "Copy1", "delete1", "RemoveTags1"})
            item(name)->setEnabled(!row.selected);
        item("Paste1")->setEnabled(!row.paste);
        test::userOpenMenu(s.window()->menuBar(), item("Edit1")->menu());
        EXPECT_EQ(item("Undo1")->isEnabled(), row.undo);
        for (const char* name : {"Cut1", "Copy1", "delete1", "RemoveTags1"})
            EXPECT_EQ(item(name)->isEnabled(), row.selected) << name;
        EXPECT_EQ(item("Paste1")->isEnabled(), row.paste);
        test::userCloseMenus();
    }
}

TEST(EditMenu, PasteInsertsTheClipboardTextAndKeepsExactlyIt) {
    Started s;
    s.runAndShow();
    load(*s.active(), "a[b]c");
    // A bare line feed arrives as the editor's line break, and the clipboard then holds that.
    s.clipboard.setText("one\n\ttwo");
    s.trigger("Paste1");
    EXPECT_EQ(drawn(*s.active()), QString("aone\r\n\ttwo|c"));
    EXPECT_EQ(s.clipboard.text(), QString("one\r\n\ttwo"));
}

TEST(EditMenu, UndoHidesTheUrlTip) {
    Started s;
    s.runAndShow();
    load(*s.active(), "go |");
    s.trigger("Link1");
    EXPECT_EQ(drawn(*s.active()), "go <A href=\"|\"></A>");
    ASSERT_TRUE(s.active()->urlTip()->isVisible());
    s.trigger("Undo1");
    EXPECT_FALSE(s.active()->urlTip()->isVisible());
}

TEST(FontMenu, ItemsSetTheEditorFont) {
    const struct {
        const char* name;
        std::function<void(Started&)> act;
        const char* font;
    } rows[] = {
        {"Font Size - at 1 point does nothing",
         [](Started& s) {
             setEditorFont(s, "Arial", 1, false, false);
             s.trigger("FontSize2");
         },
         "Arial 1"},
        {"Font Size - shrinks", [](Started& s) { s.trigger("FontSize2"); },
         "Arial 19 bold underline"},
        {"Font Size + grows", [](Started& s) { s.trigger("FontSize1"); },
         "Arial 21 bold underline"},
        {"Set to Default", [](Started& s) { s.trigger("SettoDefault2"); }, "MS Sans Serif 10"},
        {"Change applies the chosen font",
         [](Started& s) {
             s.prompter.fontChoice = [](QFont& font) {
                 font = QFont("Courier", 14);
                 font.setItalic(true);
                 return true;
             };
             s.trigger("Change2");
         },
         "Courier 14 italic"},
        {"Change offers the colour after the font",
         [](Started& s) {
             s.prompter.fontChoice = [](QFont& font) {
                 font = QFont("Courier", 14);
                 return true;
             };
             s.prompter.colourChoice = [](QColor& colour) {
                 colour = Qt::red;
                 return true;
             };
             s.trigger("Change2");
             EXPECT_EQ(s.active()->editorWidget()->palette().color(QPalette::Text),
                       QColor(Qt::red));
         },
         "Courier 14"},
        {"a cancelled Change leaves the font", [](Started& s) { s.trigger("Change2"); },
         "Arial 20 bold underline"},
        {"saved bold and underlined, Set to Current keeps the style",
         [](Started& s) {
             setEditorFont(s, "Times", 12, true, true);
             s.trigger("SaveCurrentSettings1");
             const SettingsFile settings(s.home.settingsPath());
             EXPECT_EQ(settings.readText("Slate*Rivet", "Tstyle", "missing"), "");
             EXPECT_EQ(settings.readText("Slate*Rivet", "Tname"), "Times");
             setEditorFont(s, "Arial", 20, true, true);
             s.trigger("Change1");
         },
         "Times 12 bold underline"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        setEditorFont(s, "Arial", 20, true, true);
        row.act(s);
        EXPECT_EQ(editorFont(s), row.font);
    }
}

TEST(StatusBarDate, DoubleClickReplacesTheSelectionAndSelectsTheDate) {
    Started s;
    s.runAndShow();
    const QString date = s.app->status().dates()->text();
    ASSERT_FALSE(date.isEmpty());
    load(*s.active(), "on [word] now");
    test::userDoubleClick(s.app->status().dates());
    EXPECT_EQ(drawn(*s.active()), "on [" + date + "] now");
}

TEST(ContextMenu, CharacterBoldRunsOnItsOwnWindow) {
    Started s;
    s.runAndShow();
    DocumentWindow& first = *s.active();
    load(first, "a[bc]");
    s.trigger("new2");
    DocumentWindow& second = *s.active();
    ASSERT_NE(&first, &second);
    load(second, "x[y]");
    // Side by side, so that the first window's editor can be right-clicked.
    s.trigger("Tile1");
    QMenu* character = first.popupMenu()->findChild<QMenu*>("Character");
    ASSERT_NE(character, nullptr);
    QAction* bold = nullptr;
    for (QAction* action : character->actions()) {
        if (action->text() == "Bold")
            bold = action;
    }
    ASSERT_NE(bold, nullptr);
    test::userRightClick(first.editorWidget()->viewport());
    test::userChoose(first.popupMenu(), character->menuAction());
    test::userChoose(character, bold);
    EXPECT_EQ(drawn(first), "a<B>[bc]</B>");
    EXPECT_EQ(drawn(second), "x[y]");
}

} // namespace
} // namespace vellum
