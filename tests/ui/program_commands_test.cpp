// Browser preview and the helper program, driven through the main window's items with real
// processes: small scripts of the test's own stand in for the browser and the helper, and record
// how they were started.
#include "core/app/preview.h"
#include "platform/app/desktop_windows.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/app/helper_title_dialog.h"
#include "ui/app/program_commands.h"
#include "ui/app/return_icon.h"
#include "ui/foundation/click_label.h"
#include "ui/helpers/helper_frame.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

bool waitUntil(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

// A program that writes how it was started, its own path first and then one line per argument,
// to a file of its own for each run. It never evaluates what it was given.
struct Recorder {
    QString path, records;

    Recorder(const Started& s, const QString& name) : path(s.home.file("bin/" + name)) {
        records = s.home.file("records/" + name);
        QDir().mkpath(records);
        s.home.write("bin/" + name, "#!/bin/sh\nrec='" + records.toUtf8() +
                                        "'\n{ printf '%s\\n' \"$0\"; for a in \"$@\"; do printf "
                                        "'%s\\n' \"$a\"; done; } > \"$rec/.$$\"\n"
                                        "mv \"$rec/.$$\" \"$rec/run.$$\"\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QList<QStringList> runs() const {
        QList<QStringList> out;
        for (const QString& run : QDir(records).entryList({"run.*"}, QDir::Files)) {
            QFile file(records + "/" + run);
            file.open(QIODevice::ReadOnly);
            out << QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        }
        return out;
    }
    // Waits for `count` runs, then a little more so that a run too many shows as well.
    QList<QStringList> waitForRuns(int count) const {
        waitUntil([&] { return runs().size() >= count; });
        QTest::qWait(200);
        return runs();
    }
};

// The test process works in `folder` meanwhile: what a shell would make, it would make there.
struct InFolder {
    QString previous = QDir::currentPath();
    explicit InFolder(const QString& folder) { QDir::setCurrent(folder); }
    ~InFolder() { QDir::setCurrent(previous); }
};

TEST(BrowserPreview, WritesTheDocumentAsSavedBesideItAndHandsTheBrowserItsAddress) {
    struct Row {
        const char* intent;
        const char* file; // null: the untitled first document
        QByteArray bytes;
        QString added; // typed at the end of the text
        QByteArray preview;
        bool plantLink;
    };
    const Row rows[] = {
        {"untitled: the data folder, UTF-8", nullptr, "", "caf\u00e9", "caf\xc3\xa9", false},
        {"Windows-1252 with CR LF: beside it, its own bytes", "site/page.htm", "caf\xe9\r\n\x80",
         "", "caf\xe9\r\n\x80", false},
        {"a planted link is left alone: the preview takes the next name", "site/page.htm", "a\nb",
         "", "a\nb", true},
        {"a character Windows-1252 lacks: UTF-8 in the preview only", "site/page.htm", "\xe9",
         "\u0101", "\xc3\xa9\xc4\x81", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Started s;
        s.runAndShow();
        const Recorder browser(s, "browser");
        s.write("Vellum", "browser", browser.path);
        QString preview = s.home.file("data/_&temp.htm");
        if (row.file) {
            s.open(s.home.write(row.file, row.bytes));
            preview = QFileInfo(s.home.file(row.file)).absolutePath() + "/_&temp.htm";
        }
        const QString secret = s.home.write("secret.txt", "keep");
        if (row.plantLink) {
            QFile::link(secret, preview);
            preview = QFileInfo(preview).absolutePath() + "/_&temp1.htm";
        }
        PlainTextControl& editor = s.active()->control();
        editor.setSelection(editor.length(), editor.length());
        editor.replaceSelection(row.added);

        s.trigger("Preview1");
        QFile written(preview);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), row.preview);
        EXPECT_FALSE(QFileInfo(preview).isSymLink());
        EXPECT_EQ(s.home.read("secret.txt"), "keep");
        const QList<QStringList> runs = browser.waitForRuns(1);
        ASSERT_EQ(runs.size(), 1);
        EXPECT_EQ(runs[0], (QStringList{browser.path, previewAddress(preview)}));
        EXPECT_EQ(s.read("CleanUp", "1"), preview);
        EXPECT_TRUE(s.prompter.errors.isEmpty()) << s.prompter.errors.join('\n').toStdString();
        // The document's own format is as it was: saving still tells of the switch to UTF-8.
        s.trigger("Save1");
        EXPECT_EQ(s.prompter.informed.join('\n').contains("saved as UTF-8"),
                  !row.added.isEmpty() && row.file);
    }
}

TEST(BrowserPreview, RegistersEachFileOnceAndTheyGoAtExit) {
    Started s;
    s.runAndShow();
    const Recorder browser(s, "browser");
    s.write("Vellum", "browser", browser.path);
    s.trigger("Preview1");
    s.trigger("Preview1");
    EXPECT_EQ(s.read("CleanUp", "count"), "1");
    s.open(s.home.write("other/page.htm", "x"));
    s.trigger("Preview1");
    EXPECT_EQ(s.read("CleanUp", "count"), "2");
    const QStringList files{s.home.file("data/_&temp.htm"), s.home.file("other/_&temp.htm")};
    EXPECT_EQ((QStringList{s.read("CleanUp", "1"), s.read("CleanUp", "2")}), files);
    browser.waitForRuns(3);
    s.window()->close();
    for (const QString& file : files)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
}

TEST(ProgramNames, ReachTheProgramsWholeAndNoShellReadsThem) {
    for (const QString name : {"-x.html", "a b.htm", "$(touch p).htm"}) {
        SCOPED_TRACE(name.toStdString());
        Started s;
        InFolder here(s.home.path());
        s.runAndShow();
        const Recorder browser(s, "browser/" + name), helper(s, "helper/" + name);
        s.write("Vellum", "browser", browser.path);
        s.write("Vellum", "helper", helper.path);
        s.write("Vellum", "helpname", "No window has this title");
        s.open(s.home.write(name + "/" + name, "<p>"));
        s.trigger("Preview1");
        s.trigger("HelperApp1");
        const QString address = previewAddress(s.home.file(name + "/_&temp.htm"));
        EXPECT_EQ(browser.waitForRuns(1), (QList<QStringList>{{browser.path, address}}));
        EXPECT_EQ(helper.waitForRuns(1), (QList<QStringList>{{helper.path}}));
        EXPECT_FALSE(QFileInfo::exists(s.home.file("p")));
    }
}

TEST(ProgramChoice, LocatingStoresOnlyAProgramThatCanRun) {
    enum class Via { Preview, HelperCommand, LocateBrowser, LocateHelper };
    struct Row {
        const char* intent;
        Via via;
        const char* answer; // "exe", "text" or "" (cancelled)
        const char* title;
        bool stored;
        int runs;
    };
    const Row rows[] = {
        {"preview, cancelled", Via::Preview, "", "Please locate your browser program", false, 0},
        {"preview, not a program", Via::Preview, "text", "Please locate your browser program",
         false, 0},
        {"preview, a program", Via::Preview, "exe", "Please locate your browser program", true, 1},
        {"Locate browser, cancelled", Via::LocateBrowser, "", "Please locate your WWW browser",
         false, 0},
        {"Locate browser, not a program", Via::LocateBrowser, "text",
         "Please locate your WWW browser", false, 0},
        {"Locate browser", Via::LocateBrowser, "exe", "Please locate your WWW browser", true, 0},
        {"helper, cancelled", Via::HelperCommand, "", "Please locate your helper program", false,
         0},
        {"helper", Via::HelperCommand, "exe", "Please locate your helper program", true, 1},
        {"Locate helper: any file", Via::LocateHelper, "text", "Please locate your helper program",
         true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Started s;
        s.runAndShow();
        const bool browser = row.via == Via::Preview || row.via == Via::LocateBrowser;
        const char* key = browser ? "browser" : "helper";
        s.write("Vellum", "helpname", "Old Title");
        const Recorder program(s, "Program");
        const QString text = s.home.write("Notes.txt", "text");
        const QString chosen = QString(row.answer) == "exe"    ? program.path
                               : QString(row.answer) == "text" ? text
                                                               : QString();
        s.prompter.openNames.push_back(chosen);
        ProgramCommands& programs = s.app->programs();
        if (row.via == Via::Preview)
            s.trigger("Preview1");
        else if (row.via == Via::HelperCommand)
            s.trigger("HelperApp1");
        else
            EXPECT_EQ(browser ? programs.locateBrowser() : programs.locateHelper(), row.stored);
        EXPECT_EQ(s.prompter.dialogs, QStringList{row.title});
        EXPECT_TRUE(s.prompter.openRequests.at(0).mustExist);
        EXPECT_EQ(s.read("Vellum", key), row.stored ? chosen : "");
        EXPECT_EQ(s.read("Vellum", "helpname"), !browser && row.stored ? "" : "Old Title");
        EXPECT_EQ(s.prompter.errors.size(), QString(row.answer) == "text" && browser ? 1 : 0);
        EXPECT_EQ(QFileInfo::exists(s.home.file("data/_&temp.htm")), browser && row.runs);
        EXPECT_EQ(program.waitForRuns(row.runs).size(), row.runs);
        delete programs.titleDialog();
    }
}

TEST(ReturnIcon, ShownByBothCommandsUnlessTurnedOff) {
    for (const char* command : {"Preview1", "HelperApp1"}) {
        for (const QString back : {"", "no"}) {
            SCOPED_TRACE(std::string(command) + " back=" + back.toStdString());
            Started s;
            s.runAndShow();
            const Recorder program(s, "program");
            s.write("Vellum", "browser", program.path);
            s.write("Vellum", "helper", program.path);
            s.write("Vellum", "helpname", "No window has this title");
            s.write("Vellum", "back", back);
            s.write("Windows", "backt", "40");
            s.write("Windows", "backl", "70");
            s.trigger(command);
            ReturnIcon* icon = s.app->programs().returnIcon();
            ASSERT_EQ(icon != nullptr, back.isEmpty());
            program.waitForRuns(1);
            if (!icon)
                continue;
            EXPECT_TRUE(icon->isVisible());
            EXPECT_EQ(icon->width(), 60);
            EXPECT_EQ(icon->pos(), QPoint(70, 40));
            EXPECT_TRUE(icon->windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_EQ(icon->panel()->palette().color(QPalette::Window), QColor(0, 128, 128));
            s.trigger(command); // still the one window
            EXPECT_EQ(s.app->programs().returnIcon(), icon);
            program.waitForRuns(2);
        }
    }
}

TEST(ReturnIcon, ClosesByItsPictureOrGripAndRemembersWhereItWas) {
    enum class Act { ClickPicture, DoubleClickGrip, DragThenDoubleClick };
    for (const Act act : {Act::ClickPicture, Act::DoubleClickGrip, Act::DragThenDoubleClick}) {
        SCOPED_TRACE(static_cast<int>(act));
        Started s;
        s.runAndShow();
        const Recorder browser(s, "browser");
        s.write("Vellum", "browser", browser.path);
        s.trigger("Preview1");
        QPointer<ReturnIcon> icon = s.app->programs().returnIcon();
        ASSERT_TRUE(icon);
        icon->move(120, 45);
        QPoint expected(120, 45);
        ClickLabel* grip = icon->grip();
        const QPoint middle = grip->rect().center();
        if (act == Act::ClickPicture) {
            test::userClick(icon->picture());
        } else {
            if (act == Act::DragThenDoubleClick) {
                test::userDrag(grip, middle, middle + QPoint(30, 20));
                expected += QPoint(30, 20);
                EXPECT_EQ(icon->pos(), expected);
            }
            test::userDoubleClick(grip, middle);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(icon);
        EXPECT_EQ(s.read("Windows", "backt"), QString::number(expected.y()));
        EXPECT_EQ(s.read("Windows", "backl"), QString::number(expected.x()));
        browser.waitForRuns(1);
    }
}

TEST(HelperProgram, FirstUseClearsTheHelpersStartsItAndAsksForTheTitle) {
    Started s;
    s.runAndShow();
    const Recorder browser(s, "browser"), helper(s, "helper");
    s.write("Vellum", "browser", browser.path);
    s.write("Vellum", "helper", helper.path);
    s.trigger("Preview1");
    QPointer<ReturnIcon> oldIcon = s.app->programs().returnIcon();
    ASSERT_TRUE(oldIcon);
    oldIcon->move(300, 200);
    HelperRegistry& helpers = s.app->helpers();
    QPointer<QWidget> font = helpers.open("Font"), table = helpers.open("Table");
    QPointer<QWidget> document = helpers.open("Document");

    s.trigger("HelperApp1");
    EXPECT_FALSE(font);
    EXPECT_FALSE(table);
    EXPECT_TRUE(document); // not one of the floating helpers cleared away
    EXPECT_FALSE(oldIcon);
    for (const char* key : {"fontt", "tabt", "backt"})
        EXPECT_EQ(s.read("Windows", key), "") << key;
    EXPECT_TRUE(s.app->programs().returnIcon());
    ASSERT_TRUE(s.app->programs().titleDialog());
    EXPECT_TRUE(s.app->programs().titleDialog()->isVisible());
    EXPECT_EQ(helper.waitForRuns(1).size(), 1);
}

TEST(HelperTitleDialog, StoresTheTitleOrCancelsWithTheReturnIcon) {
    enum class Act { OkEmpty, Ok, Enter, Cancel, Escape };
    for (const Act act : {Act::OkEmpty, Act::Ok, Act::Enter, Act::Cancel, Act::Escape}) {
        SCOPED_TRACE(static_cast<int>(act));
        Started s;
        s.runAndShow();
        const Recorder helper(s, "helper");
        s.write("Vellum", "helper", helper.path);
        s.trigger("HelperApp1");
        QPointer<HelperTitleDialog> dialog = s.app->programs().titleDialog();
        QPointer<ReturnIcon> icon = s.app->programs().returnIcon();
        ASSERT_TRUE(dialog && icon);
        icon->move(123, 45);
        if (act != Act::OkEmpty)
            QTest::keyClicks(dialog->titleEdit(), "Sketch Pad");
        if (act == Act::OkEmpty || act == Act::Ok)
            test::userClick(dialog->okButton());
        if (act == Act::Enter)
            QTest::keyClick(dialog->titleEdit(), Qt::Key_Return);
        if (act == Act::Cancel)
            test::userClick(dialog->cancelButton());
        if (act == Act::Escape)
            QTest::keyClick(dialog->titleEdit(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool stored = act == Act::Ok || act == Act::Enter;
        const bool cancelled = act == Act::Cancel || act == Act::Escape;
        EXPECT_EQ(bool(dialog), act == Act::OkEmpty);
        EXPECT_EQ(s.read("Vellum", "helpname"), stored ? "Sketch Pad" : "");
        EXPECT_EQ(s.prompter.informed.size(), stored ? 1 : 0);
        EXPECT_EQ(bool(icon), !cancelled);
        EXPECT_EQ(s.read("Windows", "backt"), cancelled ? "45" : "");
        helper.waitForRuns(1);
    }
}

// Without a way to see other programs' windows (offscreen), no title matches, and the helper is
// started at every use.
TEST(HelperProgram, LaterUseSwitchesToTheTitledWindowOrStartsTheHelperAgain) {
    const QString shown =
        "VellumHTML test window " + QString::number(QCoreApplication::applicationPid());
    for (const QString& title : {shown, QString("No window has this title")}) {
        SCOPED_TRACE(title.toStdString());
        Started s;
        s.runAndShow();
        QWidget window;
        window.setWindowTitle(shown);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const Recorder helper(s, "helper");
        s.write("Vellum", "helper", helper.path);
        s.write("Vellum", "helpname", title);
        s.trigger("HelperApp1");
        s.trigger("HelperApp1");
        const bool found = canSeeDesktopWindows() && title == shown;
        EXPECT_EQ(helper.waitForRuns(found ? 0 : 2).size(), found ? 0 : 2);
        EXPECT_EQ(s.app->programs().titleDialog(), nullptr);
        if (found) {
            EXPECT_TRUE(waitUntil([&] { return window.isActiveWindow(); }));
        }
    }
}

TEST(DesktopWindows, FindsAWindowByItsExactTitleAndActivatesIt) {
    QWidget first, second;
    first.setWindowTitle("VellumHTML finder one");
    second.setWindowTitle("VellumHTML finder two");
    for (QWidget* window : {&first, &second}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    if (!canSeeDesktopWindows()) {
        EXPECT_EQ(findWindowByTitle("VellumHTML finder one"), 0u);
        EXPECT_FALSE(activateDesktopWindow(1));
        return;
    }
    EXPECT_EQ(findWindowByTitle("VellumHTML finder one"), first.winId());
    EXPECT_EQ(findWindowByTitle("VellumHTML finder"), 0u);
    second.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return second.isActiveWindow(); }));
    EXPECT_TRUE(activateDesktopWindow(findWindowByTitle("VellumHTML finder one")));
    EXPECT_TRUE(waitUntil([&] { return first.isActiveWindow(); }));
}

// A helper that is not a program is opened with the desktop's default application.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

TEST(HelperProgram, AFileThatIsNotAProgramOpensWithTheDefaultApplication) {
    Started s;
    s.runAndShow();
    OpenedUrls opened;
    QDesktopServices::setUrlHandler("file", &opened, "open");
    const QString notes = s.home.write("my notes.txt", "text");
    s.write("Vellum", "helper", notes);
    s.write("Vellum", "helpname", "No window has this title");
    s.trigger("HelperApp1");
    s.write("Vellum", "helper", s.home.file("gone"));
    s.trigger("HelperApp1");
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(notes)});
    EXPECT_EQ(s.prompter.errors, QStringList{s.home.file("gone") + " does not exist."});
}

} // namespace
} // namespace vellum

#include "program_commands_test.moc"
