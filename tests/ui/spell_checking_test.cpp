// Spelling as you type as the user meets it: misspelt prose underlined in a document and markup
// left alone, the context menu's suggestions and "Add to Dictionary".
#include "support/image_files.h"
#include "support/started_main.h"
#include "support/user_input.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

const char* const Page = "<html lang=\"en-US\"><body>\r\n"
                         "<tabel>Our wrold is a zorblat.</tabel>\r\n"
                         "<p title=\"zorblat\">Plain words here</p>\r\n";

// The program started with `Page` open from `dir`, its window active and drawn.
void openPage(Started& s, const QTemporaryDir& dir) {
    const QString path = dir.filePath("page.html");
    ASSERT_TRUE(test::writeBytes(path, Page));
    s.runAndShow();
    s.open(path);
    s.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
    s.active()->editorWidget()->viewport()->repaint();
}

// The texts drawn with a wave underline, paragraph by paragraph.
QStringList underlined(const DocumentWindow& document) {
    QStringList out;
    for (QTextBlock block = document.editorWidget()->document()->begin(); block.isValid();
         block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                out << block.text().mid(range.start, range.length);
        }
    }
    return out;
}

// Right-clicks the first `word` of the text where the editor draws it; returns the menu opened.
QMenu* rightClickWord(Started& s, const QString& word) {
    PlainTextEditor* editor = s.active()->editorWidget();
    QTextCursor at(editor->document());
    at.setPosition(editor->document()->toPlainText().indexOf(word) + 1);
    test::userRightClick(editor->viewport(), editor->cursorRect(at).center());
    return s.active()->popupMenu();
}

QAction* itemCalled(QMenu* menu, const QString& text) {
    for (QAction* item : menu->actions()) {
        if (item->text() == text)
            return item;
    }
    return nullptr;
}

// One document as the user meets it: misspelt prose underlined and markup not, once the
// dictionary has come in; a suggestion replaces its word (undoably); "Add to Dictionary" takes the
// underline from every copy, for good; "Ignore" takes it for this run only; Check Spelling turns
// the underlines off, and the choice is kept.
TEST(SpellChecking, TheUserMeetsItInADocument) {
    Started s;
    QTemporaryDir dir;
    openPage(s, dir);
    const auto underlinedNow = [&] {
        s.active()->editorWidget()->viewport()->repaint();
        return underlined(*s.active());
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !underlinedNow().isEmpty(); }, 5000));
    EXPECT_EQ(underlinedNow(), QStringList({"wrold", "zorblat", "zorblat"}));

    // While the user types, the underlines stay on their words (but the one typed into), and the
    // words typed are judged once typing pauses.
    PlainTextEditor* editor = s.active()->editorWidget();
    QTextCursor beforeWorld(editor->document());
    beforeWorld.setPosition(editor->document()->toPlainText().indexOf("wrold"));
    test::userClick(editor->viewport(), editor->cursorRect(beforeWorld).center());
    QTest::keyClicks(editor, "big wrodls ");
    EXPECT_EQ(underlinedNow(), QStringList({"zorblat", "zorblat"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return underlinedNow().size() == 4; }, 3000));
    EXPECT_EQ(underlinedNow(), QStringList({"wrodls", "wrold", "zorblat", "zorblat"}));
    for (int i = 0; i < 11; ++i)
        QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_TRUE(s.active()->control().text().contains("Our wrold"));

    QMenu* menu = rightClickWord(s, "wrold");
    test::userChoose(menu, itemCalled(menu, "world"));
    EXPECT_TRUE(s.active()->control().text().contains("<tabel>Our world is a zorblat.</tabel>"));
    EXPECT_EQ(underlinedNow(), QStringList({"zorblat", "zorblat"}));
    s.trigger("Undo1");
    EXPECT_TRUE(s.active()->control().text().contains("Our wrold is"));

    menu = rightClickWord(s, "zorblat");
    test::userChoose(menu, menu->findChild<QAction*>("AddToDictionary"));
    EXPECT_EQ(underlinedNow(), QStringList({"wrold"}));
    // The personal word list is the test's own.
    EXPECT_TRUE(s.home.read("enchant/en_US.dic").contains("zorblat"));

    menu = rightClickWord(s, "wrold");
    test::userChoose(menu, menu->findChild<QAction*>("IgnoreWord"));
    EXPECT_EQ(underlinedNow(), QStringList());
    EXPECT_FALSE(s.home.read("enchant/en_US.dic").contains("wrold"));

    s.trigger("CheckSpelling1");
    EXPECT_EQ(underlinedNow(), QStringList());
    EXPECT_EQ(s.read("Vellum", "Spelling"), "0");
    EXPECT_FALSE(s.app->menus().action("CheckSpelling1")->isChecked());
}

} // namespace
} // namespace vellum
