// The preview file's place and address, the names a preview may take and what goes at exit, the
// clean-up list, the write that never goes through a link planted at its name, and the checks on
// a chosen program.
#include "core/app/document_file.h"
#include "core/app/preview.h"
#include "core/editor/text_control.h"
#include "core/foundation/settings_file.h"
#include "support/buffer_workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace vellum {
namespace {

using test::Desk;
using test::TempHome;

// A run's documents and its preview files, named relative to the home; "" is an untitled
// document, and a document's file is made when missing.
struct PreviewDesk : Desk {
    PreviewFiles previews;

    Document& document(const QString& file) {
        if (file.isEmpty())
            return *flows.newPlainDocument();
        if (Document* open = workspace.findFile(home.file(file), PathStyle::Posix))
            return *open;
        if (!QFileInfo::exists(home.file(file)))
            home.write(file, "");
        return *flows.openFile(home.file(file));
    }
    // Previews the document with `text` as its whole text; the name written, or the error.
    QString preview(const QString& file, const QString& text = QStringLiteral("<p>")) {
        Document& d = document(file);
        d.text().setSelection(0, d.text().length());
        d.text().replaceSelection(text);
        QString error;
        const QString path =
            previews.write(d, workspace, directory.dataDir(), PathStyle::Posix, error);
        return path.isEmpty() ? error : QDir(home.path()).relativeFilePath(path);
    }
};

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

TEST(PreviewFiles, TakeOnlyFreeNamesOrTheirOwnAndDeleteOnlyWhatIsStillAsWritten) {
    using Files = std::map<QString, std::optional<QByteArray>>; // no bytes: no file
    const struct {
        const char* intent;
        Files before;
        std::function<QStringList(PreviewDesk&)> previews;
        QStringList written;
        Files afterExit;
    } rows[] = {
        {"a user's own file at the name survives preview and exit byte for byte",
         {{"site/_&temp.htm", "mine\r\n"}},
         [](PreviewDesk& d) { return QStringList{d.preview("site/page.htm")}; },
         {"site/_&temp1.htm"},
         {{"site/_&temp.htm", "mine\r\n"}, {"site/_&temp1.htm", {}}}},
        {"an untitled document's preview passes over a user's file in the data folder",
         {{"data/_&temp.htm", "mine"}, {"data/_&temp1.htm", "mine too"}},
         [](PreviewDesk& d) { return QStringList{d.preview("")}; },
         {"data/_&temp2.htm"},
         {{"data/_&temp.htm", "mine"}, {"data/_&temp1.htm", "mine too"}, {"data/_&temp2.htm", {}}}},
        {"a second preview reuses the name it wrote",
         {},
         [](PreviewDesk& d) {
             QStringList names{d.preview("site/page.htm", "<p>1")};
             names << d.preview("site/page.htm", "<p>2");
             EXPECT_EQ(d.home.read("site/_&temp.htm"), "<p>2");
             return names;
         },
         {"site/_&temp.htm", "site/_&temp.htm"},
         {{"site/_&temp.htm", {}}}},
        {"a preview the user changed afterwards is theirs: not written again, not deleted",
         {},
         [](PreviewDesk& d) {
             QStringList names{d.preview("site/page.htm")};
             d.home.write("site/_&temp.htm", "<p>kept");
             names << d.preview("site/page.htm");
             return names;
         },
         {"site/_&temp.htm", "site/_&temp1.htm"},
         {{"site/_&temp.htm", "<p>kept"}, {"site/_&temp1.htm", {}}}},
        {"an open document named _&temp.htm is never written, its own preview included",
         {{"site/_&temp.htm", "doc"}},
         [](PreviewDesk& d) {
             d.document("site/_&temp.htm");
             return QStringList{d.preview("site/page.htm"), d.preview("site/_&temp.htm")};
         },
         {"site/_&temp1.htm", "site/_&temp1.htm"},
         {{"site/_&temp.htm", "doc"}, {"site/_&temp1.htm", {}}}},
        {"a preview of its own, once open as a document, is passed over",
         {},
         [](PreviewDesk& d) {
             QStringList names{d.preview("site/page.htm")};
             d.document("site/_&temp.htm");
             names << d.preview("site/page.htm");
             return names;
         },
         {"site/_&temp.htm", "site/_&temp1.htm"},
         {{"site/_&temp1.htm", {}}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        PreviewDesk desk;
        for (const auto& [name, bytes] : row.before)
            desk.home.write(name, *bytes);
        EXPECT_EQ(row.previews(desk), row.written);
        // The documents close before the clean-up at exit.
        for (Document* document : desk.workspace.documents())
            desk.workspace.close(*document, false);
        desk.previews.deleteUnchanged();
        for (const auto& [name, bytes] : row.afterExit) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(QFileInfo::exists(desk.home.file(name)), bytes.has_value());
            if (bytes) {
                EXPECT_EQ(desk.home.read(name), *bytes);
            }
        }
    }
}

TEST(CleanUp, EachPathIsRegisteredOnceAndDeletedAtExit) {
    PreviewDesk desk;
    const TempHome& home = desk.home;
    SettingsFile& settings = desk.settings;
    const QString a = home.file(desk.preview("one/page.htm"));
    const QString b = home.file(desk.preview("two/page.htm"));
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
    EXPECT_EQ(desk.previews.deleteUnchanged(), 2);
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
