// The built program started several times over, as a desktop starts it for each file opened. Each
// test has its own runtime folder and homes; an instance is watched through its settings file,
// where "Roster" lists the keys of its open documents.
#include "core/foundation/settings_file.h"
#include "instance/runtime_folder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <vector>

namespace vellum {
namespace {

// Generous, for a loaded two-core machine; every wait polls, so a quick one does not pay for it.
constexpr int PatienceMs = 30000;

bool eventually(const std::function<bool()>& condition) {
    for (QDeadlineTimer deadline(PatienceMs); !condition(); QThread::msleep(15)) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(); // QProcess learns of ended processes here
    }
    return true;
}

class Desktop {
public:
    ~Desktop() {
        for (const auto& process : m_processes) {
            process->kill();
            process->waitForFinished(PatienceMs);
        }
    }
    test::RuntimeFolder runtime;

    /// A page to open, in a folder with a space in its name.
    QString page(const QString& name) const {
        QDir().mkpath(m_root.filePath("My Pages"));
        QFile file(m_root.filePath("My Pages/" + name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    /// Starts the program with these arguments and the home numbered `home`.
    QProcess& start(const QStringList& arguments, int home = 1) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELLUMHTML_HOME", m_root.filePath(QString::number(home)));
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(environment);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(VELLUM_PROGRAM, arguments);
        EXPECT_TRUE(process->waitForStarted(PatienceMs));
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }
    /// Starts an instance and waits until it shows its first document.
    QProcess& startFirst(const QStringList& arguments = {}, const QString& key = "Untitled 1") {
        QProcess& first = start(arguments);
        EXPECT_TRUE(eventually([&] { return roster() == QStringList{key}; }));
        return first;
    }
    QString read(const char* section, const QString& key, int home = 1) const {
        return SettingsFile(m_root.filePath(QString::number(home)) + "/vellumh.ini")
            .readText(section, key, "unset");
    }
    /// The keys of the open documents of the instance with home `home`, in tab order.
    QStringList roster(int home = 1) const {
        QStringList keys;
        while (read("Roster", QString::number(keys.size()), home) != "unset")
            keys << read("Roster", QString::number(keys.size()), home);
        return keys;
    }

private:
    QTemporaryDir m_root;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

bool endedWell(QProcess& process) {
    // waitForFinished says false for a process that has ended already.
    return (process.state() == QProcess::NotRunning || process.waitForFinished(PatienceMs)) &&
           process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

TEST(InstanceProcesses, SecondStartHandsOverAndEnds) {
    struct Row {
        const char* intent;
        int arguments; // 0: none; 1: the page's path; 2: the path split at its spaces
        int home;      // 2: a copy of the program with a settings file of its own
        bool opens;
    };
    const Row rows[] = {
        {"no arguments: nothing handed over", 0, 1, false},
        {"a file: it opens in the first", 1, 1, true},
        {"a path with a space split in two arguments", 2, 1, true},
        {"a copy with its own settings: recorded there, nothing opens", 1, 2, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desktop desktop;
        const QString page = desktop.page("index page.htm");
        QProcess& first = desktop.startFirst();
        const QStringList arguments = row.arguments == 0   ? QStringList{}
                                      : row.arguments == 1 ? QStringList{page}
                                                           : page.split(' ');
        EXPECT_TRUE(endedWell(desktop.start(arguments, row.home)));
        const QStringList expected =
            row.opens ? QStringList{"Untitled 1", page} : QStringList{"Untitled 1"};
        EXPECT_TRUE(eventually([&] { return desktop.roster() == expected; }));
        QThread::msleep(200); // anything more it would open would show up meanwhile
        EXPECT_EQ(desktop.roster(), expected);
        EXPECT_EQ(desktop.read("Vellum", "hello"), row.opens ? "" : "unset");
        EXPECT_EQ(desktop.read("Vellum", "hello", 2), row.home == 2 ? page : "unset");
        EXPECT_EQ(desktop.read("Vellum", "count"), "1") << "the first's run was not reset";
        EXPECT_EQ(first.state(), QProcess::Running);
    }
}

TEST(InstanceProcesses, SeveralFilesFromTheDesktopAllOpen) {
    Desktop desktop;
    const QString a = desktop.page("a.htm"), b = desktop.page("b b.htm");
    const QString c = desktop.page("c.htm"), d = desktop.page("d.htm");
    QProcess& first = desktop.start({a, b});
    EXPECT_TRUE(eventually([&] { return desktop.roster() == QStringList{a, b}; }));
    EXPECT_TRUE(endedWell(desktop.start({c, d})));
    EXPECT_TRUE(eventually([&] { return desktop.roster() == QStringList{a, b, c, d}; }));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST(InstanceProcesses, FileOpenAlreadyIsNotOpenedTwice) {
    Desktop desktop;
    const QString page = desktop.page("index.htm");
    QProcess& first = desktop.startFirst({page}, page);
    EXPECT_TRUE(endedWell(desktop.start({page})));
    // The second start's record is emptied once the first has found the file open.
    EXPECT_TRUE(eventually([&] { return desktop.read("Vellum", "hello").isEmpty(); }));
    QThread::msleep(200);
    EXPECT_EQ(desktop.roster(), QStringList{page});
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST(InstanceProcesses, StartsAtTheSameMomentEachHandOverTheirFileOnce) {
    struct Row {
        const char* intent;
        bool firstRunning;
        int starts;
    };
    for (const Row& row : {Row{"ten second starts at once", true, 10},
                           Row{"two first starts at once: one runs", false, 2}}) {
        SCOPED_TRACE(row.intent);
        Desktop desktop;
        QStringList expected = row.firstRunning ? QStringList{"Untitled 1"} : QStringList{};
        if (row.firstRunning)
            desktop.startFirst();
        QElapsedTimer clock;
        clock.start();
        std::vector<QProcess*> starts;
        for (int i = 0; i < row.starts; ++i) {
            expected << desktop.page(QStringLiteral("page %1.htm").arg(i));
            starts.push_back(&desktop.start({expected.back()}));
        }
        expected.sort();
        EXPECT_TRUE(eventually([&] {
            QStringList roster = desktop.roster();
            roster.sort();
            return roster == expected;
        })) << desktop.roster().join('|').toStdString();
        std::printf("[  timing  ] %s, all files open: %lld ms\n", row.intent, clock.elapsed());
        // All hand over and end, but the one that runs when none did before.
        const auto ended = [&] {
            return std::count_if(starts.begin(), starts.end(), [](QProcess* start) {
                return start->state() == QProcess::NotRunning && endedWell(*start);
            });
        };
        EXPECT_TRUE(eventually([&] { return ended() == row.starts - (row.firstRunning ? 0 : 1); }));
        EXPECT_TRUE(eventually([&] { return desktop.read("Vellum", "hello").isEmpty(); }));
    }
}

TEST(InstanceProcesses, AKilledInstanceIsReplacedByTheNextStart) {
    Desktop desktop;
    QProcess& first = desktop.startFirst();
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(PatienceMs));
    ASSERT_EQ(desktop.runtime.sockets().size(), 1) << "its socket is left behind";

    QElapsedTimer clock;
    clock.start();
    const QString page = desktop.page("index.htm");
    QProcess& next = desktop.start({page});
    const QString nextSocket = QStringLiteral("-%1").arg(next.processId());
    ASSERT_TRUE(eventually([&] {
        return desktop.runtime.sockets().join('|').endsWith(nextSocket);
    })) << desktop.runtime.sockets().join('|').toStdString();
    const qint64 registered = clock.elapsed();
    std::printf("[  timing  ] killed instance replaced: %lld ms\n", registered);
    // Not kept waiting for the leftovers to age: the program itself starts in a part of that.
    EXPECT_LT(registered, 1000);
    EXPECT_EQ(desktop.runtime.sockets().size(), 1);
    ASSERT_TRUE(eventually([&] { return desktop.roster() == QStringList{page}; }));

    // The next start is the running instance now: a start after it hands over to it.
    const QString other = desktop.page("other.htm");
    EXPECT_TRUE(endedWell(desktop.start({other})));
    EXPECT_TRUE(eventually([&] { return desktop.roster() == (QStringList{page, other}); }));
    EXPECT_EQ(next.state(), QProcess::Running);
}

TEST(InstanceProcesses, ARegistryFolderThatIsNotPrivateIsNotUsed) {
    for (const bool givenAway : {false, true}) {
        SCOPED_TRACE(givenAway ? "owned by another user" : "open to the group and others");
        if (givenAway && ::geteuid() != 0) {
            std::printf("[  SKIPPED ] only root can give a folder away\n");
            continue;
        }
        Desktop desktop;
        const QByteArray folder = QFile::encodeName(desktop.runtime.registry());
        ASSERT_TRUE(QDir().mkdir(folder));
        ASSERT_EQ(givenAway ? ::chown(folder, 65534, 65534) : ::chmod(folder, 0755), 0);
        const QStringList pages{desktop.page("a.htm"), desktop.page("b.htm")};
        QProcess& first = desktop.start({pages[0]}, 1);
        QProcess& second = desktop.start({pages[1]}, 2);
        // Neither finds the other: both run, each with its own file.
        EXPECT_TRUE(eventually([&] { return desktop.roster(1) == QStringList{pages[0]}; }));
        EXPECT_TRUE(eventually([&] { return desktop.roster(2) == QStringList{pages[1]}; }));
        EXPECT_EQ(first.state(), QProcess::Running);
        EXPECT_EQ(second.state(), QProcess::Running);
        EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::System | QDir::Hidden |
                                         QDir::NoDotAndDotDot));
    }
}

} // namespace
} // namespace vellum
