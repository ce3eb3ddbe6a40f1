#include "instance/runtime_folder.h"
#include "support/started_main.h"
#include "ui/app/app_activation.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

TEST(AppActivation, RunningInstanceComesForwardAndOpensWhenNoDialogIsOpen) {
    Started s;
    const QString page = s.home.write("site/index.htm", "<p>hi</p>\n");
    s.runAndShow();
    AppActivation& activation = s.app->activation();
    s.window()->showMinimized();
    QCoreApplication::processEvents();
    QDialog dialog(s.window());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();

    activation.activate(page);
    EXPECT_FALSE(s.window()->isMinimized());
    EXPECT_TRUE(s.window()->windowState() & Qt::WindowMaximized) << "restored as it was";
    EXPECT_EQ(s.keys(), QStringList{"Untitled 1"}) << "no document behind a question";
    EXPECT_EQ(activation.waiting(), 1);
    dialog.hide();
    QTRY_COMPARE_WITH_TIMEOUT(s.keys(), (QStringList{"Untitled 1", page}), 5000);
    EXPECT_EQ(activation.waiting(), 0);

    // The window's activation reads the record; a file open already comes to the front.
    s.trigger("new2");
    s.write("Vellum", "hello", page);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(s.window(), &activate);
    QTRY_COMPARE_WITH_TIMEOUT(s.prompter.informed, QStringList{page + " is already open."}, 5000);
    EXPECT_EQ(s.active()->key(), page);
    EXPECT_EQ(s.tabBar()->currentIndex(), 1);
    EXPECT_EQ(s.read("Vellum", "hello"), "");
    // Its start's message arrives after the record was taken: nothing more happens.
    activation.activate(page);
    EXPECT_EQ(s.keys(), (QStringList{"Untitled 1", page, "Untitled 2"}));
    EXPECT_EQ(s.prompter.informed.size(), 1);
}

TEST(InstanceGuard, SecondStartHandsOverBeforeItsWindowExists) {
    for (const bool exists : {true, false}) {
        SCOPED_TRACE(exists ? "an existing file" : "a name that does not exist");
        test::RuntimeFolder runtime;
        Started first;
        first.sequence = std::make_unique<StartSequence>(HomeDirectory(first.home.path()),
                                                         first.prompter, first.clipboard);
        first.sequence->guardInstances(runtime.registry());
        first.app = first.sequence->run({}, false);
        ASSERT_TRUE(first.app);
        first.app->start();
        const QString page = first.home.file("My Pages/index.htm");
        if (exists)
            first.home.write("My Pages/index.htm", "<p>hi</p>\n");

        test::ScriptedPrompter prompter;
        MemoryClipboard clipboard;
        StartSequence second(HomeDirectory(first.home.path()), prompter, clipboard);
        second.guardInstances(runtime.registry());
        EXPECT_FALSE(second.run(page.split(' '), false));
        EXPECT_TRUE(second.handedOver());
        // Told at its start and again by the guard's handler.
        EXPECT_EQ(prompter.informed,
                  exists ? QStringList{} : QStringList(2, page + " could not be opened"));
        EXPECT_EQ(first.read("Roster", "0"), "Untitled 1") << "the first's run was not reset";
        const QStringList expected =
            exists ? QStringList{"Untitled 1", page} : QStringList{"Untitled 1"};
        QTRY_COMPARE_WITH_TIMEOUT(first.keys(), expected, 5000);
        EXPECT_EQ(first.read("Vellum", "hello"), "");
    }
}

} // namespace
} // namespace vellum
