#include "core/app/recovery_documents.h"
#include "support/buffer_workspace.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::Desk;

// Writes down what the workspace and its documents report, in order; a run of text changes of
// one document counts once.
class Recorder : public WorkspaceListener {
public:
    void making(const DocumentRequest& request) override {
        static const char* const origins[] = {"New", "Clean", "Open", "Recovered"};
        note(QStringLiteral("making ") + origins[static_cast<int>(request.origin)]);
    }
    void made(Document* document) override {
        note(document ? QStringLiteral("made ") + document->caption()
                      : QStringLiteral("made nothing"));
    }
    void busyChanged(bool busy) override { note(busy ? "busy" : "idle"); }
    void modifiedChanged(Document& document, bool modified) override {
        note(document.caption() + (modified ? " modified" : " unmodified"));
    }
    void textChanged(Document& document) override {
        const QString entry = document.caption() + " changed";
        if (events.isEmpty() || events.last() != entry)
            note(entry);
    }
    void renamed(Document& document, const QString& oldKey) override {
        note(QFileInfo(oldKey).fileName() + " -> " + document.caption());
    }
    void closing(Document& document) override { note("closing " + document.caption()); }

    QStringList events;

private:
    void note(const QString& event) { events << event; }
};

QString bigFile(Desk& desk) {
    return desk.home.write("big.htm", QByteArray(DocumentFlows::OpenWaitBytes + 1, 'x'));
}

// Each document reports its changes, and the workspace the making of documents, to whoever
// listens; the windows (the Save button, the cover, the wait window, the tabs) and recovery follow
// these reports only.
TEST(DocumentEvents, DocumentsAndTheWorkspaceReportTheirChanges) {
    struct Row {
        const char* name;
        std::function<void(Desk&)> before; // not recorded
        std::function<void(Desk&)> act;
        QStringList events;
    };
    const Row rows[] = {
        {"a new document is announced, named and made unmodified",
         {},
         [](Desk& desk) { desk.flows.newPlainDocument(); },
         {"making Clean", " -> Untitled 1", "made Untitled 1"}},
        {"typing changes the text and makes the document modified",
         [](Desk& desk) { desk.flows.newPlainDocument(); },
         [](Desk& desk) { desk.workspace.active()->text().replaceSelection("x"); },
         {"Untitled 1 modified", "Untitled 1 changed"}},
        {"saving under a name renames the document and leaves it unmodified",
         [](Desk& desk) {
             desk.flows.newPlainDocument();
             desk.workspace.active()->text().replaceSelection("x");
             desk.prompter.saveNames.push_back(desk.home.file("page.htm"));
         },
         [](Desk& desk) { desk.flows.SavesAs(*desk.workspace.active()); },
         {"Untitled 1 unmodified", "Untitled 1 -> page.htm"}},
        {"a file open already makes nothing, after the message",
         [](Desk& desk) { desk.flows.openFile(desk.home.write("page.htm", "<p>")); },
         [](Desk& desk) { desk.flows.openFile(desk.home.file("page.htm")); },
         {"making Open", "made nothing"}},
        {"a large file is read while the workspace is busy",
         {},
         [](Desk& desk) { desk.flows.openFile(bigFile(desk)); },
         {"making Open", "busy", "idle", " -> big.htm", "big.htm changed", "made big.htm"}},
        {"a file that cannot be read makes nothing",
         {},
         [](Desk& desk) { desk.flows.openFile(desk.home.file("gone.htm")); },
         {"making Open", "made nothing"}},
        {"a recovered text comes back modified",
         {},
         [](Desk& desk) {
             RecoveryRecord record;
             record.untitled = true;
             record.name = "Untitled 7";
             record.text = "<p>kept</p>";
             reopenRecovered(desk.workspace, desk.settings, desk.prompter, record);
         },
         {"making Recovered", " -> Untitled 1", "Untitled 1 changed", "Untitled 1 modified",
          "made Untitled 1"}},
        {"closing is reported while the document is still listed",
         [](Desk& desk) { desk.flows.newPlainDocument(); },
         [](Desk& desk) { desk.workspace.close(*desk.workspace.active()); },
         {"closing Untitled 1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Desk desk;
        if (row.before)
            row.before(desk);
        Recorder recorder;
        desk.workspace.addListener(recorder);
        row.act(desk);
        EXPECT_EQ(recorder.events, row.events);
        desk.workspace.removeListener(recorder);
    }
}

} // namespace
} // namespace vellum
