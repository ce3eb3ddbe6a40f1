#include "support/file_size_limit.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/app/splash_window.h"
#include "ui/helpers/helper_frame.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

TEST(StartSequence, CommandLineFileIsHandedToTheMainWindow) {
    struct Row {
        const char* name;
        QStringList (*arguments)(const QString& home);
        bool exists;
    };
    const Row rows[] = {
        {"path with a space split in two arguments",
         [](const QString& home) {
             return QStringList{home + "/My", "Pages/index.htm"};
         },
         true},
        {"single argument",
         [](const QString& home) { return QStringList{home + "/My Pages/index.htm"}; }, true},
        {"name that does not exist",
         [](const QString& home) {
             return QStringList{home + "/nothing", "here.htm"};
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        const QString file = s.home.write("My Pages/index.htm", "<HTML>");
        const QStringList arguments = row.arguments(s.home.path());
        s.run(arguments);
        ASSERT_TRUE(s.app);
        EXPECT_EQ(s.sequence->commandLine(), arguments.join(' '));
        if (row.exists) {
            EXPECT_EQ(s.read("Vellum", "hello"), file);
            EXPECT_TRUE(s.prompter.informed.isEmpty());
        } else {
            EXPECT_EQ(s.read("Vellum", "hello"), "");
            EXPECT_EQ(s.prompter.informed,
                      QStringList{arguments.join(' ') + " could not be opened"});
        }
    }
}

TEST(StartSequence, FreshHomeGetsSettingsFoldersAndLibrary) {
    Started s;
    s.run({});
    ASSERT_TRUE(s.app);
    EXPECT_EQ(s.read("Vellum", "state"), "max");
    EXPECT_EQ(s.read("Vellum", "count"), "0");
    EXPECT_EQ(s.read("Vellum", "hello"), "");
    for (const char* dir : {"data", "template", "library"})
        EXPECT_TRUE(QFileInfo(s.home.file(dir)).isDir()) << dir;
    EXPECT_TRUE(QFileInfo::exists(s.home.file("library/library.dat")));
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML");
    EXPECT_EQ(s.app->status().dates()->text(),
              QLocale::system().dayName(QDate::currentDate().dayOfWeek()) + ", " +
                  QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

TEST(StartSequence, PreviousRunBookkeepingIsCleared) {
    Started s;
    s.home.write("vellumh.ini",
                 "[Roster]\r\n0=A\r\n[Ledger]\r\nA=0\r\n[CleanUp]\r\ncount=1\r\n1=x\r\n"
                 "[Vellum]\r\nstate=norm\r\ncount=7\r\n");
    s.run({});
    ASSERT_TRUE(s.app);
    EXPECT_EQ(s.home.read("vellumh.ini"), "[Vellum]\r\nstate=norm\r\ncount=0\r\n");
}

TEST(StartSequence, FolderThatCannotBeCreatedStopsTheStart) {
    Started s;
    s.home.write("template", "a file where a folder must go");
    s.run({});
    EXPECT_FALSE(s.app);
    ASSERT_EQ(s.prompter.errors.size(), 1);
    EXPECT_TRUE(s.prompter.errors[0].contains(s.home.file("template")))
        << s.prompter.errors[0].toStdString();
    EXPECT_TRUE(QFileInfo(s.home.file("data")).isDir());
    EXPECT_FALSE(QFileInfo(s.home.file("library")).exists());
}

TEST(MainWindow, FirstShowPlacement) {
    struct Row {
        const char* name;
        QByteArray settings;
        bool maximised;
    };
    const Row rows[] = {
        {"no settings: maximised", "", true},
        {"keep placement, was maximised",
         "[Windows]\nmain=t\nup=ok\nmt=40\nml=50\nmw=600\nmh=400\n", true},
        {"keep placement, was normal", "[Windows]\nmain=t\nup=\nmt=40\nml=50\nmw=600\nmh=400\n",
         false},
        {"placement not kept", "[Windows]\nmain=\nup=\nmt=40\nml=50\nmw=600\nmh=400\n", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        if (!row.settings.isEmpty())
            s.home.write("vellumh.ini", row.settings);
        s.run({});
        ASSERT_TRUE(s.app);
        EXPECT_TRUE(s.window()->isFirstShow());
        s.app->start();
        EXPECT_FALSE(s.window()->isFirstShow());
        EXPECT_EQ(s.window()->isMaximized(), row.maximised);
        if (!row.maximised) {
            EXPECT_EQ(s.window()->size(), QSize(600, 400));
            EXPECT_EQ(s.window()->pos(), QPoint(50, 40));
        }
    }
}

TEST(MainWindow, ExitWritesPlacementAndCleansUp) {
    enum class State { Normal, Maximised, Minimised };
    struct Row {
        const char* name;
        State state;
        const char* up;
        const char* width;
    };
    const Row rows[] = {
        {"normal window writes its geometry", State::Normal, "", "640"},
        {"maximised window says so", State::Maximised, "ok", nullptr},
        {"minimised window keeps the last placement", State::Minimised, "", "999"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.run({});
        ASSERT_TRUE(s.app);
        SettingsFile settings(s.home.settingsPath());
        settings.writeInt("Windows", "mw", 999);
        const QString kept = s.home.write("data/a.htm", "a");
        // Listed for clean-up, but not written by this run: the user's.
        const QString listed = s.home.write("y/_&temp.htm", "mine");
        settings.writeInt("CleanUp", "count", 2);
        settings.writeText("CleanUp", "1", listed);
        settings.writeText("CleanUp", "2", s.home.file("missing/_&temp.htm"));
        const QString browser = s.home.write("bin/browser", "#!/bin/sh\n");
        QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        settings.writeText("Vellum", "browser", browser);

        s.app->start();
        // The run's previews: the untitled document's in the data folder, then one beside a file.
        s.trigger("Preview1");
        s.open(s.home.write("x/page.htm", "c"));
        s.trigger("Preview1");
        const QString gone1 = s.home.file("data/_&temp.htm");
        const QString gone2 = s.home.file("x/_&temp.htm");
        ASSERT_TRUE(QFileInfo::exists(gone1) && QFileInfo::exists(gone2));
        if (row.state == State::Normal) {
            s.window()->showNormal();
            s.window()->resize(640, 480);
            s.window()->move(20, 30);
        } else if (row.state == State::Maximised) {
            s.window()->showMaximized();
        } else {
            s.window()->showMinimized();
        }
        s.app->help().showContents();
        EXPECT_TRUE(s.app->help().isOpen());
        EXPECT_TRUE(s.window()->close());

        EXPECT_EQ(s.read("Windows", "up"), row.up);
        if (row.width) {
            EXPECT_EQ(s.read("Windows", "mw"), row.width);
        }
        if (row.state == State::Normal) {
            EXPECT_EQ(s.read("Windows", "mh"), "480");
            EXPECT_EQ(s.read("Windows", "ml"), "20");
            EXPECT_EQ(s.read("Windows", "mt"), "30");
        }
        EXPECT_FALSE(QFileInfo::exists(gone1));
        EXPECT_FALSE(QFileInfo::exists(gone2));
        EXPECT_TRUE(QFileInfo::exists(kept));
        EXPECT_EQ(s.home.read("y/_&temp.htm"), "mine");
        EXPECT_FALSE(s.app->help().isOpen());
    }
}

// A settings write the system refuses is reported where the user's action entered the program,
// once, and nothing escapes into the event loop.
TEST(MainWindow, RefusedSettingsWriteIsReportedOnce) {
    struct Row {
        const char* name;
        std::function<void(Started&)> prepare, act;
    };
    const Row rows[] = {
        {"a command from the menus", [](Started&) {}, [](Started& s) { s.trigger("Tile1"); }},
        {"the user maximising a document", [](Started& s) { s.trigger("Tile1"); },
         [](Started& s) {
             // A double click on its caption.
             QMdiSubWindow* frame = s.active()->frame();
             test::userDoubleClick(frame, QPoint(frame->width() / 2, 5));
         }},
        {"a helper closing", [](Started& s) { s.app->helpers().open("Font"); },
         [](Started& s) {
             test::userClick(
                 s.app->helpers().find("Font")->findChild<QAbstractButton*>("CloseButton"));
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        row.prepare(s);
        const QByteArray before = s.home.read("vellumh.ini");
        {
            // No settings file this short can be written.
            const test::FileSizeLimit limit(16);
            ASSERT_TRUE(limit.active());
            s.prompter.errors.clear();
            row.act(s);
            QCoreApplication::processEvents();
        }
        ASSERT_EQ(s.prompter.errors.size(), 1);
        EXPECT_TRUE(s.prompter.errors[0].contains(s.home.settingsPath()))
            << s.prompter.errors[0].toStdString();
        EXPECT_EQ(s.home.read("vellumh.ini"), before);
    }
}

TEST(SplashWindow, IsTealAndClosesItselfAfterThreeSeconds) {
    QPointer<SplashWindow> splash = SplashWindow::showSplash();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash->grab().toImage().pixelColor(2, 2), QColor(0, 128, 128));
    QTest::qWait(SplashWindow::LifetimeMs - 500);
    EXPECT_TRUE(splash);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
}

} // namespace
} // namespace vellum
