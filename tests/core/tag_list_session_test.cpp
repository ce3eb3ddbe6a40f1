// The User Tags helper's lists as the user edits them: which changes go to the list files at
// once, which wait for Save Edits, and which rows hold Library items.
#include "core/library/tag_list_session.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::TempHome;
using Kind = TagList::Kind;
using Change = TagListSession::Change;

QString fileOf(Kind kind) {
    return kind == Kind::Tags      ? "library/tags.dat"
           : kind == Kind::Fillers ? "library/fillers.dat"
                                   : "library/library.dat";
}

TEST(TagListSession, RowChangesAreWrittenWhenTheirListSays) {
    using Action = std::function<Change(TagListSession&, QString&)>;
    const Action insert = [](TagListSession& s, QString& m) { return s.insertRow(1, m); };
    const Action remove = [](TagListSession& s, QString& m) { return s.deleteRow(1, m); };
    const Action newItem = [](TagListSession& s, QString& m) { return s.newItemAt(1, m); };
    const QString tags = "a\r\nb\r\nc\r\n", index = "1..a\r\n2..b\r\n3..c\r\n";
    const struct {
        const char* intent;
        Kind kind;
        bool editing, fileRefuses;
        Action action;
        Change change;
        QStringList head; // the list's first texts afterwards
        bool written;
    } rows[] = {
        // clang-format off
        {"Insert Row outside edit mode does nothing", Kind::Tags, false, false, insert,
         Change::Ignored, {"a", "b", "c"}, false},
        {"Insert Row goes to the file at once", Kind::Fillers, true, false, insert,
         Change::Done, {"a", "", "b", "c"}, true},
        {"Insert Row the file refuses leaves the list as it was", Kind::Tags, true, true, insert,
         Change::Failed, {"a", "b", "c"}, false},
        {"Delete Row of Tags waits for Save Edits", Kind::Tags, true, false, remove,
         Change::Done, {"a", "c", ""}, false},
        {"Delete Row of the Library goes from the index at once", Kind::Library, true, false,
         remove, Change::Done, {"a", "c", ""}, true},
        {"Delete Row the index refuses leaves the list as it was", Kind::Library, true, true,
         remove, Change::Failed, {"a", "b", "c"}, false},
        {"New Item on a row that holds one is refused", Kind::Library, true, false, newItem,
         Change::Refused, {"a", "b", "c"}, false},
        {"New Item outside the Library does nothing", Kind::Tags, true, false, newItem,
         Change::Ignored, {"a", "b", "c"}, false},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TempHome home;
        const QString before = row.kind == Kind::Library ? index : tags;
        home.write(fileOf(row.kind), before.toUtf8());
        TagListSession session(home.file("library"));
        session.select(row.kind);
        session.setEditing(row.editing);
        if (row.fileRefuses) {
            // A folder where the file was: the file cannot be replaced.
            QFile::remove(home.file(fileOf(row.kind)));
            QDir().mkpath(home.file(fileOf(row.kind)));
        }
        QString message;
        EXPECT_EQ(row.action(session, message), row.change);
        QStringList head;
        for (int i = 0; i < row.head.size(); ++i)
            head << session.list(row.kind).text(i);
        EXPECT_EQ(head, row.head);
        if (!row.fileRefuses) {
            EXPECT_EQ(home.read(fileOf(row.kind)) != before.toUtf8(), row.written);
        }
        if (row.change == Change::Failed) {
            EXPECT_EQ(message, "Cannot create file " + home.file(fileOf(row.kind)));
        } else if (row.change == Change::Refused) {
            EXPECT_EQ(message, "You must select an empty row before you can add a new item. "
                               "Click OK and try again.");
        }
    }
}

TEST(TagListSession, TypedTextAndDraggedRowsStayInTheListUntilSaved) {
    TempHome home;
    home.write(fileOf(Kind::Tags), "a\r\nb\r\nc\r\nd\r\n");
    TagListSession session(home.file("library"));
    EXPECT_EQ(session.setText(Kind::Tags, 3, "x\r\ny\nz\rw"), "x y z w");
    session.moveRow(Kind::Tags, 0, 2); // down: the rows between move up
    session.moveRow(Kind::Tags, 3, 1); // up: the rows between move down
    QStringList texts;
    for (int i = 0; i < 5; ++i)
        texts << session.list(Kind::Tags).text(i);
    EXPECT_EQ(texts, QStringList({"b", "x y z w", "c", "a", ""}));
    EXPECT_EQ(home.read(fileOf(Kind::Tags)), "a\r\nb\r\nc\r\nd\r\n");

    QString message;
    EXPECT_EQ(session.save(message), Change::Done);
    EXPECT_TRUE(home.read(fileOf(Kind::Tags)).startsWith("b\r\nx y z w\r\nc\r\na\r\n\r\n"));
}

TEST(TagListSession, OnlyFilesOfTheLibraryFolderAreItemsAndEmptyRowsTakeNoTyping) {
    TempHome home;
    const QString outside = home.write("x", "outside");
    home.write(fileOf(Kind::Library),
               "7..Footer\r\n" + outside.toUtf8() + "..Out\r\n8..Gone\r\n..Loose\r\n");
    home.write("library/7", "<P>");
    TagListSession session(home.file("library"));
    EXPECT_EQ(session.itemFile(0), home.file("library/7"));
    for (int row : {1, 2, 3, 4}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(session.itemFile(row), "");
    }

    EXPECT_FALSE(session.refusesTyping(Kind::Library, 3)); // not editing
    session.setEditing(true);
    EXPECT_TRUE(session.refusesTyping(Kind::Library, 3));
    EXPECT_FALSE(session.refusesTyping(Kind::Library, 0)); // holds an item
    EXPECT_FALSE(session.refusesTyping(Kind::Tags, 3));

    // New Item on an empty row writes the index as shown, then the item may be made.
    session.select(Kind::Library);
    session.setText(Kind::Library, 0, "Foot");
    QString message;
    EXPECT_EQ(session.newItemAt(4, message), Change::Done);
    EXPECT_TRUE(home.read(fileOf(Kind::Library)).startsWith("7..Foot\r\n"));
}

} // namespace
} // namespace vellum
