#include "core/app/recent_files.h"
#include "core/foundation/settings_file.h"
#include "support/buffer_workspace.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::TempHome;

QStringList stored(const SettingsFile& settings, int count) {
    QStringList out;
    for (int n = 1; n <= count; ++n)
        out << recentFile(settings, n);
    return out;
}

TEST(RecentFiles, ListMovesAndShowsWhatExists) {
    struct Row {
        const char* name;
        const char* opened; // letters of files under the home, opened in turn
        const char* deleted;
        const char* qrf;
        QString shown; // letters shown by the menu
        QString after; // the first slots afterwards, "." for an empty slot
    };
    const Row rows[] = {
        {"newest first", "ABC", "", "", "CBA", "CBA."},
        {"opened again: to the top, its old place dropped", "ABCA", "", "", "ACB", "ACB."},
        {"a deleted file drops out, the rest moves up", "ABC", "B", "", "CA", "CA.."},
        {"a limit of 3 with the newest deleted", "EDCBA", "A", "3", "BCD", "BCD.E"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        SettingsFile settings(home.settingsPath());
        const auto path = [&home](QChar c) { return home.file(QString(c) + ".htm"); };
        for (const QChar c : QString(row.opened)) {
            home.write(QString(c) + ".htm", "x");
            UpdateOldies(settings, path(c), PathStyle::Posix);
        }
        for (const QChar c : QString(row.deleted))
            QFile::remove(path(c));
        settings.writeText("Quick", "qrf", row.qrf);
        QString shown;
        for (const QString& entry : recentFilesToShow(settings))
            shown += entry.mid(entry.size() - 5, 1);
        EXPECT_EQ(shown, row.shown);
        QString after;
        for (const QString& entry : stored(settings, row.after.size()))
            after += entry.isEmpty() ? QString(".") : entry.mid(entry.size() - 5, 1);
        EXPECT_EQ(after, row.after);
    }
}

TEST(RecentFiles, OnlyFilesAreShown) {
    TempHome home;
    SettingsFile settings(home.settingsPath());
    for (const char* name : {"a.htm", "b.htm"}) {
        home.write(name, "x");
        UpdateOldies(settings, home.file(name), PathStyle::Posix);
    }
    // Opened again, a.htm leaves the placeholder in its old place; a folder of that name in the
    // working folder is no file either.
    UpdateOldies(settings, home.file("a.htm"), PathStyle::Posix);
    QFile::remove(home.file("b.htm"));
    QDir(home.path()).mkdir("b.htm");
    QDir(home.path()).mkdir("VellumHTML");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(home.path());
    const QStringList shown = recentFilesToShow(settings);
    QDir::setCurrent(previous);
    EXPECT_EQ(shown, QStringList{home.file("a.htm")});
    EXPECT_EQ(stored(settings, 2), (QStringList{home.file("a.htm"), ""}));
}

TEST(RecentFiles, CaptionsAndPathStyles) {
    EXPECT_EQ(recentCaption(3, "/web/a&b.htm"), "  &3 /web/a&&b.htm");
    EXPECT_EQ(recentCaption(12, "/web/x.htm"), "12 /web/x.htm");
    TempHome home;
    SettingsFile settings(home.settingsPath());
    UpdateOldies(settings, "c:\\web\\new.htm", PathStyle::Windows);
    EXPECT_EQ(recentFile(settings, 1), "C:\\WEB\\NEW.HTM");
    UpdateOldies(settings, home.file("Lower.htm"), PathStyle::Posix);
    EXPECT_EQ(recentFile(settings, 1), home.file("Lower.htm"));
    EXPECT_TRUE(recentFilesToShow(settings).isEmpty()) << "neither file exists";
}

TEST(RecentFiles, OpenAndSaveAsPutTheFileOnTop) {
    test::Desk desk;
    desk.flows.openFile(desk.home.write("a.htm", "a"));
    desk.flows.newPlainDocument();
    desk.prompter.saveNames.push_back(desk.home.file("new.htm"));
    desk.flows.SavesAs(*desk.workspace.active());
    EXPECT_EQ(stored(desk.settings, 2),
              (QStringList{desk.home.file("new.htm"), desk.home.file("a.htm")}));
}

} // namespace
} // namespace vellum
