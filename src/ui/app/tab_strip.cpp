#include "ui/app/tab_strip.h"

#include "ui/editor/document_window.h"

#include <QSignalBlocker>
#include <QTabBar>

namespace vellum {

TabStrip::TabStrip(QTabBar* bar, SettingsFile& settings,
                   std::function<void(DocumentWindow&)> bringForward,
                   std::function<QList<DocumentWindow*>()> documents, QObject* parent)
    : QObject(parent), m_bar(bar), m_ledger(settings), m_bringForward(std::move(bringForward)),
      m_documents(std::move(documents)) {
    connect(m_bar, &QTabBar::currentChanged, this, [this](int) { showTabDocuments(); });
}

int TabStrip::index() const {
    return m_bar->currentIndex();
}

void TabStrip::setIndex(int index) {
    // A stale or unknown key can record an index no tab has; selecting nothing is the safe answer.
    if (index < 0 || index >= m_bar->count() || index == m_bar->currentIndex())
        return;
    m_bar->setCurrentIndex(index);
}

void TabStrip::addTab(const DocumentWindow& document, int openCount) {
    {
        const QSignalBlocker quiet(m_bar);
        m_bar->addTab(document.caption());
    }
    m_ledger.add(openCount - 1, document.key());
    setIndex(openCount - 1);
}

void TabStrip::showTabDocuments() {
    const int current = m_bar->currentIndex();
    if (current < 0)
        return;
    const QString key = m_ledger.keyAt(current);
    for (DocumentWindow* document : m_documents()) {
        if (document->key() == key)
            m_bringForward(*document);
    }
}

void TabStrip::documentActivated(const DocumentWindow& document) {
    setIndex(m_ledger.indexOf(document.key()));
}

void TabStrip::mdiClosed(const DocumentWindow& document, int openCount, bool minimised) {
    if (minimised)
        setIndex(m_ledger.indexOf(document.key()));
    const int n = m_bar->currentIndex();
    {
        // The closing document's own activation steps must not run on a half-updated strip.
        const QSignalBlocker quiet(m_bar);
        if (n >= 0)
            m_bar->removeTab(n);
    }
    if (n >= 0)
        m_ledger.close(n, document.key(), openCount);
}

void TabStrip::renamed(const QString& oldKey, const QString& newKey, const QString& caption) {
    const int n = m_bar->currentIndex();
    if (n < 0)
        return;
    m_ledger.rename(n, oldKey, newKey);
    m_bar->setTabText(n, caption);
}

} // namespace vellum
