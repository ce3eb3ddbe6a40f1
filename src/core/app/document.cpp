#include "core/app/document.h"

#include "core/app/save_rules.h"
#include "core/editor/insertion.h"

#include <utility>

namespace vellum {

TextControl& Document::text() const {
    return m_view->editor();
}

void Document::nameUntitled(int number) {
    m_caption = QStringLiteral("Untitled %1").arg(number);
    m_key = m_caption;
    m_untitled = true;
    if (m_view)
        m_view->showCaption(m_caption);
}

void Document::nameFile(const QString& path, PathStyle style) {
    m_caption = fileNamePart(path, style);
    m_key = pathIdentity(path, style);
    m_untitled = false;
    if (m_view)
        m_view->showCaption(m_caption);
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
