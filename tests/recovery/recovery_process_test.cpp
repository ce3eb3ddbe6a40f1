// The program killed with SIGKILL at random moments while it types into a page and saves it (see
// typing_driver.cpp), two hundred times over with one home (sixty under the sanitizers). After each
// kill the page on disk is exactly what the last save or the one before wrote, every recovery file
// left is complete and holds a text the document had, and the next start offers what was left.
#include "core/app/recovery_file.h"
#include "core/foundation/settings_file.h"
#include "instance/runtime_folder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

namespace vellum {
namespace {

#ifdef VELLUM_RECOVERY_KILLS
constexpr int Kills = VELLUM_RECOVERY_KILLS;
#else
constexpr int Kills = 200;
#endif
constexpr int PatienceMs = 30000;
constexpr qint64 PageBytes = 512 * 1024;

QString hashOf(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

/// Reads what the process writes until `until` says so or the time is up.
void readUntil(
    QProcess& process, QByteArray& out, int ms,
    const std::function<bool()>& until = [] { return false; }) {
    for (QDeadlineTimer deadline(ms); !until() && !deadline.hasExpired();) {
        process.waitForReadyRead(
            std::max<qint64>(1, std::min<qint64>(5, deadline.remainingTime())));
        out += process.readAllStandardOutput();
    }
}

/// Every recovery file in the ended instances' folders, read; a file that cannot be read counts as
/// a record without a name.
QList<RecoveryRecord> recoveryFiles(const QString& root) {
    QList<RecoveryRecord> records;
    for (const QFileInfo& folder : QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QFileInfo& file : QDir(folder.filePath()).entryInfoList({"*.recovery"})) {
            std::optional<RecoveryRecord> record = readRecoveryFile(file.filePath());
            records << (record ? *record : RecoveryRecord{});
        }
    }
    return records;
}

TEST(RecoveryProcess, KilledAtRandomWhileTypingAndSavingLosesNothing) {
    QTemporaryDir dir;
    test::RuntimeFolder runtime;
    const QString home = dir.filePath("home");
    ASSERT_TRUE(QDir().mkpath(home));
    // Short, so that many kills find a recovery file: kept 15 ms after the typing pauses.
    SettingsFile(home + "/vellumh.ini").writeText("Vellum", "RecoveryDelay", "15");
    // Large enough that a kill often comes while a recovery file or the page is being written.
    const QString page = dir.filePath("page.htm");
    {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int line = 0; file.size() < PageBytes; ++line)
            file.write(QStringLiteral("<p class=\"l%1\">Some text on line %1, caf\u00e9.</p>\n")
                           .arg(line)
                           .toUtf8());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELLUMHTML_HOME", home);
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");

    QSet<QString> texts; // every text the document had, by hash
    QString onDisk = hashOf(contents(page));
    int left = 0; // recovery files left by the runs killed so far
    int killsLeavingFiles = 0, offers = 0, killedStarting = 0;
    QRandomGenerator random(20240506);
    QElapsedTimer clock;
    clock.start();
    for (int run = 1; run <= Kills; ++run) {
        SCOPED_TRACE(QStringLiteral("run %1").arg(run).toStdString());
        QProcess driver;
        driver.setProcessEnvironment(environment);
        driver.setStandardErrorFile(QProcess::nullDevice());
        driver.start(VELLUM_TYPING_DRIVER, {page, QString::number(run)});
        ASSERT_TRUE(driver.waitForStarted(PatienceMs));
        QByteArray out;
        // One kill in five comes while the program starts (and may be offering or discarding),
        // the others while it types and saves.
        if (random.bounded(5) == 0) {
            readUntil(driver, out, static_cast<int>(random.bounded(250)));
        } else {
            readUntil(driver, out, PatienceMs, [&out] { return out.contains("ready\n"); });
            ASSERT_TRUE(out.contains("ready\n")) << out.toStdString();
            readUntil(driver, out, static_cast<int>(random.bounded(300)));
        }
        ::kill(static_cast<pid_t>(driver.processId()), SIGKILL);
        ASSERT_TRUE(driver.waitForFinished(PatienceMs));
        out += driver.readAllStandardOutput();

        QString saving;
        bool ready = false, offered = false;
        for (const QByteArray& line : out.split('\n')) {
            const QString text = QString::fromUtf8(line);
            const QString word = text.section(' ', 0, 0), rest = text.section(' ', 1);
            if (word == "typed")
                texts.insert(rest);
            else if (word == "save")
                saving = rest;
            else if (word == "saved")
                onDisk = std::exchange(saving, QString());
            else if (word == "ready")
                ready = true;
            else if (word == "offered") {
                offered = true;
                ++offers;
                EXPECT_EQ(rest.section(' ', 0, 0).toInt(), left) << "the next start offers it all";
                EXPECT_TRUE(left == 0 || rest.endsWith(page)) << text.toStdString();
            } else if (!text.isEmpty())
                ADD_FAILURE() << "the program said: " << text.toStdString();
        }
        if (ready)
            EXPECT_EQ(offered, left > 0) << "offered once there is something to offer";
        else
            ++killedStarting;

        const QString now = hashOf(contents(page));
        EXPECT_TRUE(now == onDisk || now == saving) << "the page is the old or the new text";
        onDisk = now;
        const QList<RecoveryRecord> records = recoveryFiles(home + "/recovery");
        for (const RecoveryRecord& record : records) {
            EXPECT_EQ(record.name, page) << "a complete recovery file of the page";
            EXPECT_TRUE(texts.contains(hashOf(record.text.toUtf8())))
                << "a text the document had:\n"
                << record.text.toStdString();
        }
        left = static_cast<int>(records.size());
        killsLeavingFiles += left > 0;
    }
    std::printf("[  timing  ] %d kills in %lld ms; %d while starting, %d left recovery files, "
                "%d offers\n",
                Kills, clock.elapsed(), killedStarting, killsLeavingFiles, offers);
    // Without these, the checks above would have had nothing to look at.
    EXPECT_GT(killsLeavingFiles, Kills / 10);
    EXPECT_GT(offers, Kills / 20);
}

} // namespace
} // namespace vellum
