// Creating, opening, saving and closing documents through the main window's menu items.
#include "support/qt_printers.h"
#include "support/started_main.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;
using Answer = Prompter::Answer;

// Types into the active document as the user would.
void type(const Started& s, const QString& text) {
    QTest::keyClicks(s.active()->editorWidget(), text);
}

TEST(DocumentStart, FirstDocumentIsUntitledOrTheHandedOverFile) {
    struct Row {
        const char* name;
        const char* handed; // file under the home named on the command line, or null
        const char* caption;
        const char* count;
        const char* nextNew;
    };
    const Row rows[] = {
        {"plain start makes Untitled 1", nullptr, "Untitled 1", "1", "Untitled 2"},
        {"handed-over file opens instead, its case kept", "Site/Mixed Case.HTM", "Mixed Case.HTM",
         "0", "Untitled 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        QStringList arguments;
        QString key = row.caption;
        if (row.handed) {
            key = s.home.write(row.handed, "<p>hi</p>\n");
            arguments << key;
        }
        s.runAndShow(arguments);
        ASSERT_TRUE(s.app);
        EXPECT_EQ(s.captions(), QStringList{row.caption});
        EXPECT_EQ(s.active()->key(), key);
        EXPECT_EQ(s.tabTexts(), QStringList{row.caption});
        EXPECT_EQ(s.read("Vellum", "state"), "max");
        EXPECT_EQ(s.read("Vellum", "count"), row.count);
        EXPECT_EQ(s.read("Vellum", "hello"), "");
        EXPECT_TRUE(s.tabBar()->isVisible());
        EXPECT_FALSE(s.window()->findChild<QLabel*>("Label2")->isVisible());
        EXPECT_TRUE(s.active()->frame()->isMaximized());

        s.trigger("new2");
        EXPECT_EQ(s.captions(), (QStringList{row.caption, row.nextNew}));
    }
}

TEST(DocumentOpen, ChosenFileBecomesTheCurrentTab) {
    struct Row {
        const char* name;
        const char* file;
        QByteArray bytes;
        QString text;
    };
    const Row rows[] = {
        {"LF breaks show as CR LF", "a.htm", "<p>\n</p>\n", "<p>\r\n</p>\r\n"},
        {"CR LF file", "b.html", "<p>\r\n</p>", "<p>\r\n</p>"},
        {"Windows-1252 file", "c.txt", "caf\xe9 \x80",
         QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        type(s, "x");
        const QString path = s.home.write(QStringLiteral("Site/") + row.file, row.bytes);
        s.open(path);
        ASSERT_EQ(s.documents().size(), 2);
        DocumentWindow* document = s.documents()[1];
        EXPECT_EQ(s.active(), document);
        EXPECT_EQ(document->caption(), row.file);
        EXPECT_EQ(document->key(), path);
        EXPECT_EQ(document->control().text(), row.text);
        EXPECT_FALSE(document->isModified());
        EXPECT_FALSE(s.app->menus().msave()->isEnabled());
        EXPECT_EQ(s.tabTexts(), (QStringList{"Untitled 1", row.file}));
        EXPECT_EQ(s.tabBar()->currentIndex(), 1);
        ASSERT_EQ(s.prompter.openRequests.size(), 1u);
        EXPECT_EQ(s.prompter.openRequests[0].title, "VellumHTML Opens Files");
        EXPECT_EQ(s.prompter.openRequests[0].filter,
                  "HTML files|*.htm*|Text files|*.txt|All files|*.*");
    }
}

TEST(DocumentSave, SaveAsChoosesTheNameWritten) {
    struct Row {
        const char* name;
        const char* defext;
        std::vector<QString> names; // typed in the save dialog, under the home
        std::deque<bool> replace;
        QString written;
        QStringList asked;
    };
    const Row rows[] = {
        {"a final dot is dropped", "", {"page."}, {}, "page", {}},
        {"no extension gets .htm", "", {"page"}, {}, "page.htm", {}},
        {"no extension gets .html when defext says so", "html", {"page"}, {}, "page.html", {}},
        {"No to replacing asks for another name",
         "",
         {"old.htm", "new.htm"},
         {false},
         "new.htm",
         {"Replace existing old.htm ?"}},
        {"Yes to replacing writes over the file",
         "",
         {"old.htm"},
         {true},
         "old.htm",
         {"Replace existing old.htm ?"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.write("Vellum", "defext", row.defext);
        s.home.write("old.htm", "old");
        s.trigger("new2");
        type(s, "<b>x</b>");
        for (const QString& name : row.names)
            s.prompter.saveNames.push_back(s.home.file(name));
        s.prompter.yesNo = row.replace;

        // Save of a never-saved document asks for a name, as Save As does.
        s.trigger("Save1");
        const QString key = s.home.file(row.written);
        EXPECT_EQ(s.prompter.saveRequests.size(), row.names.size());
        EXPECT_EQ(s.prompter.asked, row.asked);
        EXPECT_EQ(s.home.read(row.written), "<b>x</b>");
        if (row.written != "old.htm") {
            EXPECT_EQ(s.home.read("old.htm"), "old");
        }
        EXPECT_EQ(s.active()->caption(), row.written);
        EXPECT_EQ(s.active()->key(), key);
        EXPECT_EQ(s.tabTexts(), (QStringList{"Untitled 1", row.written}));
        EXPECT_EQ(s.read("Roster", "1"), key);
        EXPECT_EQ(s.ledger("Untitled 2"), -1);
        EXPECT_EQ(s.ledger(key), 1);
        EXPECT_FALSE(s.active()->isModified());
        EXPECT_FALSE(s.app->menus().msave()->isEnabled());
    }
}

} // namespace
} // namespace vellum
