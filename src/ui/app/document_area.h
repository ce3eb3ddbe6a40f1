#pragma once

#include "core/app/workspace.h"
#include "ui/editor/document_host.h"

#include <QBrush>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QAction;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace vellum {

class Clipboard;
class CommandRegistry;
class DocumentFlows;
class EditorStyle;
class SettingsFile;
class StatusLine;
class TabStrip;
class DocumentWindow;
class WaitWindow;

/// The document area of the main window: the document windows, their arrangement (tabbed, tiled
/// or cascaded), the tab strip that follows them and the cover panel that hides a switch between
/// maximised documents until it has settled.
class DocumentArea : public QObject,
                     public DocumentWindows,
                     public DocumentHost,
                     public WorkspaceListener {
    Q_OBJECT
public:
    /// What the find windows are told by the documents.
    struct FindWindowHooks {
        /// The last open document is closing: the find windows close, with their close steps.
        std::function<void()> lastDocumentClosing;
        /// Escape was pressed in an editor: the Find Again window goes at once.
        std::function<void()> escapeInEditor;
    };

    /// How far a switch between maximised documents has come: the cover panel shows from the
    /// activation and hides once the new document has been activated, resized and activated again.
    enum class Switch { Settled = 0, Activated = 1, Resized = 2, ActivatedAgain = 3 };

    DocumentArea(QMainWindow& frame, StatusLine& status, SettingsFile& settings,
                 Clipboard& clipboard, EditorStyle& style);
    ~DocumentArea() override;

    /// Connects the area to what it serves; called once, before the first document.
    void attach(Workspace& workspace, DocumentFlows& flows, CommandRegistry& commands);
    /// Registers the arrangement commands.
    void registerCommands(CommandRegistry& commands);

    QMdiArea* area() const { return m_area; }
    QWidget* coverPanel() const { return m_cover; }
    TabStrip& tabs() { return *m_tabs; }

    /// The open document windows in the order they were created.
    QList<DocumentWindow*> documentWindows() const;
    /// The active document window, or null when none is open.
    DocumentWindow* activeDocument() const;
    /// The window showing `document`, or null when it has none here.
    DocumentWindow* windowOf(const Document& document) const;

    void Tabbed();
    void Tiled();
    void Cascaded();
    void settleCover();
    bool isTabbed() const;

    // DocumentWindows
    DocumentView& createWindow(const std::shared_ptr<Document>& document,
                               bool startsTransition) override;
    void windowReady(Document& document) override;
    DocumentView* activeWindow() const override;
    void bringForward(DocumentView& view) override;
    void restoreWindow(DocumentView& view) override;
    bool closeWindow(DocumentView& view, bool ask) override;
    void textInserted(Document& document, int start) override;

    // WorkspaceListener: the cover panel, the wait window, the Save button, the window captions
    // and the tabs follow the documents.
    void making(const DocumentRequest& request) override;
    void made(Document* document) override;
    void busyChanged(bool busy) override;
    void modifiedChanged(Document& document, bool modified) override;
    void textChanged(Document& document) override;
    void renamed(Document& document, const QString& oldKey) override;

    // DocumentHost
    void documentActivated(DocumentWindow& document) override;
    bool mayClose(DocumentWindow& document) override;
    void documentClosing(DocumentWindow& document) override;
    void documentMaximised(DocumentWindow& document) override;
    void documentUnmaximised(DocumentWindow& document) override;
    bool arrangingWindows() const override { return m_arranging > 0; }
    void documentResized(DocumentWindow& document) override;
    void showLine(int line) override;
    void escapeInEditor() override;
    bool autoIndentEnabled() override;
    Workspace& workspace() override { return *m_workspace; }
    CommandRegistry& commands() override { return *m_commands; }

    /// The Save button whose state follows the active document.
    void setSaveButton(QAction* msave) { m_msave = msave; }
    void setFindWindowHooks(FindWindowHooks hooks) { m_findHooks = std::move(hooks); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// While one lives, window-state changes are the program's own arranging, not user commands.
    class ArrangingScope;

    void showCoverNow();
    void hideCover();
    /// The Save button follows the active document's modified flag.
    void followModified(Document& document);
    void arrange(bool tile);
    void subWindowActivated(QMdiSubWindow* window);

    QMainWindow& m_frame;
    StatusLine& m_status;
    SettingsFile& m_settings;
    Clipboard& m_clipboard;
    EditorStyle& m_style;
    QMdiArea* m_area;
    QWidget* m_cover;
    TabStrip* m_tabs;
    QBrush m_workspaceBrush;
    QAction* m_msave = nullptr;
    Workspace* m_workspace = nullptr;
    DocumentFlows* m_flows = nullptr;
    CommandRegistry* m_commands = nullptr;
    Switch m_switch = Switch::Settled;
    int m_arranging = 0;
    /// The window that closes without its question (its answer was given already).
    DocumentView* m_closingUnasked = nullptr;
    QTimer m_diskCheck;
    QPointer<WaitWindow> m_wait;
    FindWindowHooks m_findHooks;
};

} // namespace vellum
