#include "core/app/hand_off.h"
#include "support/buffer_workspace.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Desk;

TEST(HandOff, FileOfTheCommandLine) {
    Desk desk;
    const QString page = desk.home.write("My Pages/index.htm", "<p>");
    EXPECT_EQ(handOffFile(page, PathStyle::Posix), page);
    EXPECT_EQ(handOffFile(page, PathStyle::Windows), page.toUpper());
    EXPECT_EQ(handOffFile(page + ".gone", PathStyle::Posix), "");
    EXPECT_EQ(handOffFile(desk.home.file("My Pages"), PathStyle::Posix), "") << "a folder";
    EXPECT_EQ(handOffFile("", PathStyle::Posix), "");
}

TEST(HandOff, EveryHandedOverFileOpensOnce) {
    // Steps, with a file letter (a, b: pages under the home; g: a name that does not exist):
    // w:X a later start records X in "hello"; act the activation check; m:X a start's message
    // handing over X (m: none); o:X the user opens X; n a new untitled document; t:S S seconds
    // pass.
    struct Row {
        const char* intent;
        const char* steps;
        const char* captions;
        const char* told; // letters of the files said to be open already
        const char* active;
    };
    const Row rows[] = {
        {"nothing recorded: the check does nothing", "act", "", "", ""},
        {"a recorded file opens once", "w:a act act", "a.htm", "", "a.htm"},
        {"a recorded file open already comes forward", "o:a n w:a act", "a.htm|Untitled 1", "a",
         "a.htm"},
        {"a message opens its file", "w:a m:a", "a.htm", "", "a.htm"},
        {"the check took it first: the message only confirms", "w:a act m:a", "a.htm", "", "a.htm"},
        {"record overwritten: each message opens its own file", "w:a w:b m:a m:b", "a.htm|b.htm",
         "", "b.htm"},
        {"the check takes the last writer's file", "w:a w:b act m:a m:b", "b.htm|a.htm", "",
         "a.htm"},
        {"a message for an open file brings it forward", "o:a n m:a", "a.htm|Untitled 1", "a",
         "a.htm"},
        {"the same file from two starts", "w:a m:a w:a m:a", "a.htm", "a", "a.htm"},
        {"the same file twice from the record", "w:a act w:a act m:a m:a", "a.htm", "a", "a.htm"},
        {"a file taken from the record is forgotten after a while", "w:a act t:31 m:a", "a.htm",
         "a", "a.htm"},
        {"a message without a file opens nothing", "o:a m:", "a.htm", "", "a.htm"},
        {"a file that is gone: an untitled document", "m:g", "Untitled 1", "", "Untitled 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        qint64 now = 0;
        HandOffInbox inbox(
            desk.workspace, desk.settings, desk.prompter,
            [&](const QString& file) { desk.flows.newDocument(QString(), file); }, PathStyle::Posix,
            [&] { return now; });
        const auto file = [&](QChar letter) {
            return letter == 'g' ? desk.home.file("gone.htm")
                                 : desk.home.write(QString(letter) + ".htm", "<p>");
        };
        for (const QString& step : QString(row.steps).split(' ')) {
            const QChar letter = step.size() > 2 ? step.at(2) : QChar();
            if (step.startsWith("w:"))
                desk.settings.writeText("Vellum", "hello", file(letter));
            else if (step == "act")
                inbox.checkHandOff();
            else if (step.startsWith("m:"))
                inbox.received(letter.isNull() ? QString() : file(letter));
            else if (step.startsWith("o:"))
                desk.flows.openFile(file(letter));
            else if (step == "n")
                desk.flows.newPlainDocument();
            else
                now += step.mid(2).toLongLong() * 1000;
        }
        EXPECT_EQ(desk.captions().join('|'), QString(row.captions));
        QStringList told;
        for (const char* letter = row.told; *letter; ++letter)
            told << desk.home.file(QString(*letter) + ".htm") + " is already open.";
        EXPECT_EQ(desk.prompter.informed, told);
        const Document* active = desk.workspace.active();
        EXPECT_EQ(active ? active->caption() : QString(), QString(row.active));
        EXPECT_EQ(desk.settings.readText("Vellum", "hello"), "") << "the record ends empty";
    }
}

} // namespace
} // namespace vellum
