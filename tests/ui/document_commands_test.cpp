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
    QTest::keyClicks(s.active()->memo(), text);
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
        ASSERT_TRUE(s.main);
        EXPECT_EQ(s.captions(), QStringList{row.caption});
        EXPECT_EQ(s.active()->key(), key);
        EXPECT_EQ(s.tabTexts(), QStringList{row.caption});
        EXPECT_EQ(s.read("Vellum", "state"), "max");
        EXPECT_EQ(s.read("Vellum", "count"), row.count);
        EXPECT_EQ(s.read("Vellum", "hello"), "");
        EXPECT_TRUE(s.tabBar()->isVisible());
        EXPECT_FALSE(s.main->findChild<QLabel*>("Label2")->isVisible());
        EXPECT_TRUE(s.active()->frame()->isMaximized());

        s.trigger("new2");
        EXPECT_EQ(s.captions(), (QStringList{row.caption, row.nextNew}));
    }
}

TEST(DocumentNew, NumbersRiseAndTemplatesFill) {
    struct Row {
        const char* name;
        QByteArray templateBytes; // stored as template/t.htm and named by tpl when not empty
        std::vector<const char*> actions;
        QStringList captions;
        QString text; // of the last document
    };
    const Row rows[] = {
        {"clean new takes the next number",
         "",
         {"newclean1", "newclean1"},
         {"Untitled 1", "Untitled 2", "Untitled 3"},
         ""},
        {"a closed document's number is not reused",
         "",
         {"newclean1", "Close1", "newclean1"},
         {"Untitled 1", "Untitled 3"},
         ""},
        {"new starts from the template",
         "<html>\n</html>\n",
         {"new2"},
         {"Untitled 1", "Untitled 2"},
         "<html>\r\n</html>\r\n"},
        {"clean new ignores the template",
         "<html>\n",
         {"newclean1"},
         {"Untitled 1", "Untitled 2"},
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        if (!row.templateBytes.isEmpty()) {
            s.home.write("template/t.htm", row.templateBytes);
            s.write("Vellum", "tpl", "t.htm");
        }
        type(s, "edit");
        for (const char* action : row.actions)
            s.trigger(action);
        EXPECT_EQ(s.captions(), row.captions);
        EXPECT_EQ(s.tabTexts(), row.captions);
        EXPECT_EQ(s.active()->key(), row.captions.last());
        EXPECT_EQ(s.active()->control().text(), row.text);
        EXPECT_FALSE(s.active()->isModified());
        EXPECT_FALSE(s.main->menus().msave()->isEnabled());
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
        TMDIsub* document = s.documents()[1];
        EXPECT_EQ(s.active(), document);
        EXPECT_EQ(document->caption(), row.file);
        EXPECT_EQ(document->key(), path);
        EXPECT_EQ(document->control().text(), row.text);
        EXPECT_FALSE(document->isModified());
        EXPECT_FALSE(s.main->menus().msave()->isEnabled());
        EXPECT_EQ(s.tabTexts(), (QStringList{"Untitled 1", row.file}));
        EXPECT_EQ(s.tabBar()->currentIndex(), 1);
        ASSERT_EQ(s.prompter.openRequests.size(), 1u);
        EXPECT_EQ(s.prompter.openRequests[0].title, "VellumHTML Opens Files");
        EXPECT_EQ(s.prompter.openRequests[0].filter,
                  "HTML files|*.htm*|Text files|*.txt|All files|*.*");
    }
}

TEST(DocumentOpen, SameFileOrNonTextFileOpensNoWindow) {
    struct Row {
        const char* name;
        QString (*spelling)(const Started& s); // the name chosen in the open dialog
        bool alreadyOpen;
    };
    const Row rows[] = {
        {"through a symbolic link",
         [](const Started& s) {
             QFile::link(s.home.file("Site/a.htm"), s.home.file("Site/link.htm"));
             return s.home.file("Site/link.htm");
         },
         true},
        {"with a ./ in the path", [](const Started& s) { return s.home.path() + "/Site/./a.htm"; },
         true},
        {"file holding a NUL byte",
         [](const Started& s) { return s.home.write("Site/nul.htm", QByteArray("a\0b", 3)); },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.open(s.home.write("Site/a.htm", "<p>a</p>"));
        TMDIsub* opened = s.active();
        s.trigger("new2");
        TMDIsub* untitled = s.active();
        const QString spelling = row.spelling(s);

        s.open(spelling);
        EXPECT_EQ(s.documents().size(), 3);
        EXPECT_EQ(s.tabTexts(), (QStringList{"Untitled 1", "a.htm", "Untitled 2"}));
        EXPECT_FALSE(s.main->documents().switchpanel()->isVisible());
        if (row.alreadyOpen) {
            EXPECT_EQ(s.prompter.informed, QStringList{spelling + " is already open."});
            EXPECT_TRUE(s.prompter.errors.isEmpty());
            EXPECT_EQ(s.active(), opened);
            EXPECT_EQ(s.tabBar()->currentIndex(), 1);
        } else {
            ASSERT_EQ(s.prompter.errors.size(), 1);
            EXPECT_TRUE(s.prompter.errors[0].contains(spelling))
                << s.prompter.errors[0].toStdString();
            EXPECT_EQ(s.active(), untitled);
            EXPECT_EQ(s.tabBar()->currentIndex(), 2);
        }
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
        EXPECT_FALSE(s.main->menus().msave()->isEnabled());
    }
}

TEST(DocumentSave, SaveAsOntoAnOpenFile) {
    struct Row {
        const char* name;
        const char* target;
        QStringList errors;
        QByteArray a, b; // the two files afterwards
    };
    const Row rows[] = {
        {"the document's own file saves as Save does", "b.htm", {}, "A\n", "xB\n"},
        {"a file open in another document is refused",
         "a.htm",
         {"%1/a.htm is currently open.\n\rClose the open file and try again."},
         "A\n",
         "B\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.open(s.home.write("a.htm", "A\n"));
        s.open(s.home.write("b.htm", "B\n"));
        type(s, "x");
        s.prompter.saveNames.push_back(s.home.file(row.target));
        s.prompter.yesNo.push_back(true);
        s.trigger("SaveAs1");
        QStringList errors;
        for (const QString& error : row.errors)
            errors << error.arg(s.home.path());
        EXPECT_EQ(s.prompter.errors, errors);
        EXPECT_EQ(s.home.read("a.htm"), row.a);
        EXPECT_EQ(s.home.read("b.htm"), row.b);
        EXPECT_EQ(s.active()->caption(), "b.htm");
        EXPECT_EQ(s.active()->isModified(), !errors.isEmpty());
    }
}

// A file of its own is saved in place whatever it is called.
TEST(DocumentSave, FileCalledUntitledIsSavedInPlace) {
    Started s;
    s.runAndShow();
    const QString path = s.home.write("Untitled 7.htm", "old");
    s.open(path);
    s.active()->control().selectAll();
    s.active()->control().replaceSelection("new");
    s.trigger("Save1");
    EXPECT_EQ(s.home.read("Untitled 7.htm"), "new");
    EXPECT_TRUE(s.prompter.saveRequests.empty());
    EXPECT_FALSE(s.active()->isModified());
}

TEST(DocumentSave, UneditedFileIsWrittenBackByteForByte) {
    struct Row {
        const char* name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"UTF-8 with CR LF", "<p>caf\xc3\xa9</p>\r\n<p>2</p>\r\n"},
        {"Windows-1252 with CR LF", "<p>caf\xe9 \x80 \x81</p>\r\n\r\n"},
        {"UTF-8 with a byte-order mark and LF", "\xef\xbb\xbf<p>\n</p>"},
        {"mixed line breaks", "a\r\nb\nc\rd\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.open(s.home.write("page.htm", row.bytes));
        s.trigger("Save1");
        EXPECT_EQ(s.home.read("page.htm"), row.bytes);
        // A copy shows the bytes really went through the save.
        s.prompter.saveNames.push_back(s.home.file("copy.htm"));
        s.trigger("SaveAs1");
        EXPECT_EQ(s.home.read("copy.htm"), row.bytes);
        EXPECT_TRUE(s.prompter.errors.isEmpty()) << s.prompter.errors.join("; ").toStdString();
    }
}

TEST(DocumentSave, RefusedWriteKeepsTheOldBytesAndTheEdit) {
    struct Row {
        const char* name;
        bool opened; // else the edit is in an untitled document saved over the file
        const char* action;
        const char* caption;
    };
    const Row rows[] = {
        {"Save of the opened file", true, "Save1", "locked.htm"},
        {"Save As of an untitled document over it", false, "SaveAs1", "Untitled 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        const QString path = s.home.write("locked.htm", "old\n");
        if (row.opened)
            s.open(path);
        type(s, "x");
        // Read-only for everyone: the save refuses it even when the tests run as root.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        s.prompter.saveNames.push_back(path);
        s.prompter.yesNo.push_back(true);
        s.trigger(row.action);
        ASSERT_EQ(s.prompter.errors.size(), 1);
        EXPECT_TRUE(s.prompter.errors[0].contains(path)) << s.prompter.errors[0].toStdString();
        EXPECT_EQ(s.home.read("locked.htm"), "old\n");
        EXPECT_EQ(s.active()->caption(), row.caption);
        EXPECT_TRUE(s.active()->isModified());
        EXPECT_TRUE(s.main->menus().msave()->isEnabled());
    }
}

} // namespace
} // namespace vellum
