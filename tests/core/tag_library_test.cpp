#include "core/app/home_directory.h"
#include "core/app/shipped_files.h"
#include "core/foundation/settings_file.h"
#include "core/library/special_chars.h"
#include "core/library/tag_library.h"
#include "core/library/templates.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::TempHome;
using Kind = TagList::Kind;

TEST(TagLibrary, EntriesSplitAtTheFirstSeparator) {
    const QString longText(300, 'd');
    EXPECT_EQ(splitTagEntry("<FONT size=2>..</FONT>").open, "<FONT size=2>");
    EXPECT_EQ(splitTagEntry("<A>..b..</A>").close, "b..</A>");
    EXPECT_EQ(splitTagEntry("<HR>").close, "");
    EXPECT_EQ(splitLibraryLine("7..a..b"), (LibraryRow{"7", "a..b"}));
    EXPECT_EQ(splitLibraryLine("7.." + longText).description, longText.left(255));
    EXPECT_EQ(splitLibraryLine("no separator"), (LibraryRow{"", "no separator"}));
}

TEST(TagLibrary, RowOperationsAndTheFileWrittenAfterThem) {
    struct Row {
        const char* name;
        Kind kind;
        QByteArray file;
        std::function<void(TagList&)> change;
        QStringList lines; // the first lines written
        QString last;      // the spare position's line
    };
    const Row rows[] = {
        {"saved as read: R + 1 lines, the last one empty",
         Kind::Tags,
         "<B>..</B>\r\n<I>..</I>",
         [](TagList&) {},
         {"<B>..</B>", "<I>..</I>", ""},
         ""},
        {"an empty library row is \"..\"",
         Kind::Library,
         "3..three\n",
         [](TagList&) {},
         {"3..three", ".."},
         ".."},
        {"Insert Row empties the row and moves the rest down",
         Kind::Fillers,
         "a\r\nb\r\n",
         [](TagList& l) { l.insertRow(0); },
         {"", "a", "b", ""},
         ""},
        {"Insert Row pushes the last row into the spare position",
         Kind::Fillers,
         "",
         [](TagList& l) {
             l.setText(l.rows() - 1, "last");
             l.insertRow(0);
         },
         {""},
         "last"},
        {"Delete Row moves the rows below and the spare one up",
         Kind::Library,
         "1..one\r\n2..two\r\n",
         [](TagList& l) {
             l.setRow(l.rows(), {"9", "spare"});
             l.deleteRow(0);
         },
         {"2..two", ".."},
         ".."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const QString path = home.write("list.dat", row.file);
        TagList list = TagList::read(row.kind, path);
        row.change(list);
        QString error;
        ASSERT_TRUE(list.write(path, error)) << error.toStdString();
        const QStringList written = readLines(path);
        EXPECT_EQ(written.size(), list.rows() + 1);
        EXPECT_EQ(written.mid(0, row.lines.size()), row.lines);
        EXPECT_EQ(written.last(), row.last);
        EXPECT_TRUE(home.read("list.dat").endsWith("\r\n"));
    }
}

TEST(TagLibrary, ALongListKeepsEveryLineAndSavingDoesNotGrowIt) {
    TempHome home;
    QByteArray file;
    for (int i = 0; i < 150; ++i)
        file += "line " + QByteArray::number(i) + "\n";
    const QString path = home.write("fillers.dat", file);
    const TagList list = TagList::read(Kind::Fillers, path);
    EXPECT_GE(list.rows(), 150);
    EXPECT_EQ(list.text(149), "line 149");

    // Saved and read again, a list keeps its rows: the empty rows saved at its end are no lines
    // in use.
    for (const Kind kind : {Kind::Fillers, Kind::Library}) {
        QString error;
        ASSERT_TRUE(TagList::read(kind, path).write(path, error));
        const QByteArray once = home.read("fillers.dat");
        ASSERT_TRUE(TagList::read(kind, path).write(path, error));
        EXPECT_EQ(home.read("fillers.dat"), once);
    }
}

TEST(TagLibrary, NewItemTakesTheCounterAndItsRow) {
    TempHome home;
    SettingsFile settings(home.settingsPath());
    settings.writeInt("Vellum", "libs", 4);
    const QString library = home.file("library");
    QDir().mkpath(library);
    home.write("library/library.dat", "0..zero\r\n1..one\r\n");
    QString error;
    EXPECT_EQ(createLibraryItem(settings, library, "<P>text</P>", "my item", 1, error), "4");
    EXPECT_EQ(home.read("library/4"), "<P>text</P>");
    EXPECT_EQ(settings.readInt("Vellum", "libs", 0), 5);
    EXPECT_EQ(readLines(home.file("library/library.dat")),
              (QStringList{"0..zero", "4..my item", "1..one"}));

    // Where the folder is gone nothing is written and the user is told which file.
    EXPECT_EQ(createLibraryItem(settings, home.file("gone"), "x", "y", 0, error), "");
    EXPECT_EQ(error, "Cannot create file " + home.file("gone/5"));
    EXPECT_FALSE(QFileInfo::exists(home.file("gone/5")));
}

TEST(TagLibrary, NewItemTakesTheFirstFreeNumberWhenTheCounterIsBehind) {
    TempHome home;
    SettingsFile settings(home.settingsPath());
    settings.writeInt("Vellum", "libs", 4);
    home.write("library/4", "item 4");
    QDir().mkpath(home.file("library/5"));
    QString error;
    EXPECT_EQ(createLibraryItem(settings, home.file("library"), "new", "d", 0, error), "6");
    EXPECT_EQ(home.read("library/4"), "item 4");
    EXPECT_EQ(home.read("library/6"), "new");
    EXPECT_EQ(settings.readInt("Vellum", "libs", 0), 7);
}

TEST(TagLibrary, InsertRowGrowsTheListRatherThanLoseAnEntry) {
    TagList list = TagList::fromLines(Kind::Fillers, {"first"});
    const int rows = list.rows();
    list.setText(rows - 1, "last");
    // The last row goes to the spare position, then on into the rows the list grows by.
    for (int i = 0; i < 3; ++i)
        list.insertRow(0);
    ASSERT_GT(list.rows(), rows + 2);
    EXPECT_EQ(list.lines().filter(QRegularExpression("^.+$")), (QStringList{"first", "last"}));
    EXPECT_EQ(list.text(rows + 2), "last") << "shown, not kept in the spare position";
    EXPECT_EQ(list.lines().size(), list.rows() + 1);
}

TEST(TagLibrary, ListsAreWrittenInTheEncodingTheyWereReadIn) {
    struct Row {
        const char* name;
        QByteArray file;
        std::function<void(const QString& path)> change;
        QByteArray written;
    };
    const auto addE = [](const QString& path) {
        TagList list = TagList::read(Kind::Fillers, path);
        list.setText(1, QString::fromUtf8("\xC3\xA9"));
        QString error;
        ASSERT_TRUE(list.write(path, error));
    };
    const auto newItem = [](const QString& path) {
        SettingsFile settings(QFileInfo(path).dir().filePath("vellumh.ini"));
        QString error;
        createLibraryItem(settings, QFileInfo(path).path(), "x", QString::fromUtf8("n\xC3\xA9"), 1,
                          error);
    };
    const QByteArray Bom = "\xEF\xBB\xBF";
    const Row rows[] = {
        {"Windows-1252 stays Windows-1252", "caf\xE9\r\n", addE, "caf\xE9\r\n\xE9\r\n"},
        {"a byte-order mark is kept", Bom + "a\r\n", addE, Bom + "a\r\n\xC3\xA9\r\n"},
        {"a new item's line in a Windows-1252 index", "9..caf\xE9\r\n", newItem,
         "9..caf\xE9\r\n0..n\xE9\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const QString path = home.write("library/library.dat", row.file);
        row.change(path);
        EXPECT_TRUE(home.read("library/library.dat").startsWith(row.written))
            << home.read("library/library.dat").left(40).toStdString();
    }
}

TEST(SpecialChars, LinesFillBothTablesNineToARow) {
    QStringList lines;
    for (int k = 0; k < 100; ++k)
        lines << QString("g%1..&e%1;").arg(k);
    lines[0] = "<..&lt;";
    lines[95] = "x.." + QString(300, 't');
    const CharTables tables = CharTables::fromLines(lines);
    EXPECT_EQ(tables.special[0][0].glyph, "<");
    EXPECT_EQ(tables.special[0][0].text, "&lt;");
    EXPECT_EQ(tables.special[3][4].text, "&e31;");
    EXPECT_EQ(tables.special[3][5].text, "");
    EXPECT_EQ(tables.extended[0][0].text, "&e32;");
    EXPECT_EQ(tables.extended[3][4].text, "&e63;");
    EXPECT_EQ(tables.extended[4][0].text, "&e64;");
    EXPECT_EQ(tables.extended[7][4].text, QString(255, 't'));
    EXPECT_EQ(tables.extended[7][5].glyph, "");
}

TEST(Templates, DeleteStaysInTheFolderAndClearsTheDefault) {
    struct Row {
        const char* name;
        const char* deleted;
        bool ok;
        const char* tplAfter;
    };
    const Row rows[] = {
        {"the default template", "page.htm", true, ""},
        {"another template keeps the default", "other.htm", true, "page.htm"},
        {"a name reaching outside the folder", "../vellumh.ini", false, "page.htm"},
        {"a missing file still clears the default it names", "gone.htm", false, "page.htm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        SettingsFile settings(home.settingsPath());
        home.write("template/page.htm", "p");
        home.write("template/other.htm", "o");
        setDefaultTemplate(settings, row.deleted == QString("gone.htm") ? "gone.htm" : "page.htm");
        QString error;
        EXPECT_EQ(deleteTemplate(settings, home.file("template"), row.deleted, error), row.ok);
        EXPECT_EQ(error.isEmpty(), row.ok);
        EXPECT_TRUE(QFileInfo::exists(home.settingsPath()));
        EXPECT_EQ(templateNames(home.file("template")).contains(row.deleted), false);
        EXPECT_EQ(defaultTemplate(settings),
                  row.deleted == QString("gone.htm") ? "" : QString(row.tplAfter));
    }
}

TEST(ShippedFiles, CopiedIntoANewHomeAndNeverOverTheUsersOwn) {
    TempHome shipped;
    shipped.write("library/chars", "a..b\r\n");
    shipped.write("library/tags.dat", "<B>..</B>\r\n");
    shipped.write("template/html5.htm", "<!DOCTYPE html>\r\n");
    for (const bool fresh : {true, false}) {
        SCOPED_TRACE(fresh ? "new home" : "home in use");
        TempHome home;
        const HomeDirectory directory(home.path());
        if (!fresh) {
            home.write("library/tags.dat", "mine");
            home.write("template/mine.htm", "mine");
        }
        const FreshFolders folders = missingFolders(directory);
        EXPECT_EQ(folders.library, fresh);
        ASSERT_FALSE(directory.createWorkingFolders());
        installShippedFiles(shipped.path(), directory, folders);
        EXPECT_EQ(home.read("library/chars"), "a..b\r\n");
        EXPECT_EQ(home.read("library/tags.dat"), fresh ? "<B>..</B>\r\n" : "mine");
        EXPECT_EQ(QFileInfo::exists(home.file("template/html5.htm")), fresh);
    }
}

} // namespace
} // namespace vellum
