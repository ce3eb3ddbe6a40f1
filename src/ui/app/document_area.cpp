#include "ui/app/document_area.h"

#include "core/app/arrangement.h"
#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/document_flows.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "ui/app/status_line.h"
#include "ui/app/tab_strip.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_style.h"
#include "ui/foundation/wait_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>

namespace vellum {

namespace V = keys::Vellum;

namespace {

/// The white panel that covers the document area while a maximised document is being switched.
class CoverPanel : public QLabel {
public:
    CoverPanel(QWidget* parent, std::function<void()> clicked)
        : QLabel(parent), m_clicked(std::move(clicked)) {
        setObjectName(QStringLiteral("switchpanel"));
        setText(QStringLiteral("click me to clear"));
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, Qt::gray);
        setPalette(p);
        hide();
    }

protected:
    void mousePressEvent(QMouseEvent*) override { m_clicked(); }

private:
    std::function<void()> m_clicked;
};

QMdiSubWindow* frameOf(DocumentView& view) {
    auto* window = dynamic_cast<DocumentWindow*>(&view);
    return window ? window->frame() : nullptr;
}

} // namespace

class DocumentArea::ArrangingScope {
public:
    explicit ArrangingScope(DocumentArea& area) : m_area(area) { ++m_area.m_arranging; }
    ~ArrangingScope() { --m_area.m_arranging; }
    ArrangingScope(const ArrangingScope&) = delete;
    ArrangingScope& operator=(const ArrangingScope&) = delete;

private:
    DocumentArea& m_area;
};

DocumentArea::DocumentArea(QMainWindow& frame, StatusLine& status, SettingsFile& settings,
                           Clipboard& clipboard, EditorStyle& style)
    : QObject(&frame), m_frame(frame), m_status(status), m_settings(settings),
      m_clipboard(clipboard), m_style(style), m_area(new QMdiArea(&frame)) {
    frame.setCentralWidget(m_area);
    m_workspaceBrush = m_area->background();
    m_cover = new CoverPanel(m_area, [this] { settleCover(); });
    m_area->installEventFilter(this);
    connect(m_area, &QMdiArea::subWindowActivated, this, &DocumentArea::subWindowActivated);
    m_tabs = new TabStrip(
        status.tabBar(), settings, [this](DocumentWindow& document) { bringForward(document); },
        [this] { return documentWindows(); }, this);
    // A file changed by another program is noticed when its document comes forward, once the
    // activation is over.
    m_diskCheck.setSingleShot(true);
    m_diskCheck.setInterval(0);
    connect(&m_diskCheck, &QTimer::timeout, this, [this] {
        if (Document* document = m_workspace->active())
            m_commands->guard([&] { m_flows->checkDisk(*document); });
    });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && m_workspace)
                    m_diskCheck.start();
            });
}

DocumentArea::~DocumentArea() {
    // The document windows go before what they report to does, and tell nothing on the way.
    m_area->disconnect(this);
    for (DocumentWindow* document : documentWindows())
        document->record().stopReporting();
    delete m_area;
}

void DocumentArea::attach(Workspace& workspace, DocumentFlows& flows, CommandRegistry& commands) {
    m_workspace = &workspace;
    m_flows = &flows;
    m_commands = &commands;
    workspace.addListener(*this);
    m_frame.menuBar()->installEventFilter(this);
}

void DocumentArea::registerCommands(CommandRegistry& commands) {
    commands.add(QStringLiteral("Tabbed1"), [this] { Tabbed(); });
    commands.add(QStringLiteral("Tile1"), [this] { Tiled(); });
    commands.add(QStringLiteral("Cascade1"), [this] { Cascaded(); });
}

QList<DocumentWindow*> DocumentArea::documentWindows() const {
    QList<DocumentWindow*> documents;
    for (QMdiSubWindow* window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* document = qobject_cast<DocumentWindow*>(window->widget()))
            documents << document;
    }
    return documents;
}

DocumentWindow* DocumentArea::activeDocument() const {
    QMdiSubWindow* window = m_area->currentSubWindow();
    return window ? qobject_cast<DocumentWindow*>(window->widget()) : nullptr;
}

DocumentWindow* DocumentArea::windowOf(const Document& document) const {
    for (DocumentWindow* window : documentWindows()) {
        if (&window->record() == &document)
            return window;
    }
    return nullptr;
}

bool DocumentArea::isTabbed() const {
    return m_status.tabsShown();
}

void DocumentArea::showCoverNow() {
    m_cover->setGeometry(m_area->rect());
    m_cover->raise();
    m_cover->show();
}

void DocumentArea::hideCover() {
    m_cover->hide();
}

void DocumentArea::making(const DocumentRequest& request) {
    // A new document from New hides the switch whenever the documents are tabbed; the others
    // when the active document is maximised.
    if (request.origin == DocumentRequest::Origin::New) {
        if (storedArrangement(m_settings) != Arrangement::Tabbed)
            return;
        showCoverNow();
        m_area->setBackground(Qt::white);
        return;
    }
    const DocumentWindow* active = activeDocument();
    if (active && active->frame()->isMaximized())
        showCoverNow();
}

void DocumentArea::settleCover() {
    hideCover();
    m_switch = Switch::Settled;
}

void DocumentArea::Tabbed() {
    DocumentWindow* document = activeDocument();
    if (!document)
        return;
    const ArrangingScope arranging(*this);
    m_status.showTabs(true);
    document->frame()->showMaximized();
    m_area->setBackground(Qt::white);
    m_switch = Switch::Settled;
    storeArrangement(m_settings, Arrangement::Tabbed, ArrangementWriter::DocumentWindow);
}

void DocumentArea::arrange(bool tile) {
    if (!activeDocument())
        return;
    const ArrangingScope arranging(*this);
    if (isTabbed())
        showCoverNow();
    m_switch = Switch::Settled;
    for (DocumentWindow* document : documentWindows())
        document->frame()->showNormal();
    if (tile)
        m_area->tileSubWindows();
    else
        m_area->cascadeSubWindows();
    m_area->setBackground(m_workspaceBrush);
    m_status.showTabs(false);
    hideCover();
    storeArrangement(m_settings, Arrangement::Normal, ArrangementWriter::Program);
}

void DocumentArea::Tiled() {
    arrange(true);
}

void DocumentArea::Cascaded() {
    arrange(false);
}

DocumentView& DocumentArea::createWindow(const std::shared_ptr<Document>& record,
                                         bool startsTransition) {
    const ArrangingScope arranging(*this);
    auto* document = new DocumentWindow(*this, m_clipboard, record);
    // The editor has its font and tab stops before its text comes, so that the lines counted
    // while a large text goes in are counted for them (windowReady finds them already set).
    m_style.readFont(*document);
    m_style.applyTabStops(*document);
    QMdiSubWindow* frame = m_area->addSubWindow(document);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    if (storedArrangement(m_settings) == Arrangement::Tabbed) {
        frame->showMaximized();
        m_status.showTabs(true);
    } else {
        frame->showNormal();
    }
    if (startsTransition)
        m_switch = Switch::Activated;
    return *document;
}

void DocumentArea::made(Document* document) {
    hideCover();
    if (document)
        m_msave->setEnabled(document->text().isModified());
}

void DocumentArea::windowReady(Document& record) {
    DocumentWindow* document = windowOf(record);
    if (!document)
        return;
    m_tabs->addTab(*document, static_cast<int>(documentWindows().size()));
    hideCover();
    m_style.readFont(*document);
    m_style.applyTabStops(*document);
    m_style.applyHighlighting(*document);
}

DocumentView* DocumentArea::activeWindow() const {
    return activeDocument();
}

void DocumentArea::bringForward(DocumentView& view) {
    const ArrangingScope arranging(*this);
    if (QMdiSubWindow* frame = frameOf(view)) {
        m_area->setActiveSubWindow(frame);
        frame->raise();
    }
}

void DocumentArea::restoreWindow(DocumentView& view) {
    QMdiSubWindow* frame = frameOf(view);
    if (frame && frame->isMinimized())
        frame->showNormal();
}

bool DocumentArea::closeWindow(DocumentView& view, bool ask) {
    QMdiSubWindow* frame = frameOf(view);
    if (!frame)
        return false;
    m_closingUnasked = ask ? nullptr : &view;
    const bool closed = frame->close();
    m_closingUnasked = nullptr;
    return closed;
}

void DocumentArea::renamed(Document& document, const QString& oldKey) {
    DocumentWindow* window = windowOf(document);
    if (!window)
        return;
    window->setWindowTitle(document.caption());
    // A first name needs no tab of its own yet: the tab is added once the document is ready.
    if (oldKey.isEmpty())
        return;
    showCoverNow();
    m_tabs->renamed(oldKey, document.key(), document.caption());
    hideCover();
}

void DocumentArea::followModified(Document& document) {
    if (m_workspace->active() == &document)
        m_msave->setEnabled(document.text().isModified());
}

void DocumentArea::modifiedChanged(Document& document, bool) {
    followModified(document);
}

void DocumentArea::textChanged(Document& document) {
    followModified(document);
    if (m_workspace->active() == &document)
        document.view()->lineSet();
}

void DocumentArea::textInserted(Document& document, int) {
    // The editor keeps one set of tab stops for its whole text: the inserted range has them once
    // the document has them again.
    if (DocumentWindow* window = windowOf(document))
        m_style.applyTabStops(*window);
}

void DocumentArea::busyChanged(bool shown) {
    // The user may have clicked it away already.
    if (m_wait)
        m_wait->close();
    if (shown) {
        m_wait = new WaitWindow;
        m_wait->show();
        m_wait->repaint();
    }
}

void DocumentArea::subWindowActivated(QMdiSubWindow* window) {
    if (!window)
        return;
    // The cover hides the switch between maximised documents until it has settled.
    if (isTabbed())
        showCoverNow();
    if (m_switch == Switch::Settled)
        m_switch = Switch::Activated;
    else if (m_switch == Switch::Resized)
        m_switch = Switch::ActivatedAgain;
    QTimer::singleShot(0, this, [this] {
        // Once the event loop is idle again the switch is over, whatever order the window system
        // delivered its resizes in: the cover must never stay over the document.
        if (m_arranging == 0 && m_cover->isVisible()) {
            hideCover();
            m_switch = Switch::Settled;
        }
    });
    if (auto* document = qobject_cast<DocumentWindow*>(window->widget()))
        documentActivated(*document);
    m_diskCheck.start();
}

void DocumentArea::documentActivated(DocumentWindow& document) {
    m_workspace->setActiveKey(document.key());
    if (!document.isSetUp())
        return;
    m_msave->setEnabled(document.isModified());
    document.lineSet();
    m_tabs->documentActivated(document);
}

bool DocumentArea::mayClose(DocumentWindow& document) {
    if (m_closingUnasked == &document || !m_workspace->of(document))
        return true;
    bool may = false;
    m_commands->guard([&] { may = m_flows->mayClose(document.record()); });
    return may;
}

void DocumentArea::documentClosing(DocumentWindow& document) {
    // The document area activates (and may maximise) the next document once this one is gone.
    ++m_arranging;
    QTimer::singleShot(0, this, [this] { --m_arranging; });
    const int open = static_cast<int>(documentWindows().size());
    if (open == 1 && m_findHooks.lastDocumentClosing)
        m_findHooks.lastDocumentClosing();
    const bool minimised = document.frame() && document.frame()->isMinimized();
    m_commands->guard([&] { m_tabs->mdiClosed(document, open, minimised); });
    m_workspace->remove(document.record());
}

void DocumentArea::documentMaximised(DocumentWindow&) {
    m_area->setBackground(Qt::white);
    hideCover();
    m_status.showTabs(true);
    m_commands->guard([this] {
        storeArrangement(m_settings, Arrangement::Tabbed, ArrangementWriter::DocumentWindow);
    });
}

void DocumentArea::documentUnmaximised(DocumentWindow&) {
    if (isTabbed())
        showCoverNow();
    m_switch = Switch::Settled;
    m_area->setBackground(m_workspaceBrush);
    m_status.showTabs(false);
    hideCover();
    m_commands->guard([this] {
        storeArrangement(m_settings, Arrangement::Normal, ArrangementWriter::DocumentWindow);
    });
}

void DocumentArea::documentResized(DocumentWindow&) {
    if (!isTabbed())
        return;
    if (m_switch == Switch::Activated) {
        m_switch = Switch::Resized;
    } else if (m_switch == Switch::ActivatedAgain) {
        hideCover();
        m_switch = Switch::Settled;
    }
}

void DocumentArea::showLine(int line) {
    m_status.showLine(line);
}

void DocumentArea::escapeInEditor() {
    if (m_findHooks.escapeInEditor)
        m_findHooks.escapeInEditor();
}

bool DocumentArea::autoIndentEnabled() {
    return !m_settings.readText(V::Section, V::Ai).isEmpty();
}

bool DocumentArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area && event->type() == QEvent::Resize)
        m_cover->setGeometry(m_area->rect());
    if (watched == m_frame.menuBar() && event->type() == QEvent::MouseButtonDblClick) {
        // A double-click on the menu bar closes a maximised document, as Close does.
        DocumentWindow* document = activeDocument();
        if (document && document->frame()->isMaximized()) {
            m_commands->run(QStringLiteral("Close1"));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vellum
