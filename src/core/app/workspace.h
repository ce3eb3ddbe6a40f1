#pragma once

#include "core/editor/insertion.h"
#include "core/editor/text_buffer.h"
#include "core/foundation/path_style.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace vellum {

class Document;

/// The windows that show the documents: the document area of the main window, or plain text
/// buffers in tests. The workspace asks; the windows carry it out.
class DocumentWindows {
public:
    /// When the cover panel hides the switch to a new document window.
    enum class Cover { WhenTabbedArrangement, WhenActiveMaximised };

    virtual ~DocumentWindows() = default;
    /// Makes the window of a new document: maximised with the tab strip when the stored arrangement
    /// is tabbed, otherwise normal; it becomes the active window. `startsTransition`: the switch
    /// to it is counted from its start (New and Open).
    virtual DocumentView& createWindow(const std::shared_ptr<Document>& document,
                                       bool startsTransition) = 0;
    /// The new document is named and filled: its tab is added, the cover hidden, and its editor
    /// takes the saved font and the tab stops.
    virtual void windowReady(Document& document) = 0;
    /// The active window, or null when none is open.
    virtual DocumentView* activeWindow() const = 0;
    /// Makes a window the active one, in front of the others.
    virtual void bringForward(DocumentView& view) = 0;
    /// Shows a minimised window in its normal state again (nothing otherwise).
    virtual void restoreWindow(DocumentView& view) = 0;
    /// Closes a window; with `ask` its close question runs first. False when it stays open.
    virtual bool closeWindow(DocumentView& view, bool ask) = 0;
    /// The active document is known under a new key and caption: its tab follows.
    virtual void windowRenamed(Document& document, const QString& oldKey) = 0;
    virtual void showCover(Cover when) = 0;
    virtual void hideCover() = 0;
    /// Enables or disables the Save button.
    virtual void setSaveEnabled(bool enabled) = 0;
    /// A file's text was inserted into the document from `start` to the caret.
    virtual void textInserted(Document& document, int start) = 0;
    /// Shows or hides the "Please wait." window.
    virtual void showWait(bool shown) = 0;
};

/// The open documents: each one's record, in the order they were created, and what the program
/// shares between them (the scratch editor, the insertion slots, the Enter flag, the active key).
/// Every feature that needs the documents reaches them here, never through a window.
class Workspace : public InsertionContext {
public:
    explicit Workspace(DocumentWindows& windows);
    ~Workspace() override;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    DocumentWindows& windows() const { return m_windows; }

    /// The open documents in the order they were created.
    QList<Document*> documents() const;
    int count() const { return static_cast<int>(m_documents.size()); }
    /// The active document, or null when none is open.
    Document* active() const;
    /// The document with this key, or null.
    Document* find(const QString& key) const;
    /// The first open document whose key names the file `path` (the same file under another
    /// spelling included), or null.
    Document* findFile(const QString& path, PathStyle style) const;
    /// The document a window shows, or null.
    Document* of(const DocumentView& view) const;

    /// A new, unnamed document in a new active window (see DocumentWindows::createWindow).
    Document& create(bool startsTransition);
    /// Makes a document the active one.
    void bringForward(Document& document);
    /// Closes a document's window; with `ask` its close question runs first. False when it stays
    /// open.
    bool close(Document& document, bool ask = true);
    /// The document's window has closed: it is open no more.
    void remove(const Document& document);

    /// The key of the document last activated, created, opened or saved under a new name.
    const QString& activeKey() const { return m_activeKey; }
    void setActiveKey(const QString& key) { m_activeKey = key; }

    /// The hidden scratch editor, empty between operations.
    TextBuffer& storememo() { return m_storememo; }
    /// The one-shot flag of the Enter-bound commands.
    QString& enterFlag() { return m_enterFlag; }
    /// The insertion operations on the active document.
    Insertions& insertions() { return m_insertions; }

    // InsertionContext
    DocumentView* activeDocument() override;
    TextControl& scratch() override { return m_storememo; }
    InsertionSlots& insertionSlots() override { return m_slots; }

private:
    DocumentWindows& m_windows;
    std::vector<std::shared_ptr<Document>> m_documents;
    TextBuffer m_storememo;
    InsertionSlots m_slots;
    QString m_enterFlag;
    QString m_activeKey;
    Insertions m_insertions{*this};
};

} // namespace vellum
