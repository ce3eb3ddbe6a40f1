#include "core/app/document.h"

#include "core/app/save_rules.h"
#include "core/editor/insertion.h"

#include <algorithm>
#include <utility>

namespace vellum {

void DocumentListener::modifiedChanged(Document&, bool) {}
void DocumentListener::textChanged(Document&) {}
void DocumentListener::renamed(Document&, const QString&) {}
void DocumentListener::closing(Document&) {}

template <typename Call> void Document::tell(Call call) {
    // A copy: a listener may stop listening while it is told.
    const std::vector<DocumentListener*> listeners = m_listeners;
    for (DocumentListener* listener : listeners)
        call(*listener);
}

Document::~Document() {
    stopReporting();
}

void Document::attach(DocumentView* view, TextControl& text) {
    m_view = view;
    m_text = &text;
    m_reporting = true;
    text.setChangeHandler([this] {
        m_pristine = false;
        tell([this](DocumentListener& listener) { listener.textChanged(*this); });
    });
    text.setModifiedHandler([this](bool modified) {
        tell([this, modified](DocumentListener& listener) {
            listener.modifiedChanged(*this, modified);
        });
    });
}

void Document::addListener(DocumentListener& listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), &listener) == m_listeners.end())
        m_listeners.push_back(&listener);
}

void Document::removeListener(DocumentListener& listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener),
                      m_listeners.end());
}

void Document::stopReporting() {
    m_listeners.clear();
    // Once only: the text store may be gone by the time the document goes.
    if (m_text && m_reporting) {
        m_text->setChangeHandler(nullptr);
        m_text->setModifiedHandler(nullptr);
    }
    m_reporting = false;
}

void Document::reportClosing() {
    tell([this](DocumentListener& listener) { listener.closing(*this); });
}

void Document::renamedFrom(const QString& oldKey) {
    tell([this, &oldKey](DocumentListener& listener) { listener.renamed(*this, oldKey); });
}

void Document::nameUntitled(int number) {
    const QString oldKey = m_key;
    m_caption = QStringLiteral("Untitled %1").arg(number);
    m_key = m_caption;
    m_untitled = true;
    renamedFrom(oldKey);
}

void Document::nameFile(const QString& path, PathStyle style) {
    const QString oldKey = m_key;
    m_caption = fileNamePart(path, style);
    m_key = pathIdentity(path, style);
    m_untitled = false;
    renamedFrom(oldKey);
}

void Document::load(LoadedDocument&& loaded) {
    text().takeText(std::move(loaded.text));
    m_format = loaded.format;
    m_original = loaded.original;
    m_stamp = loaded.stamp;
    m_declined = DiskStamp{};
    m_pristine = true;
}

void Document::loadNew(const QString& newText) {
    text().setText(newText);
    m_format = FileFormat{};
    m_original.clear();
    m_stamp = DiskStamp{};
    m_declined = DiskStamp{};
    m_pristine = true;
}

QByteArray Document::bytesToSave(bool* switched) {
    // A file with mixed line breaks that was not edited is written back exactly as it was read.
    if (m_pristine && !m_original.isEmpty()) {
        *switched = false;
        return m_original;
    }
    return encodeDocument(text().text(), m_format, switched);
}

} // namespace vellum
