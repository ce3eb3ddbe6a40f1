#pragma once

#include "core/app/document.h"
#include "core/app/document_flows.h"
#include "core/app/home_directory.h"
#include "core/app/startup.h"
#include "core/app/workspace.h"
#include "core/foundation/clipboard.h"
#include "core/foundation/settings_file.h"
#include "support/buffer_document.h"
#include "support/scripted_prompter.h"
#include "support/temp_home.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace vellum::test {

/// Document windows made of text buffers. They record what the workspace asks of them, and follow
/// its events as the document area does: the Save button and the renamed tabs.
class BufferWindows : public DocumentWindows, public WorkspaceListener {
public:
    /// One window: a buffer document.
    struct Window : BufferDocument {
        std::shared_ptr<Document> document;
        bool ready = false;
        bool minimised = false;
    };

    DocumentView& createWindow(const std::shared_ptr<Document>& document,
                               bool startsTransition) override {
        windows.push_back(std::make_unique<Window>());
        Window& window = *windows.back();
        window.document = document;
        active = &window;
        transitions << startsTransition;
        return window;
    }
    void windowReady(Document& document) override { windowOf(document).ready = true; }
    DocumentView* activeWindow() const override { return active; }
    void bringForward(DocumentView& view) override { active = &view; }
    void restoreWindow(DocumentView& view) override {
        static_cast<Window&>(view).minimised = false;
    }
    bool closeWindow(DocumentView& view, bool ask) override {
        Window& window = static_cast<Window&>(view);
        if (ask && closeQuestion && !closeQuestion(*window.document))
            return false;
        closed << window.document->caption();
        std::shared_ptr<Document> document = window.document;
        if (workspace)
            workspace->remove(*document);
        if (active == &view)
            active = nullptr;
        return true;
    }
    void textInserted(Document&, int start) override { insertedFrom = start; }

    // WorkspaceListener
    void made(Document* document) override {
        if (document)
            saveEnabled = document->text().isModified();
    }
    void modifiedChanged(Document& document, bool modified) override {
        if (workspace && workspace->active() == &document)
            saveEnabled = modified;
    }
    void textChanged(Document& document) override {
        modifiedChanged(document, document.text().isModified());
    }
    void renamed(Document& document, const QString& oldKey) override {
        if (!oldKey.isEmpty())
            renames << oldKey + QStringLiteral(" -> ") + document.key();
    }

    Window& windowOf(const Document& document) {
        for (const auto& window : windows) {
            if (window->document.get() == &document)
                return *window;
        }
        return *windows.front();
    }

    Workspace* workspace = nullptr;
    /// The close question a window asks before it closes, when set.
    std::function<bool(Document&)> closeQuestion;
    std::vector<std::unique_ptr<Window>> windows;
    DocumentView* active = nullptr;
    QList<bool> transitions;
    QStringList closed, renames;
    bool saveEnabled = true;
    int insertedFrom = -1;
};

/// A workspace over buffer windows with the document flows, in a fresh home with its real
/// settings file, scripted answers and a clipboard of its own.
struct Desk {
    TempHome home;
    SettingsFile settings{home.settingsPath()};
    HomeDirectory directory{home.path()};
    CorePrompter prompter;
    MemoryClipboard clipboard;
    BufferWindows windows;
    Workspace workspace{windows};
    DocumentFlows flows{workspace, prompter, settings, directory, clipboard};

    Desk() {
        windows.workspace = &workspace;
        workspace.addListener(windows);
        windows.closeQuestion = [this](Document& document) { return flows.mayClose(document); };
        directory.createWorkingFolders();
        resetRunState(settings, directory);
    }
    QStringList captions() const {
        QStringList out;
        for (const Document* document : workspace.documents())
            out << document->caption();
        return out;
    }
};

} // namespace vellum::test
