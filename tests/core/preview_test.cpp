// The preview file's place and address, the clean-up list it joins, the write that never goes
// through a link planted at its name, and the checks on a chosen program.
#include "core/app/document_file.h"
#include "core/app/preview.h"
#include "core/app/settings_file.h"
#include "core/app/startup.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::TempHome;

TEST(PreviewFile, LiesBesideTheDocumentOrInTheDataFolder) {
    struct Row {
        const char* key;
        const char* dataDir;
        PathStyle style;
        const char* expected;
    };
    const Row rows[] = {
        {"/home/ann/Site/Index.HTM", "/h/data", PathStyle::Posix, "/home/ann/Site/_&temp.htm"},
        {"Untitled 3", "/h/data", PathStyle::Posix, "/h/data/_&temp.htm"},
        {"Untitled 1", "/h/data/", PathStyle::Posix, "/h/data/_&temp.htm"},
        {"C:\\Web\\Site\\index.htm", "C:\\V\\data", PathStyle::Windows,
         "c:\\web\\site\\_&temp.htm"},
        {"Untitled 2", "C:\\V\\Data", PathStyle::Windows, "c:\\v\\data\\_&temp.htm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(previewFilePath(row.key, row.dataDir, row.style), row.expected);
    }
}

TEST(PreviewFile, AddressIsAFileUrlThatNamesTheFileAgain) {
    for (const QString path : {"/a b/_&temp.htm", "/$(touch p).htm/_&temp.htm", "/-x/_&temp.htm",
                               "/caf\u00e9/#1/_&temp.htm"}) {
        SCOPED_TRACE(path.toStdString());
        const QString address = previewAddress(path);
        EXPECT_TRUE(address.startsWith("file:///"));
        EXPECT_FALSE(address.contains(' '));
        EXPECT_EQ(QUrl(address).toLocalFile(), path);
    }
}

TEST(CleanUp, EachPathIsRegisteredOnceAndDeletedAtExit) {
    TempHome home;
    SettingsFile settings(home.settingsPath());
    const QString a = home.write("one/_&temp.htm", "a");
    const QString b = home.write("two/_&temp.htm", "b");
    const QString upper = home.file("ONE/_&temp.htm"); // another file on this system
    const struct {
        QString path;
        bool added;
        int count;
    } steps[] = {{a, true, 1}, {a, false, 1}, {b, true, 2}, {a, false, 2}, {upper, true, 3}};
    for (const auto& step : steps) {
        EXPECT_EQ(registerCleanUp(settings, step.path), step.added);
        EXPECT_EQ(settings.readInt("CleanUp", "count", 0), step.count);
    }
    EXPECT_EQ(settings.readText("CleanUp", "2"), b);
    EXPECT_EQ(deleteCleanUpFiles(settings), 2);
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_FALSE(QFileInfo::exists(b));
}

TEST(PreviewFile, WriteReplacesWhatIsAtTheNameWithoutFollowingIt) {
    enum class At { Nothing, File, LinkToFile, DanglingLink, Folder };
    const struct {
        const char* intent;
        At at;
        bool written;
    } rows[] = {
        {"new file", At::Nothing, true},
        {"old preview replaced", At::File, true},
        {"planted link replaced, its target untouched", At::LinkToFile, true},
        {"dangling link replaced, nothing made at its target", At::DanglingLink, true},
        {"a folder is refused", At::Folder, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        TempHome home;
        const QString name = home.file("site/_&temp.htm");
        const QString target = home.write("secret.txt", "keep me");
        QDir().mkpath(home.file("site"));
        if (row.at == At::File)
            home.write("site/_&temp.htm", "old");
        if (row.at == At::LinkToFile) {
            ASSERT_TRUE(QFile::link(target, name));
        }
        if (row.at == At::DanglingLink) {
            ASSERT_TRUE(QFile::link(home.file("victim"), name));
        }
        if (row.at == At::Folder)
            QDir().mkpath(name);
        QString error;
        EXPECT_EQ(replaceFileNoFollow(name, "<p>new</p>", error), row.written);
        EXPECT_EQ(home.read("secret.txt"), "keep me");
        EXPECT_FALSE(QFileInfo::exists(home.file("victim")));
        EXPECT_EQ(QDir(home.file("site")).entryList(QDir::Files | QDir::Hidden).size(),
                  row.written ? 1 : 0); // no temporary file left behind
        if (row.written) {
            EXPECT_FALSE(QFileInfo(name).isSymLink());
            EXPECT_EQ(home.read("site/_&temp.htm"), "<p>new</p>");
        } else {
            EXPECT_TRUE(error.contains(name)) << error.toStdString();
        }
    }
}

TEST(ChosenProgram, MustBeAnExecutableFile) {
    TempHome home;
    const QString script = home.write("bin/run", "#!/bin/sh\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString text = home.write("bin/notes.txt", "text");
    const struct {
        QString path;
        const char* problem; // a part of the message, or null
    } rows[] = {
        {script, nullptr},
        {text, "is not an executable program"},
        {home.file("bin"), "is not a file"},
        {home.file("bin/gone"), "does not exist"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        const std::optional<QString> problem = programProblem(row.path);
        ASSERT_EQ(problem.has_value(), row.problem != nullptr);
        if (problem) {
            EXPECT_TRUE(problem->contains(row.path));
            EXPECT_TRUE(problem->contains(row.problem)) << problem->toStdString();
        }
    }
}

} // namespace
} // namespace vellum
