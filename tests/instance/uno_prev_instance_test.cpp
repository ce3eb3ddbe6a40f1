#include "instance/runtime_folder.h"
#include "platform/app/single_instance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vellum {
namespace {

using test::RuntimeFolder;
using Action = TUnoFoundAction;

/// One start's guard in the test process: what its handler was told, and which starts' hand-offs
/// reached it once it runs.
struct Start {
    Start(const RuntimeFolder& runtime, const QString& name) : guard(runtime.registry()) {
        guard.setOrigin(name + ".ini");
        guard.setOnAllowedInstancesExceeded(
            [this, name](QObject* sender, int count, Action& action) {
                EXPECT_EQ(sender, &guard);
                told.push_back({count, action});
                guard.setHandOff({name + ".htm"});
                action = changeTo.value_or(action);
            });
        QObject::connect(
            &guard, &SingleInstance::activated,
            [this](const QString& origin, const QString& file) { reached << origin + " " + file; });
    }
    void check() {
        guard.CheckPrevInstances();
        if (!guard.quitRequested())
            guard.acceptActivations();
    }

    SingleInstance guard;
    std::optional<Action> changeTo;
    std::vector<std::pair<int, Action>> told;
    QStringList reached;
};

TEST(UnoPrevInstance, FoundActionDecidesWhatASecondStartDoes) {
    static_assert(sizeof(Action) == 1 && static_cast<int>(Action::unofaNone) == 3, "one byte");
    struct Row {
        const char* intent;
        std::optional<Action> action; // none: the default
        std::optional<Action> handlerChoice;
        bool quits;
        bool activates;
    };
    const Row rows[] = {
        {"by default: restore and quit", {}, {}, true, true},
        {"restore: keeps running", Action::unofaRestore, {}, false, true},
        {"quit: the other is not touched", Action::unofaQuit, {}, true, false},
        {"none", Action::unofaNone, {}, false, false},
        {"the handler's choice counts and stays", {}, Action::unofaQuit, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        RuntimeFolder runtime;
        Start first(runtime, "first");
        first.check();
        EXPECT_TRUE(first.guard.isRegistered());
        EXPECT_EQ(first.guard.instanceCount(), 1);
        EXPECT_TRUE(first.told.empty()) << "within the allowed number";

        Start second(runtime, "second");
        EXPECT_EQ(second.guard.AllowedInstances(), 1);
        if (row.action)
            second.guard.setFoundAction(*row.action);
        const Action before = second.guard.FoundAction();
        second.changeTo = row.handlerChoice;
        second.check();
        ASSERT_EQ(second.told.size(), 1u);
        EXPECT_EQ(second.told[0], std::make_pair(2, before));
        EXPECT_EQ(second.guard.FoundAction(), row.handlerChoice.value_or(before));
        EXPECT_EQ(second.guard.quitRequested(), row.quits);
        EXPECT_EQ(second.guard.isRegistered(), !row.quits) << "one that keeps running joins";
        EXPECT_EQ(first.reached,
                  row.activates ? QStringList{"second.ini second.htm"} : QStringList{});
    }
}

TEST(UnoPrevInstance, AllowedInstancesTwoLetsASecondRun) {
    RuntimeFolder runtime;
    Start first(runtime, "first"), second(runtime, "second"), third(runtime, "third");
    first.check();
    second.guard.setAllowedInstances(2);
    second.check();
    EXPECT_FALSE(second.guard.quitRequested());
    EXPECT_EQ(second.guard.instanceCount(), 2);
    EXPECT_TRUE(second.told.empty());

    third.guard.setAllowedInstances(2);
    third.check();
    EXPECT_TRUE(third.guard.quitRequested());
    ASSERT_EQ(third.told.size(), 1u);
    EXPECT_EQ(third.told[0].first, 3);
    // The newest of the others is the one brought forward.
    EXPECT_EQ(first.reached, QStringList{});
    EXPECT_EQ(second.reached, QStringList{"third.ini third.htm"});
}

TEST(UnoPrevInstance, MessagesWaitUntilTheInstanceAcceptsThem) {
    RuntimeFolder runtime;
    Start first(runtime, "first");
    first.guard.CheckPrevInstances();
    // Its window is still being made while the second start waits for an answer.
    QTimer::singleShot(300, [&] {
        EXPECT_TRUE(first.reached.isEmpty());
        first.guard.acceptActivations();
    });
    Start second(runtime, "second");
    second.check();
    EXPECT_TRUE(second.guard.quitRequested());
    EXPECT_EQ(first.reached, QStringList{"second.ini second.htm"});
}

TEST(UnoPrevInstance, AStartWhoseInstanceEndsMeanwhileTakesItsPlace) {
    RuntimeFolder runtime;
    ASSERT_EQ(InstanceRegistry(runtime.registry()).prepare(), std::nullopt);
    // An instance that ends as the message reaches it, without answering.
    QLocalServer dying;
    ASSERT_TRUE(dying.listen(runtime.registry() + "/i00000001-1"));
    QObject::connect(&dying, &QLocalServer::newConnection, [&] {
        while (QLocalSocket* socket = dying.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, [&dying, socket] {
                dying.close();
                socket->abort();
            });
        }
    });
    Start second(runtime, "second");
    second.check();
    EXPECT_FALSE(second.guard.quitRequested()) << "its file would be lost";
    EXPECT_TRUE(second.guard.isRegistered());
    EXPECT_EQ(second.guard.instanceCount(), 1);
    EXPECT_EQ(second.told.size(), 1u) << "the handler ran once, for the first look";
}

TEST(UnoPrevInstance, StrayDataIsRefusedAndWithdrawnInstancesAreNotCounted) {
    RuntimeFolder runtime;
    Start first(runtime, "first");
    first.check();
    for (const QByteArray& stray :
         {QByteArray("not a message"), QByteArray("VHA1\xff\xff\xff\xff")}) {
        QLocalSocket out;
        out.connectToServer(runtime.registry() + "/" + runtime.sockets().value(0));
        ASSERT_TRUE(out.waitForConnected(3000));
        out.write(stray);
        // Refused: closed without an answer.
        for (QDeadlineTimer patience(10000);
             out.state() == QLocalSocket::ConnectedState && !patience.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_NE(out.state(), QLocalSocket::ConnectedState);
        EXPECT_EQ(out.bytesAvailable(), 0);
    }
    EXPECT_TRUE(first.reached.isEmpty());
    first.guard.withdraw();
    EXPECT_FALSE(first.guard.isRegistered());
    Start second(runtime, "second");
    second.check();
    EXPECT_FALSE(second.guard.quitRequested());
}

} // namespace
} // namespace vellum
