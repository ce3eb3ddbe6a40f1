// The recovery folder is inside the user's home but its contents may have been planted: nothing in
// it is followed, read or removed unless it is a private folder of the user's own, and of that only
// the files the program writes itself.
#include "core/app/recovery_folders.h"
#include "support/ended_instance.h"
#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace vellum {
namespace {

QStringList g_warnings;
QtMessageHandler g_previous = nullptr;

// The warnings the folders report on stderr, kept for the test to read.
struct Warnings {
    Warnings() {
        g_warnings.clear();
        g_previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (type == QtWarningMsg)
                    g_warnings << text;
                else
                    g_previous(type, context, text);
            });
    }
    ~Warnings() { qInstallMessageHandler(g_previous); }
};

// Everything below `root`, links listed but not followed, as paths relative to it; `leaveOut`
// names the entries of `root` itself that are not listed.
QStringList tree(const QString& root, const QStringList& leaveOut = {}) {
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(root).relativeFilePath(it.next());
        if (!leaveOut.contains(path.section('/', 0, 0)))
            out << path;
    }
    out.sort();
    return out;
}

int modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777)
                                                                    : -1;
}

const QFile::Permissions Private = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

TEST(RecoveryFolders, TakesOnlyPrivateFoldersAndRemovesOnlyItsOwnFiles) {
    struct Row {
        const char* intent;
        const char* plant; // l: a link in place of a folder; o: a folder others may open;
                           // u: another user's folder; f: a linked file among an ended instance's;
                           // x: a file of someone else's and a temporary file among them
        QStringList offered;
        QStringList left; // in the recovery folder after the discard
        bool reported;
    };
    std::vector<Row> rows = {
        {"a link to a folder elsewhere is not followed", "l", {}, {"x", "x.lock"}, true},
        {"a folder others may open is passed over",
         "o",
         {},
         {"x", "x.lock", "x/document-1.recovery"},
         true},
        {"a linked file is neither read nor followed", "f", {"/a.htm"}, {}, false},
        {"only the program's own files are removed", "x", {"/a.htm"}, {"x", "x/notes.txt"}, true},
    };
    if (geteuid() == 0)
        rows.push_back({"another user's folder is passed over",
                        "u",
                        {},
                        {"x", "x.lock", "x/document-1.recovery"},
                        true});
    const QByteArray a = encodeRecovery(test::recoveryRecord("/a.htm", false, "a"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        test::TempHome home;
        const QString root = home.file("recovery");
        const QString elsewhere = home.file("Documents");
        home.write("Documents/precious.htm", "mine");
        home.write("Documents/document-1.recovery",
                   encodeRecovery(test::recoveryRecord("/elsewhere.htm", false, "e")));
        const QString x = root + "/x";
        switch (row.plant[0]) {
        case 'l':
            test::endedInstance(root, "x", {});
            ASSERT_TRUE(QDir().rmdir(x));
            ASSERT_TRUE(QFile::link(elsewhere, x));
            break;
        case 'o':
        case 'u':
            test::endedInstance(root, "x", {a});
            if (row.plant[0] == 'o') {
                ASSERT_TRUE(QFile::setPermissions(x, Private | QFile::ReadOther | QFile::ExeOther));
            } else {
                ASSERT_EQ(::chown(QFile::encodeName(x).constData(), 65534, 65534), 0);
            }
            break;
        case 'f':
            test::endedInstance(root, "x", {a});
            ASSERT_TRUE(
                QFile::link(elsewhere + "/document-1.recovery", x + "/document-2.recovery"));
            break;
        case 'x':
            test::endedInstance(root, "x", {a});
            home.write("recovery/x/notes.txt", "someone else's");
            home.write("recovery/x/.document-2.recovery.Ab3dE9", "a write cut short");
            break;
        }
        Warnings warnings;
        RecoveryFolder own(root);
        ASSERT_FALSE(own.claim());
        RecoveryClaim claim = RecoveryClaim::gather(root, own.id());
        QStringList offered;
        for (const Recoverable& entry : claim.entries())
            offered << entry.record.name;
        EXPECT_EQ(offered, row.offered);
        claim.discard();
        EXPECT_EQ(tree(root, {own.id(), own.id() + ".lock"}), row.left);
        EXPECT_EQ(tree(elsewhere), (QStringList{"document-1.recovery", "precious.htm"}));
        EXPECT_EQ(g_warnings.filter(QDir::toNativeSeparators(x)).size(), row.reported ? 1 : 0)
            << g_warnings.join('\n').toStdString();
    }
}

TEST(RecoveryFolders, WritesOnlyIntoPrivateFoldersOfItsOwn) {
    struct Row {
        const char* intent;
        // r: the recovery folder made first, with `mode`; R: a link to a folder elsewhere in its
        // place; i: this instance's folder made first, with `mode`; I: a link in its place
        const char* plant;
        QFile::Permissions mode;
        bool claimed;
    };
    const QFile::Permissions readable =
        Private | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const Row rows[] = {
        {"nothing there yet: both made", "", Private, true},
        {"a recovery folder others may read, as earlier versions made it", "r", readable, true},
        {"a recovery folder others may write to is not used", "r", readable | QFile::WriteOther,
         false},
        {"a link in place of the recovery folder is not followed", "R", Private, false},
        {"its own folder there already, others may open it: not used", "ri", readable, false},
        {"a link in place of its own folder is not followed", "rI", Private, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        test::TempHome home;
        const QString root = home.file("recovery");
        const QString elsewhere = home.file("Documents");
        ASSERT_TRUE(QDir().mkpath(elsewhere));
        RecoveryFolder own(root);
        for (const char* step = row.plant; *step; ++step) {
            const QString path = *step == 'r' || *step == 'R' ? root : own.path();
            if (*step == 'r' || *step == 'i') {
                ASSERT_TRUE(QDir().mkpath(path));
                ASSERT_TRUE(QFile::setPermissions(path, row.mode));
            } else {
                ASSERT_TRUE(QFile::link(elsewhere, path));
            }
        }
        const std::optional<QString> failure = own.claim();
        EXPECT_EQ(!failure, row.claimed) << failure.value_or("").toStdString();
        EXPECT_EQ(own.isClaimed(), row.claimed);
        EXPECT_EQ(tree(elsewhere), QStringList{});
        if (row.claimed) {
            EXPECT_EQ(modeOf(root) & 022, 0);
            EXPECT_EQ(modeOf(own.path()), 0700);
        }
    }
}

} // namespace
} // namespace vellum
