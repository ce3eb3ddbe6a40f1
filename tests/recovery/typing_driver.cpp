// The program as the recovery process test drives it: the real start sequence and main window
// (single-instance guard and recovery offer included) open the page given, then text is typed
// into it line after line and saved every fifth line, until the process is killed.
//
//   typing_driver PAGE RUN
//
// Everything it does is told on standard output, one line each, written before the event loop
// runs again (so before any recovery write can hold the state it names):
//   offered N NAME...   the recovery dialog's documents (the answer is always: discard them all)
//   ready               the start is over
//   typed HASH          the document's text now (hash of its UTF-8, line breaks CR LF)
//   save HASH           a save begins; HASH is of the bytes it is to write
//   saved               the save is over
//   error TEXT / message TEXT / question TEXT   what the program said (questions answer No)
// The home and the instance registry come from VELLUMHTML_HOME and XDG_RUNTIME_DIR; the delay of
// the recovery writes from the settings key RecoveryDelay in the home's settings file.
#include "core/app/command_registry.h"
#include "core/app/hand_off.h"
#include "core/app/home_directory.h"
#include "core/foundation/clipboard.h"
#include "platform/app/instance_registry.h"
#include "ui/app/application.h"
#include "ui/app/document_area.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/recovery_dialog.h"
#include "ui/app/start_sequence.h"
#include "ui/editor/document_window.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

using namespace vellum;

// One write() per line: a line is in the pipe whole, or not at all, whenever the process dies.
void say(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    if (::write(STDOUT_FILENO, bytes.constData(), static_cast<size_t>(bytes.size())) < 0)
        std::perror("typing_driver");
}

QString hashOf(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

class TellingPrompter : public MessageBoxPrompter {
public:
    void inform(const QString& text) override { say("message " + oneLine(text)); }
    void error(const QString& text) override { say("error " + oneLine(text)); }
    bool askYesNo(const QString& text) override {
        say("question " + oneLine(text));
        return false;
    }
    Answer askYesNoCancel(const QString& text) override {
        say("question " + oneLine(text));
        return Answer::No;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QList<int>> chooseRecoveries(const QList<RecoveryChoice>& choices) override {
        QStringList names;
        for (const RecoveryChoice& choice : choices)
            names << (choice.path.isEmpty() ? choice.name : choice.path);
        say(QStringLiteral("offered %1 %2").arg(choices.size()).arg(names.join(' ')));
        return QList<int>{};
    }

private:
    static QString oneLine(QString text) { return text.replace('\n', ' '); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: typing_driver PAGE RUN\n");
        return 2;
    }
    const QString page = QString::fromLocal8Bit(argv[1]);
    const int run = QString::fromLatin1(argv[2]).toInt();
    TellingPrompter prompter;
    MemoryClipboard clipboard;
    StartSequence start(HomeDirectory::fromEnvironment(QCoreApplication::applicationDirPath()),
                        prompter, clipboard);
    start.guardInstances(InstanceRegistry::defaultFolder());
    std::unique_ptr<Application> program = start.run({page}, false);
    if (!program) {
        say(QStringLiteral("error no main window"));
        return 1;
    }
    prompter.setParent(&program->window());
    program->start(handOffFile(start.commandLine(), nativePathStyle()));
    DocumentWindow* document = program->documents().activeDocument();
    if (!document || document->key() != page) {
        say(QStringLiteral("error the page did not open"));
        return 1;
    }
    const auto typed = [document] { say("typed " + hashOf(document->control().text().toUtf8())); };
    typed();
    say(QStringLiteral("ready"));

    QRandomGenerator random(static_cast<quint32>(run));
    for (int line = 1;; ++line) {
        QTest::keyClicks(document->editorWidget(),
                         QStringLiteral("run %1 line %2").arg(run).arg(line));
        QTest::keyClick(document->editorWidget(), Qt::Key_Return);
        typed();
        if (line % 5 == 0) {
            // The page was read with LF breaks and is written back with them.
            const QString text = document->control().text().replace("\r\n", "\n");
            say("save " + hashOf(text.toUtf8()));
            program->commands().run(QStringLiteral("Save1"));
            say(QStringLiteral("saved"));
        }
        QTest::qWait(static_cast<int>(random.bounded(25)));
    }
}
