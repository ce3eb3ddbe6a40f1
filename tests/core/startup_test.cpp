#include "core/app/arrangement.h"
#include "core/app/home_directory.h"
#include "core/app/preview.h"
#include "core/app/startup.h"
#include "core/foundation/settings_file.h"
#include "support/buffer_workspace.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <unistd.h>

namespace vellum {
namespace {

using test::TempHome;

const QByteArray NoFile; // null: the file is not created

TEST(Startup, JoinsCommandLine) {
    EXPECT_EQ(joinCommandLine({"a", "b", "c"}), "a b c");
    EXPECT_EQ(joinCommandLine({"/home/ann/My", "Page.html"}), "/home/ann/My Page.html");
    EXPECT_EQ(joinCommandLine({}), "");
}

TEST(Startup, SeveralFilesOnlyWhenTheJoinedNameIsNoFileAndEachArgumentIs) {
    TempHome home;
    const QString a = home.write("a.htm", "a"), b = home.write("b.htm", "b");
    const QString split = home.write("my page.htm", "p");
    const QString my = home.file("my"), gone = home.file("gone.htm");
    home.write("my", "a file named like the first half");
    const struct {
        const char* intent;
        QStringList arguments;
        QStringList files;
    } rows[] = {
        {"none", {}, {}},
        {"two files", {a, b}, {a, b}},
        {"a path split at its space, its first half a file too", {my, "page.htm"}, {split}},
        {"one of them missing: the joined name, to be reported", {a, gone}, {a + " " + gone}},
        {"empty arguments are left out", {a, "", b}, {a, b}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        EXPECT_EQ(commandLineFiles(row.arguments), row.files);
    }
}

TEST(Startup, RecordsHandOff) {
    struct Row {
        const char* intent;
        QString commandLine;
        PathStyle style;
        QString hello; // "@" stands for the current folder
        QString message;
    };
    const Row rows[] = {
        {"existing file: absolute, case kept", "Café Page.html", PathStyle::Posix,
         "@/Café Page.html", ""},
        {"existing file, Windows paths: ASCII upper-cased", "Café Page.html", PathStyle::Windows,
         "CAFé PAGE.HTML", ""},
        {"missing file: key emptied, user told", "Gone.html", PathStyle::Posix, "",
         "Gone.html could not be opened"},
        {"no file named: key left alone", "", PathStyle::Posix, "earlier", ""},
    };
    const QString previousFolder = QDir::currentPath();
    for (const Row& row : rows) {
        TempHome home;
        home.write(QStringLiteral("Café Page.html"), "<p>");
        SettingsFile settings(home.settingsPath());
        settings.writeText("Vellum", "hello", "earlier");
        ASSERT_TRUE(QDir::setCurrent(home.path()));
        QString expected = row.hello;
        expected.replace(QLatin1Char('@'), QDir::currentPath());
        EXPECT_EQ(recordHandOff(settings, row.commandLine, row.style), row.message) << row.intent;
        EXPECT_EQ(settings.readText("vellum", "HELLO", "unset"), expected) << row.intent;
        QDir::setCurrent(previousFolder);
    }
}

TEST(Startup, ArrangementIsKeptUnderTheSpellingOfItsWriter) {
    using W = ArrangementWriter;
    const struct {
        const char* intent;
        QByteArray before;
        Arrangement stored;
        W writer;
        QByteArray after;
    } rows[] = {
        {"a document window creates the lower-case section", NoFile, Arrangement::Tabbed,
         W::DocumentWindow, "[vellum]\nstate=max\n"},
        {"the program creates its usual spelling", NoFile, Arrangement::Normal, W::Program,
         "[Vellum]\nstate=norm\n"},
        {"an existing section keeps its spelling", "[Vellum]\r\nstate=norm\r\n",
         Arrangement::Tabbed, W::DocumentWindow, "[Vellum]\r\nstate=max\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TempHome home;
        if (!row.before.isNull())
            home.write("vellumh.ini", row.before);
        SettingsFile settings(home.settingsPath());
        EXPECT_EQ(storedArrangement(settings), Arrangement::Normal);
        storeArrangement(settings, row.stored, row.writer);
        EXPECT_EQ(home.read("vellumh.ini"), row.after);
        EXPECT_EQ(storedArrangement(settings), row.stored);
    }
}

TEST(Startup, ResetsRunState) {
    struct Row {
        const char* intent;
        QByteArray settingsBefore, libraryBefore;
        QByteArray settingsAfter, libraryAfter;
    };
    const Row rows[] = {
        {"fresh home: maximised arrangement, empty library", NoFile, NoFile,
         "[Vellum]\nstate=max\ncount=0\n", ""},
        {"earlier run: arrangement and library kept, bookkeeping dropped",
         "[Vellum]\r\nstate=norm\r\ncount=4\r\n[Roster]\r\n/a.html=1\r\n[Ledger]\r\nx=1\r\n"
         "[CleanUp]\r\ncount=1\r\n1=/tmp/x\r\n[Quick]\r\nq=1\r\n",
         "<b>\r\n", "[Vellum]\r\nstate=norm\r\ncount=0\r\n[Quick]\r\nq=1\r\n", "<b>\r\n"},
    };
    for (const Row& row : rows) {
        TempHome home;
        HomeDirectory dirs(home.path());
        ASSERT_FALSE(dirs.createWorkingFolders());
        if (!row.settingsBefore.isNull())
            home.write("vellumh.ini", row.settingsBefore);
        if (!row.libraryBefore.isNull())
            home.write("library/library.dat", row.libraryBefore);
        SettingsFile settings(dirs.settingsPath());
        resetRunState(settings, dirs);
        EXPECT_EQ(home.read("vellumh.ini"), row.settingsAfter) << row.intent;
        EXPECT_TRUE(QFileInfo(dirs.libraryFile()).isFile()) << row.intent;
        EXPECT_EQ(home.read("library/library.dat"), row.libraryAfter) << row.intent;
    }
}

TEST(Startup, DateLabelIsWeekdayThenShortDate) {
    const QLocale us(QStringLiteral("en_US"));
    const QDate date(1997, 12, 2);
    EXPECT_EQ(dateLabelText(date, us), "Tuesday, 12/2/97");
    EXPECT_EQ(dateLabelText(date, us),
              us.dayName(date.dayOfWeek()) + ", " + us.toString(date, QLocale::ShortFormat));
}

TEST(Startup, FirstShowPlacement) {
    struct Row {
        const char* intent;
        QByteArray settings;
        bool maximised;
        int top, left, width, height;
    };
    const Row rows[] = {
        {"placement not kept: maximised", "[Windows]\nmain=\nmt=10\nml=20\nmw=300\nmh=400\n", true,
         0, 0, 0, 0},
        {"kept, closed maximised: maximised",
         "[Windows]\nmain=1\nup=ok\nmt=10\nml=20\nmw=300\nmh=400\n", true, 0, 0, 0, 0},
        {"kept, closed normal: stored geometry",
         "[Windows]\nmain=1\nup=\nmt=10\nml=20\nmw=300\nmh=400\n", false, 10, 20, 300, 400},
    };
    for (const Row& row : rows) {
        TempHome home;
        home.write("vellumh.ini", row.settings);
        const Placement p = firstShowPlacement(SettingsFile(home.settingsPath()));
        EXPECT_EQ(p.maximised, row.maximised) << row.intent;
        if (!row.maximised) {
            EXPECT_EQ(QList<int>({p.top, p.left, p.width, p.height}),
                      QList<int>({row.top, row.left, row.width, row.height}))
                << row.intent;
        }
    }
}

TEST(Startup, WritesExitPlacement) {
    const QByteArray before = "[Windows]\r\nmain=1\r\nup=ok\r\nmt=1\r\nml=2\r\nmw=3\r\nmh=4\r\n";
    struct Row {
        const char* intent;
        WindowSnapshot window;
        QString up, geometry; // geometry "mt ml mw mh"
    };
    const Row rows[] = {
        {"maximised", {true, false, 10, 20, 300, 400}, "ok", ""},
        {"minimised: last normal geometry kept", {false, true, 10, 20, 300, 400}, "", "1 2 3 4"},
        {"normal: geometry stored", {false, false, 10, 20, 300, 400}, "", "10 20 300 400"},
    };
    for (const Row& row : rows) {
        TempHome home;
        home.write("vellumh.ini", before);
        SettingsFile settings(home.settingsPath());
        writeExitPlacement(settings, row.window);
        EXPECT_EQ(settings.readText("Windows", "up", "unset"), row.up) << row.intent;
        QStringList geometry;
        for (const char* key : {"mt", "ml", "mw", "mh"})
            geometry << settings.readText("Windows", key);
        if (!row.geometry.isEmpty()) {
            EXPECT_EQ(geometry.join(' '), row.geometry) << row.intent;
        }
    }
}

TEST(Startup, DeletesCleanUpFiles) {
    // What goes at exit is what the run's previews wrote; one already gone is skipped, and a file
    // the settings' list names but the run never wrote is kept.
    test::Desk desk;
    const TempHome& home = desk.home;
    PreviewFiles previews;
    const auto preview = [&](const QString& file) {
        QString error;
        return previews.write(*desk.flows.openFile(home.write(file, "<p>")), desk.workspace,
                              desk.directory.dataDir(), PathStyle::Posix, error);
    };
    const QString first = preview("first/page.htm");
    QFile::remove(preview("gone/page.htm"));
    const QString third = preview("third/page.htm");
    const QString kept = home.write("kept.tmp", "k");
    home.write("vellumh.ini", "[CleanUp]\ncount=4\n1=" + first.toUtf8() +
                                  "\n2=" + home.file("gone/_&temp.htm").toUtf8() +
                                  "\n3=" + third.toUtf8() + "\n4=" + kept.toUtf8() + "\n");
    EXPECT_EQ(previews.deleteUnchanged(), 2);
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_FALSE(QFile::exists(third));
    EXPECT_TRUE(QFile::exists(kept));
}

TEST(HomeDirectory, ResolvesInOrder) {
    TempHome program;
    TempHome readOnly;
    QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::ExeOwner);
    struct Row {
        const char* intent;
        QString env, programDir, xdg, expected;
    };
    std::vector<Row> rows = {
        {"environment first", "/env/home", program.path(), "/xdg", "/env/home"},
        {"then a writable program folder", "", program.path(), "/xdg", program.path()},
        {"then the XDG data home", "", "/no/such/folder", "/xdg", "/xdg/vellumhtml"},
        {"then the user's data folder", "", "", "", "/home/ann/.local/share/vellumhtml"},
    };
    if (geteuid() != 0) // root may write anywhere
        rows.push_back({"read-only program folder passed over", "", readOnly.path(), "/xdg",
                        "/xdg/vellumhtml"});
    for (const Row& row : rows) {
        const HomeDirectory home =
            HomeDirectory::resolve(row.env, row.programDir, row.xdg, "/home/ann");
        EXPECT_EQ(home.root(), row.expected) << row.intent;
        EXPECT_EQ(home.settingsPath(), row.expected + "/vellumh.ini") << row.intent;
    }
    QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(HomeDirectory, TheProgramsFolderIsTheHomeOnlyForAPortableCopy) {
    struct Row {
        const char* intent;
        const char* program;     // the program's folder, in a temporary folder
        const char* shipped;     // the shipped files' folder made beside it, or nullptr
        QFile::Permissions mode; // of the program's folder
        bool othersOwn;          // the folder belongs to another user (only root can set that up)
        bool isHome;
    };
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions shared =
        owner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    std::vector<Row> rows = {
        {"a build folder, its files inside it", "build", "build/share/vellumhtml", shared, false,
         true},
        {"a bare copy of the program", "copy", nullptr, owner, false, true},
        {"installed in a prefix: never its bin folder", "usr/bin", "usr/share/vellumhtml", shared,
         false, false},
        {"a bare copy in a bin folder", "bin", nullptr, owner, false, false},
        {"a folder the group may write to", "copy", nullptr, owner | QFile::WriteGroup, false,
         false},
        {"a folder anyone may write to", "copy", nullptr, shared | QFile::WriteOther, false, false},
    };
    if (geteuid() == 0)
        rows.push_back({"another user's folder", "copy", nullptr, owner, true, false});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        TempHome base;
        const QString program = base.file(row.program);
        ASSERT_TRUE(QDir().mkpath(program));
        if (row.shipped) {
            ASSERT_TRUE(QDir().mkpath(base.file(row.shipped)));
        }
        ASSERT_TRUE(QFile::setPermissions(program, row.mode));
        if (row.othersOwn) {
            ASSERT_EQ(::chown(QFile::encodeName(program).constData(), 65534, 65534), 0);
        }
        const HomeDirectory home = HomeDirectory::resolve("", program, "/xdg", "/home/ann");
        EXPECT_EQ(home.root(), row.isHome ? program : "/xdg/vellumhtml");
    }
}

TEST(HomeDirectory, CreatesWorkingFolders) {
    struct Row {
        const char* intent;
        const char* inTheWay; // a plain file of this name, or nullptr
        QStringList folders;  // folders present afterwards
    };
    const Row rows[] = {
        {"fresh home gets all three", nullptr, {"data", "library", "template"}},
        {"file named data stops at data", "data", {}},
        {"file named template: data made, library not reached", "template", {"data"}},
    };
    for (const Row& row : rows) {
        TempHome home;
        const HomeDirectory dirs(home.path());
        if (row.inTheWay)
            home.write(row.inTheWay, "x");
        const std::optional<QString> failure = dirs.createWorkingFolders();
        EXPECT_EQ(failure.has_value(), row.inTheWay != nullptr) << row.intent;
        if (row.inTheWay && failure) {
            EXPECT_TRUE(failure->contains(QDir::toNativeSeparators(home.file(row.inTheWay))))
                << row.intent << ": " << failure->toStdString();
        }
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), row.folders)
            << row.intent;
        if (!row.inTheWay) {
            EXPECT_FALSE(dirs.createWorkingFolders()) << "folders already there: " << row.intent;
        }
    }
}

} // namespace
} // namespace vellum
