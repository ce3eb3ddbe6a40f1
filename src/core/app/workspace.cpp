#include "core/app/workspace.h"

#include "core/app/document.h"
#include "core/app/save_rules.h"

#include <algorithm>

namespace vellum {

void WorkspaceListener::making(const DocumentRequest&) {}
void WorkspaceListener::made(Document*) {}
void WorkspaceListener::busyChanged(bool) {}

Workspace::Workspace(DocumentWindows& windows) : m_windows(windows) {}

Workspace::~Workspace() {
    // The windows may outlive the workspace and change their texts on the way out.
    for (const auto& document : m_documents)
        document->stopReporting();
}

QList<Document*> Workspace::documents() const {
    QList<Document*> out;
    out.reserve(count());
    for (const auto& document : m_documents)
        out << document.get();
    return out;
}

Document* Workspace::active() const {
    const DocumentView* view = m_windows.activeWindow();
    return view ? of(*view) : nullptr;
}

Document* Workspace::find(const QString& key) const {
    for (const auto& document : m_documents) {
        if (document->key() == key)
            return document.get();
    }
    return nullptr;
}

Document* Workspace::findFile(const QString& path, PathStyle style) const {
    for (const auto& document : m_documents) {
        if (document->isNamed() && !document->isUntitled() &&
            keyNamesPath(document->key(), path, style))
            return document.get();
    }
    return nullptr;
}

Document* Workspace::of(const DocumentView& view) const {
    for (const auto& document : m_documents) {
        if (document->view() == &view)
            return document.get();
    }
    return nullptr;
}

template <typename Call> void Workspace::tell(Call call) {
    // A copy: a listener may stop listening while it is told.
    const std::vector<WorkspaceListener*> listeners = m_listeners;
    for (WorkspaceListener* listener : listeners)
        call(*listener);
}

Document* Workspace::make(DocumentRequest request) {
    tell([&request](WorkspaceListener& listener) { listener.making(request); });
    if (request.prepare && !request.prepare(request)) {
        tell([](WorkspaceListener& listener) { listener.made(nullptr); });
        return nullptr;
    }
    // Listed before its window exists: the window may be activated while it is being made.
    auto made = std::make_shared<Document>();
    m_documents.push_back(made);
    for (WorkspaceListener* listener : m_listeners)
        made->addListener(*listener);
    Document& document = *made;
    DocumentView& view = m_windows.createWindow(made, request.startsTransition());
    document.attach(&view, view.editor());
    if (request.path.isEmpty())
        document.nameUntitled(request.number);
    else
        document.nameFile(request.path, request.style);
    if (request.file) {
        // The text goes in with the caret at its start and the view at its top: placing the
        // caret again would lay its paragraph out at the window's provisional width.
        document.load(std::move(*request.file));
    } else if (request.newText) {
        document.loadNew(*request.newText);
    }
    m_windows.windowReady(document);
    m_activeKey = document.key();
    document.text().setModified(request.modified);
    tell([&document](WorkspaceListener& listener) { listener.made(&document); });
    return &document;
}

void Workspace::addListener(WorkspaceListener& listener) {
    m_listeners.push_back(&listener);
    for (const auto& document : m_documents)
        document->addListener(listener);
}

void Workspace::removeListener(WorkspaceListener& listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener),
                      m_listeners.end());
    for (const auto& document : m_documents)
        document->removeListener(listener);
}

void Workspace::setBusy(bool busy) {
    tell([busy](WorkspaceListener& listener) { listener.busyChanged(busy); });
}

BusyScope::BusyScope(Workspace& workspace, bool needed)
    : m_workspace(needed ? &workspace : nullptr) {
    if (m_workspace)
        m_workspace->setBusy(true);
}

BusyScope::~BusyScope() {
    if (m_workspace)
        m_workspace->setBusy(false);
}

void Workspace::bringForward(Document& document) {
    if (document.view())
        m_windows.bringForward(*document.view());
}

bool Workspace::close(Document& document, bool ask) {
    return document.view() ? m_windows.closeWindow(*document.view(), ask) : false;
}

void Workspace::remove(Document& document) {
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [&document](const auto& open) { return open.get() == &document; });
    if (it == m_documents.end())
        return;
    document.reportClosing();
    // Its window may still change the text on the way out; nobody is told any more.
    document.stopReporting();
    m_documents.erase(it);
}

DocumentView* Workspace::activeDocument() {
    Document* document = active();
    return document ? document->view() : nullptr;
}

} // namespace vellum
