#pragma once

#include "core/app/tab_ledger.h"

#include <QObject>
#include <functional>

class QTabBar;

namespace vellum {

class SettingsFile;
class DocumentWindow;

/// The strip of document tabs and its bookkeeping in the settings: one tab per open document in
/// order of creation, the tab index mapped to the document key and back.
class TabStrip : public QObject {
    Q_OBJECT
public:
    /// `bringForward` makes a document the active one.
    TabStrip(QTabBar* bar, SettingsFile& settings,
             std::function<void(DocumentWindow&)> bringForward,
             std::function<QList<DocumentWindow*>()> documents, QObject* parent = nullptr);

    QTabBar* bar() const { return m_bar; }
    TabLedger& ledger() { return m_ledger; }

    int index() const;
    /// Selects a tab, which brings its document forward; the current index, or one outside the
    /// tabs, changes nothing.
    void setIndex(int index);

    /// Appends a tab for the newly created active document; `openCount` counts it.
    void addTab(const DocumentWindow& document, int openCount);
    /// Brings forward every document whose key the current tab records.
    void showTabDocuments();
    /// A document became active: its recorded tab becomes current.
    void documentActivated(const DocumentWindow& document);
    /// A document is closing while still open and active; `openCount` counts it.
    void mdiClosed(const DocumentWindow& document, int openCount, bool minimised);
    /// The document of the current tab was saved under a new key and caption.
    void renamed(const QString& oldKey, const QString& newKey, const QString& caption);

private:
    QTabBar* m_bar;
    TabLedger m_ledger;
    std::function<void(DocumentWindow&)> m_bringForward;
    std::function<QList<DocumentWindow*>()> m_documents;
};

} // namespace vellum
