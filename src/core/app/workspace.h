#pragma once

#include "core/app/document.h"
#include "core/app/document_file.h"
#include "core/editor/insertion.h"
#include "core/editor/text_buffer.h"
#include "core/foundation/path_style.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellum {

/// What the workspace is asked to make: where the new document comes from, its name and its text.
struct DocumentRequest {
    /// The command the document comes from: New (a template or a handed-over file), a plain
    /// untitled document, Open, or a recovered text.
    enum class Origin { New, Clean, Open, Recovered };
    Origin origin = Origin::New;
    /// The file the document is named after; empty: an untitled document numbered `number`.
    QString path;
    int number = 0;
    PathStyle style = nativePathStyle();
    /// The text as read from a file, kept in that file's format; the caret goes to the start.
    std::optional<LoadedDocument> file;
    /// Otherwise a new text, to be stored as UTF-8 with LF breaks; neither: the text is empty.
    std::optional<QString> newText;
    /// The modified flag the new document starts with.
    bool modified = false;
    /// Runs after the making is announced and before a window exists; it may fill the request in.
    /// False: nothing is made.
    std::function<bool(DocumentRequest&)> prepare;

    /// Whether the switch to the new window is counted from its start (all but Clean).
    bool startsTransition() const { return origin != Origin::Clean; }
};

/// What the workspace tells those who listen: what every document tells (see DocumentListener),
/// and the making of documents and long operations.
class WorkspaceListener : public DocumentListener {
public:
    /// A document is about to be made.
    virtual void making(const DocumentRequest& request);
    /// The making is over: `document` is the new document, named, filled and active; null when
    /// nothing was made.
    virtual void made(Document* document);
    /// A long operation started (`busy`) or ended.
    virtual void busyChanged(bool busy);
};

/// The windows that show the documents: the document area of the main window, or plain text
/// buffers in tests. The workspace asks; the windows carry it out.
class DocumentWindows {
public:
    virtual ~DocumentWindows() = default;
    /// Makes the window of a new document: maximised with the tab strip when the stored arrangement
    /// is tabbed, otherwise normal; it becomes the active window. `startsTransition`: the switch
    /// to it is counted from its start (New and Open).
    virtual DocumentView& createWindow(const std::shared_ptr<Document>& document,
                                       bool startsTransition) = 0;
    /// The new document is named and filled: its tab is added, and its editor takes the saved font
    /// and the tab stops.
    virtual void windowReady(Document& document) = 0;
    /// The active window, or null when none is open.
    virtual DocumentView* activeWindow() const = 0;
    /// Makes a window the active one, in front of the others.
    virtual void bringForward(DocumentView& view) = 0;
    /// Shows a minimised window in its normal state again (nothing otherwise).
    virtual void restoreWindow(DocumentView& view) = 0;
    /// Closes a window; with `ask` its close question runs first. False when it stays open.
    virtual bool closeWindow(DocumentView& view, bool ask) = 0;
    /// A file's text was inserted into the document from `start` to the caret.
    virtual void textInserted(Document& document, int start) = 0;
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

    /// Makes a document as `request` says: announces it to the listeners, runs its preparation,
    /// then a new active window (see DocumentWindows::createWindow) holds the named, filled
    /// document with the modified flag asked for. Returns it; null when the preparation said no.
    Document* make(DocumentRequest request);
    /// Makes a document the active one.
    void bringForward(Document& document);
    /// Closes a document's window; with `ask` its close question runs first. False when it stays
    /// open.
    bool close(Document& document, bool ask = true);
    /// The document's window is closing: the listeners are told, and it is open no more.
    void remove(Document& document);

    /// `listener` is told of every document's changes and of the workspace's own events until it
    /// is removed.
    void addListener(WorkspaceListener& listener);
    void removeListener(WorkspaceListener& listener);
    /// Tells the listeners a long operation starts (`busy`) or has ended.
    void setBusy(bool busy);

    /// The key of the document last activated, created, opened or saved under a new name.
    const QString& activeKey() const { return m_activeKey; }
    void setActiveKey(const QString& key) { m_activeKey = key; }

    /// The hidden scratch editor, empty between operations.
    TextBuffer& scratchBuffer() { return m_scratch; }
    /// The one-shot flag of the Enter-bound commands.
    QString& enterFlag() { return m_enterFlag; }
    /// The insertion operations on the active document.
    Insertions& insertions() { return m_insertions; }

    // InsertionContext
    DocumentView* activeDocument() override;
    TextControl& scratch() override { return m_scratch; }
    InsertionSlots& insertionSlots() override { return m_slots; }

private:
    template <typename Call> void tell(Call call);

    DocumentWindows& m_windows;
    std::vector<WorkspaceListener*> m_listeners;
    std::vector<std::shared_ptr<Document>> m_documents;
    TextBuffer m_scratch;
    InsertionSlots m_slots;
    QString m_enterFlag;
    QString m_activeKey;
    Insertions m_insertions{*this};
};

/// Tells the workspace's listeners a long operation is under way while it lives, when `needed`.
class BusyScope {
public:
    BusyScope(Workspace& workspace, bool needed);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Workspace* m_workspace;
};

} // namespace vellum
