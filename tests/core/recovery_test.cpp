#include "core/app/recovery_documents.h"
#include "core/app/recovery_folders.h"
#include "core/app/recovery_worker.h"
#include "support/buffer_workspace.h"
#include "support/ended_instance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <unistd.h>

namespace vellum {
namespace {

using test::Desk;
using test::endedInstance;

RecoveryRecord record(const QString& name, bool untitled, const QString& text) {
    return test::recoveryRecord(name, untitled, text);
}
using Encoding = FileFormat::Encoding;

void expectSame(const RecoveryRecord& a, const RecoveryRecord& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.untitled, b.untitled);
    EXPECT_EQ(a.format.encoding, b.format.encoding);
    EXPECT_EQ(a.format.bom, b.format.bom);
    EXPECT_EQ(a.format.lineBreak, b.format.lineBreak);
    EXPECT_EQ(a.format.charset, b.format.charset);
    EXPECT_EQ(a.stamp, b.stamp);
    EXPECT_EQ(a.stamp.known, b.stamp.known);
    EXPECT_EQ(a.written, b.written);
    EXPECT_EQ(a.text, b.text);
}

TEST(RecoveryFile, RoundTripKeepsNameFormatStampTimeAndText) {
    struct Row {
        const char* intent;
        const char* name;
        bool untitled;
        Encoding encoding;
        bool bom;
        const char* lineBreak;
        const char* charset;
        bool stamped;
        QString text;
    };
    const Row rows[] = {
        {"untitled, empty text", "Untitled 3", true, Encoding::Utf8, false, "\n", "", false, ""},
        {"a path with spaces, '=' and a line break in it", "/My Pages/a=b\nc.htm", false,
         Encoding::Utf8, true, "\r\n", "", true, "<p>one</p>\r\n<p>two</p>\r\n"},
        {"Windows-1252 with CR breaks", "/site/page.htm", false, Encoding::Windows1252, false, "\r",
         "", true, QStringLiteral("caf\u00e9\r\n\tna\u00efve")},
        {"a declared charset", "/site/jp.htm", false, Encoding::Declared, false, "\n", "Shift_JIS",
         true, QStringLiteral("\u65e5\u672c\r\n")},
        {"text that looks like a header and characters beyond the BMP", "Untitled 1", true,
         Encoding::Utf8, false, "\n", "", false,
         QStringLiteral("name=x\n\ncheck=00\r\n\U0001F600 \u2028")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        RecoveryRecord r = record(row.name, row.untitled, row.text);
        r.format.encoding = row.encoding;
        r.format.bom = row.bom;
        r.format.lineBreak = row.lineBreak;
        r.format.charset = row.charset;
        if (row.stamped)
            r.stamp = {true, 2049, 1234567, 42, 1700000000123456789, 0xfeedfacecafebeefULL};
        test::TempHome home;
        const QString path = home.file("document-1.recovery");
        QString error;
        ASSERT_TRUE(writeRecoveryFile(path, r, error)) << error.toStdString();
        const std::optional<RecoveryRecord> back = readRecoveryFile(path);
        ASSERT_TRUE(back);
        expectSame(*back, r);
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"document-1.recovery"})
            << "no temporary file is left";
    }
}

TEST(RecoveryFile, ACutShortOrDamagedFileIsNotRead) {
    const QByteArray whole = encodeRecovery(record("/a/page.htm", false, "<p>caf\u00e9</p>\r\n"));
    ASSERT_TRUE(decodeRecovery(whole));
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        EXPECT_FALSE(decodeRecovery(whole.left(cut))) << "cut at " << cut;

    const qsizetype body = whole.indexOf("\n\n") + 2;
    const auto changed = [&whole](qsizetype at, char to) {
        QByteArray bytes = whole;
        bytes[at] = to;
        return bytes;
    };
    struct Row {
        const char* intent;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"a byte of the text changed", changed(body + 1, 'P')},
        {"a byte of the name changed", changed(whole.indexOf("page"), 'P')},
        {"a byte of the checksum changed", changed(whole.indexOf("check=") + 6, 'x')},
        {"a byte more", whole + "x"},
        {"another kind of file", QByteArray(whole).replace("recovery 1", "recovery 9")},
        {"empty", QByteArray()},
    };
    for (const Row& row : rows)
        EXPECT_FALSE(decodeRecovery(row.bytes)) << row.intent;
}

TEST(RecoveryFile, AFailedWriteLeavesNothing) {
    test::TempHome home;
    QString error;
    const QString path = home.file("missing/document-1.recovery");
    EXPECT_FALSE(writeRecoveryFile(path, record("Untitled 1", true, "x"), error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.file("missing")));
}

TEST(RecoveryDelay, WaitsForAPauseButNotForever) {
    struct Row {
        const char* intent;
        qint64 sinceFirst, sinceLast, debounce, due;
    };
    const Row rows[] = {
        {"just typed", 0, 0, 2000, 2000},
        {"half the pause gone", 1000, 1000, 2000, 1000},
        {"the pause is over", 2500, 2000, 2000, 0},
        {"typing for a while: the pause counts from the last key", 9000, 500, 2000, 1500},
        {"typing without a pause: due at ten times the delay", 19500, 100, 2000, 500},
        {"typing past that: due now", 25000, 10, 2000, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(recoveryDueIn(row.sinceFirst, row.sinceLast, row.debounce), row.due)
            << row.intent;
}

QStringList offered(const RecoveryClaim& claim) {
    QStringList names;
    for (const Recoverable& entry : claim.entries())
        names << entry.record.name;
    return names;
}

TEST(RecoveryFolders, OnlyEndedInstancesCompleteFilesAreOffered) {
    const QByteArray a = encodeRecovery(record("/a.htm", false, "a"));
    const QByteArray b = encodeRecovery(record("Untitled 2", true, "b"));
    struct Row {
        const char* intent;
        // "ended", "live": another instance holds the lock, "none": no lock, "nameless": a lock
        // that names no holder (its maker was killed before it wrote its name), "nameless held":
        // the same while a process holds it, "nameless open": while another process has it open
        // without holding it yet (one that has just made it)
        const char* holder;
        QList<QByteArray> files;
        QStringList offered;
    };
    const Row rows[] = {
        {"an ended instance's files", "ended", {a, b}, {"/a.htm", "Untitled 2"}},
        {"a running instance's files are not taken", "live", {a, b}, {}},
        {"a folder without its lock is an ended instance's", "none", {a}, {"/a.htm"}},
        {"a file cut short is left out", "ended", {a, b.left(b.size() - 1)}, {"/a.htm"}},
        {"a lock that names no one and no one holds", "nameless", {a}, {"/a.htm"}},
        {"a lock that names no one yet, held", "nameless held", {a}, {}},
        {"a lock that names no one yet, just made", "nameless open", {a}, {}},
        {"an ended instance's lock whose taker was killed while making the lock that guards "
         "taking it over",
         "ended, remover nameless",
         {a},
         {"/a.htm"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        test::TempHome home;
        const QString root = home.file("recovery");
        endedInstance(root, "other", row.files);
        QLockFile live(root + "/other.lock");
        const QByteArray holder(row.holder);
        if (holder == "none")
            QFile::remove(root + "/other.lock");
        if (holder == "live") {
            QFile::remove(root + "/other.lock");
            ASSERT_TRUE(live.tryLock(0));
        }
        if (holder == "ended, remover nameless") {
            QFile remover(root + "/other.lock.rmlock");
            ASSERT_TRUE(remover.open(QIODevice::WriteOnly));
        }
        int holding = -1;
        QProcess maker;
        if (holder.startsWith("nameless")) {
            QFile lock(root + "/other.lock");
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            if (holder == "nameless held") {
                holding = ::open(QFile::encodeName(lock.fileName()).constData(), O_RDONLY);
                ASSERT_EQ(::flock(holding, LOCK_EX | LOCK_NB), 0);
            }
            if (holder == "nameless open") {
                maker.setStandardInputFile(lock.fileName());
                maker.start(QStringLiteral("sleep"), {QStringLiteral("60")});
                ASSERT_TRUE(maker.waitForStarted());
            }
        }
        RecoveryFolder own(root);
        ASSERT_FALSE(own.claim());
        {
            // A claim given up without a decision leaves everything to be offered again.
            RecoveryClaim first = RecoveryClaim::gather(root, own.id());
            EXPECT_EQ(offered(first), row.offered);
            EXPECT_EQ(offered(RecoveryClaim::gather(root, own.id())), QStringList{})
                << "two starts never offer the same folder";
        }
        RecoveryClaim claim = RecoveryClaim::gather(root, own.id());
        EXPECT_EQ(offered(claim), row.offered);
        EXPECT_TRUE(claim.discard());
        QStringList left{own.id(), own.id() + ".lock"};
        if (holder == "live" || holder.startsWith("nameless "))
            left << "other"
                 << "other.lock";
        if (holding >= 0)
            ::close(holding);
        maker.kill();
        maker.waitForFinished();
        left.sort();
        EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), left);
    }
}

TEST(RecoveryJob, WritesLineBreaksAsCrLfAndRemoves) {
    struct Row {
        const char* intent;
        QString text; // as the text control keeps it for searching
        const char* kept;
    };
    const Row rows[] = {
        {"CR LF breaks kept", "a\r\nb", "a\r\nb"},
        {"paragraph separators made CR LF", QStringLiteral("a\u2029\u2029b\u2029"),
         "a\r\n\r\nb\r\n"},
    };
    for (const Row& row : rows) {
        test::TempHome home;
        const QString path = home.file("document-1.recovery");
        QString error;
        ASSERT_TRUE(runRecoveryJob({1, path, record("Untitled 1", true, row.text)}, error));
        const std::optional<RecoveryRecord> back = readRecoveryFile(path);
        ASSERT_TRUE(back) << row.intent;
        EXPECT_EQ(back->text, row.kept) << row.intent;
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_TRUE(runRecoveryJob({1, path, std::nullopt}, error)) << "gone already counts";
            EXPECT_FALSE(QFileInfo::exists(path));
        }
    }
}

// The text as the desk's document holds it, written and read back from its recovery file.
QString kept(const RecoveryFolder& folder, int serial) {
    const std::optional<RecoveryRecord> r = readRecoveryFile(folder.filePath(serial));
    return r ? r->name + ": " + r->text : QStringLiteral("none");
}

void run(const std::vector<RecoveryJob>& jobs) {
    for (const RecoveryJob& job : jobs) {
        QString error;
        EXPECT_TRUE(runRecoveryJob(job, error)) << error.toStdString();
    }
}

TEST(RecoveryBook, AModifiedDocumentIsKeptUntilSavedOrClosed) {
    struct Row {
        const char* intent;
        // e: edit; d: the snapshots due, written; w: the snapshots due, their writes under way;
        // f: the writes under way carried out; s: save; r: reconcile; c: close unsaved
        const char* steps;
        const char* kept;
    };
    const Row rows[] = {
        {"edited: kept under its path", "ed", "PATH: x<p>old</p>\r\n"},
        {"not yet due: nothing kept", "e", "none"},
        {"saved: its file goes", "edsr", "none"},
        {"closed without saving: its file goes", "edc", "none"},
        {"edited again after a save: kept again", "edsred", "PATH: xx<p>old</p>\r\n"},
        {"a write under way: the next snapshot waits for it", "ewedf", "PATH: x<p>old</p>\r\n"},
        {"and is taken once the write is done", "ewedfd", "PATH: xx<p>old</p>\r\n"},
        {"opened and not edited: nothing kept", "d", "none"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        const QString path = desk.home.write("page.htm", "<p>old</p>\n");
        Document& document = *desk.flows.openFile(path);
        RecoveryFolder folder(desk.directory.recoveryDir());
        RecoveryBook book(folder);
        std::optional<QString> error;
        std::vector<RecoveryJob> underWay;
        for (const char* step = row.steps; *step; ++step) {
            switch (*step) {
            case 'e':
                document.text().setSelection(0, 0);
                document.text().replaceSelection("x");
                book.changed(document);
                break;
            case 'w':
                underWay = book.takeDue(desk.workspace, QDateTime::currentDateTimeUtc(), error);
                break;
            case 'd':
            case 'f': {
                const std::vector<RecoveryJob> jobs =
                    *step == 'f'
                        ? std::move(underWay)
                        : book.takeDue(desk.workspace, QDateTime::currentDateTimeUtc(), error);
                run(jobs);
                for (const RecoveryJob& job : jobs)
                    book.finished(job.serial);
                break;
            }
            case 's':
                ASSERT_TRUE(desk.flows.Saves(document));
                break;
            case 'r':
                run(book.reconcile(desk.workspace));
                break;
            case 'c':
                desk.prompter.yesNoCancel.push_back(Prompter::Answer::No);
                if (std::optional<RecoveryJob> job = book.closed(document))
                    run({*job});
                ASSERT_TRUE(desk.workspace.close(document));
                break;
            }
        }
        EXPECT_FALSE(error);
        EXPECT_EQ(kept(folder, 1), QString(row.kept).replace("PATH", path));
    }
}

// A worker whose first report is held until release(), so that the jobs handed to it meanwhile wait
// in its queue; each report is handed to the book on the test's thread, as the window does.
class HeldWorker {
public:
    explicit HeldWorker(RecoveryBook& book) : m_book(book) {}
    ~HeldWorker() { release(); }
    void release() {
        {
            const std::lock_guard<std::mutex> hold(m_mutex);
            m_held = false;
        }
        m_wake.notify_all();
    }
    void submit(std::vector<RecoveryJob> jobs) {
        for (RecoveryJob& job : jobs)
            m_worker.submit(std::move(job));
    }
    /// Waits for the worker, then hands its reports to the book.
    void settle() {
        m_worker.drain();
        const std::lock_guard<std::mutex> hold(m_mutex);
        for (const int serial : m_reports)
            m_book.finished(serial);
        m_reports.clear();
    }

private:
    RecoveryBook& m_book;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_held = true;
    std::vector<int> m_reports;
    RecoveryWorker m_worker{[this](int serial, const QString&) {
        std::unique_lock<std::mutex> hold(m_mutex);
        m_reports.push_back(serial);
        m_wake.wait(hold, [this] { return !m_held; });
    }};
};

TEST(RecoveryWorker, ADocumentChangedWhileTheWorkerIsBusyIsKeptAsItIsLast) {
    struct Row {
        const char* intent;
        // while the worker is held on the first document's write: s: save the second document;
        // e: edit it
        const char* meanwhile;
        const char* kept;
    };
    const Row rows[] = {
        {"edited again: its newer text is kept", "e", "PATH: yy<p>b</p>\r\n"},
        {"saved: its file goes", "s", "none"},
        {"saved, its waiting write replaced by the removal, then edited: kept again", "se",
         "PATH: yy<p>b</p>\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        Document& first = *desk.flows.openFile(desk.home.write("a.htm", "<p>a</p>\n"));
        const QString path = desk.home.write("b.htm", "<p>b</p>\n");
        Document& second = *desk.flows.openFile(path);
        RecoveryFolder folder(desk.directory.recoveryDir());
        RecoveryBook book(folder);
        const auto edit = [&book](Document& document) {
            document.text().setSelection(0, 0);
            document.text().replaceSelection("y");
            book.changed(document);
        };
        std::optional<QString> error;
        const auto due = [&] {
            return book.takeDue(desk.workspace, QDateTime::currentDateTimeUtc(), error);
        };
        HeldWorker worker(book);
        edit(first);
        edit(second);
        worker.submit(due());
        for (const char* step = row.meanwhile; *step; ++step) {
            if (*step == 's') {
                ASSERT_TRUE(desk.flows.Saves(second));
                worker.submit(book.reconcile(desk.workspace));
            } else {
                edit(second);
            }
        }
        worker.release();
        worker.settle();
        worker.submit(due());
        worker.settle();
        EXPECT_FALSE(error);
        EXPECT_EQ(kept(folder, 2), QString(row.kept).replace("PATH", path));
    }
}

TEST(RecoveryBook, ARecoveredDocumentOpensModifiedUnderItsOwnName) {
    struct Row {
        const char* intent;
        bool untitled;
        bool openAlready;
        const char* caption;
        QByteArray saved; // what Save writes to the original path
    };
    const Row rows[] = {
        {"a file: Save writes its path in its own format", false, false, "page.htm",
         "caf\xe9\r\nline\r\n"},
        {"untitled: a new untitled document", true, false, "Untitled 1", ""},
        {"a file open already: a new untitled document", false, true, "Untitled 1", "open"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        const QString path = desk.home.write("page.htm", "open");
        if (row.openAlready)
            desk.flows.openFile(path);
        RecoveryRecord r = record(row.untitled ? "Untitled 7" : path, row.untitled,
                                  QStringLiteral("caf\u00e9\r\nline\r\n"));
        r.format.encoding = Encoding::Windows1252;
        r.format.lineBreak = "\r\n";
        Document& document = reopenRecovered(desk.workspace, desk.settings, desk.prompter, r);
        EXPECT_EQ(document.caption(), row.caption);
        EXPECT_TRUE(document.text().isModified());
        EXPECT_EQ(document.text().text(), r.text);
        EXPECT_EQ(desk.prompter.informed.size(), row.openAlready ? 1 : 0);
        if (!row.untitled && !row.openAlready) {
            ASSERT_TRUE(desk.flows.Saves(document));
            EXPECT_EQ(desk.home.read("page.htm"), row.saved);
            EXPECT_FALSE(document.text().isModified());
        }
    }
}

TEST(RecoveryBook, AnAdoptedFileMovesIntoThisInstancesFolder) {
    Desk desk;
    const QString root = desk.directory.recoveryDir();
    endedInstance(root, "ended",
                  {encodeRecovery(record("Untitled 4", true, "kept")),
                   encodeRecovery(record("Untitled 5", true, "dropped"))});
    RecoveryFolder folder(root);
    RecoveryBook book(folder);
    RecoveryClaim claim = RecoveryClaim::gather(root, folder.id());
    ASSERT_EQ(offered(claim), (QStringList{"Untitled 4", "Untitled 5"}));
    Document& document =
        reopenRecovered(desk.workspace, desk.settings, desk.prompter, claim.entries()[0].record);
    ASSERT_FALSE(book.adopt(document, claim, 0));
    EXPECT_TRUE(claim.discard());
    EXPECT_EQ(kept(folder, 1), "Untitled 4: kept");
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{folder.id(), folder.id() + ".lock"}));
    // Rewritten under its new caption at the next snapshot.
    std::optional<QString> error;
    run(book.takeDue(desk.workspace, QDateTime::currentDateTimeUtc(), error));
    EXPECT_EQ(kept(folder, 1), document.caption() + ": kept");
}

} // namespace
} // namespace vellum
