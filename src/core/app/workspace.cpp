#include "core/app/workspace.h"

#include "core/app/document.h"
#include "core/app/save_rules.h"

namespace vellum {

Workspace::Workspace(DocumentWindows& windows) : m_windows(windows) {}

Workspace::~Workspace() = default;

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

Document& Workspace::create(bool startsTransition) {
    // Listed before its window exists: the window may be activated while it is being made.
    auto document = std::make_shared<Document>();
    m_documents.push_back(document);
    document->attachView(&m_windows.createWindow(document, startsTransition));
    return *document;
}

void Workspace::bringForward(Document& document) {
    if (document.view())
        m_windows.bringForward(*document.view());
}

bool Workspace::close(Document& document, bool ask) {
    return document.view() ? m_windows.closeWindow(*document.view(), ask) : false;
}

void Workspace::remove(const Document& document) {
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it) {
        if (it->get() == &document) {
            m_documents.erase(it);
            return;
        }
    }
}

DocumentView* Workspace::activeDocument() {
    Document* document = active();
    return document ? document->view() : nullptr;
}

} // namespace vellum
