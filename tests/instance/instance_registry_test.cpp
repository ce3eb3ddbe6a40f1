#include "instance/runtime_folder.h"
#include "platform/app/instance_registry.h"

#include <QFileInfo>
#include <QLocalServer>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vellum {
namespace {

using test::modeOf;
using test::RuntimeFolder;
using Join = InstanceRegistry::Join;

// A socket file nobody listens on, as a killed instance leaves it.
void leaveStaleSocket(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof(address.sun_path) - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

TEST(InstanceRegistry, FolderFollowsTheRuntimeFolder) {
    EXPECT_EQ(InstanceRegistry::folderFor("/run/user/1000", 1000), "/run/user/1000/vellumhtml");
    EXPECT_EQ(InstanceRegistry::folderFor("/run/user/1000/", 1000), "/run/user/1000/vellumhtml");
    EXPECT_EQ(InstanceRegistry::folderFor("", 1000), "/tmp/vellumhtml-1000");
    EXPECT_EQ(InstanceRegistry::folderFor("run/user/7", 7), "/tmp/vellumhtml-7") << "relative";
}

TEST(InstanceRegistry, OnlyAPrivateFolderOfOurOwnIsUsed) {
    struct Row {
        const char* intent;
        const char* make; // d: a folder, f: a file, l: a link to a private folder, -: nothing
        unsigned mode;
        bool givenAway; // owned by another user (only root can make that)
        const char* problem;
    };
    const Row rows[] = {
        {"missing: made private", "-", 0, false, ""},
        {"private and ours", "d", 0700, false, ""},
        {"open to the group and others", "d", 0755, false, "open to other users"},
        {"open to the group only", "d", 0750, false, "open to other users"},
        {"closed to its owner", "d", 0500, false, "cannot be used by its owner"},
        {"a link to a private folder", "l", 0, false, "is not a folder"},
        {"a file", "f", 0, false, "is not a folder"},
        {"owned by another user", "d", 0700, true, "belongs to another user"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        if (row.givenAway && ::geteuid() != 0) {
            std::printf("[  SKIPPED ] %s: only root can give a folder away\n", row.intent);
            continue;
        }
        RuntimeFolder runtime;
        const QString folder = runtime.registry();
        const QByteArray name = QFile::encodeName(folder);
        bool made = true;
        if (*row.make == 'd')
            made = QDir().mkdir(folder) && ::chmod(name, row.mode) == 0;
        else if (*row.make == 'f')
            made = QFile(folder).open(QIODevice::WriteOnly);
        else if (*row.make == 'l')
            made = QDir().mkdir(folder + ".real") && QFile::link(folder + ".real", folder);
        ASSERT_TRUE(made && (!row.givenAway || ::chown(name, 65534, 65534) == 0));
        const unsigned modeBefore = modeOf(folder);

        const InstanceRegistry registry(folder);
        const InstanceRegistry::Admission admission = registry.admit(1, Join::WhenAllowed);
        EXPECT_EQ(admission.error.isEmpty(), *row.problem == '\0');
        EXPECT_TRUE(admission.error.contains(row.problem)) << admission.error.toStdString();
        EXPECT_EQ(admission.server != nullptr, *row.problem == '\0');
        EXPECT_EQ(modeOf(folder), *row.make == '-' ? 0700 : modeBefore) << "never repaired";
        EXPECT_EQ(runtime.sockets().size(), *row.problem ? 0 : 1) << "nothing made inside";
        ::chmod(name, 0700); // so that it can be removed
    }
}

TEST(InstanceRegistry, LiveInstancesInTheOrderTheyJoined) {
    RuntimeFolder runtime;
    const InstanceRegistry registry(runtime.registry());
    InstanceRegistry::Admission first = registry.admit(1, Join::WhenAllowed);
    ASSERT_TRUE(first.server) << first.error.toStdString();
    const QString firstSocket = first.server->fullServerName();
    EXPECT_EQ(modeOf(firstSocket) & 077, 0u) << "the socket is the user's alone";

    // A killed instance's socket, numbered after the first; and a file that is no instance.
    leaveStaleSocket(runtime.registry() + "/i00000007-1");
    ASSERT_TRUE(QFile(runtime.registry() + "/notes").open(QIODevice::WriteOnly));
    const InstanceRegistry::Admission second = registry.admit(1, Join::WhenAllowed);
    EXPECT_FALSE(second.server) << "one is allowed and one runs";
    EXPECT_EQ(second.others, QStringList{firstSocket});
    EXPECT_EQ(runtime.sockets().size(), 1) << "the stale socket is removed";
    EXPECT_TRUE(QFileInfo::exists(runtime.registry() + "/notes"));

    leaveStaleSocket(runtime.registry() + "/i00000009-1");
    const InstanceRegistry::Admission third = registry.admit(1, Join::Always);
    ASSERT_TRUE(third.server);
    const QString thirdSocket = third.server->fullServerName();
    EXPECT_TRUE(thirdSocket.contains("/i00000010-")) << "numbered after every socket seen";
    const InstanceRegistry::Admission fourth = registry.admit(3, Join::WhenAllowed);
    EXPECT_EQ(fourth.others, (QStringList{firstSocket, thirdSocket}));
    ASSERT_TRUE(fourth.server) << "three allowed, two running";

    first.server.reset(); // the first instance ends
    EXPECT_EQ(registry.admit(1, Join::WhenAllowed).others,
              (QStringList{thirdSocket, fourth.server->fullServerName()}));
}

} // namespace
} // namespace vellum
