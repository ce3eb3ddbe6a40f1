#include "ui/app/main_window.h"

#include "core/app/settings_keys.h"
#include "core/app/startup.h"
#include "ui/app/document_commands.h"
#include "ui/app/edit_commands.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/tab_strip.h"
#include "ui/editor/document_window.h"
#include "ui/helpers/color_helper.h"
#include "ui/helpers/font_helper.h"
#include "ui/helpers/table_helper.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

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

/// The open documents as the insertion operations see them.
class MainWorkspace : public Workspace {
public:
    explicit MainWorkspace(TMDImain& main) : m_main(main) {}
    DocumentView* activeDocument() override { return m_main.activeDocument(); }
    TextControl& scratch() override { return m_main.scratch(); }
    InsertionSlots& insertionSlots() override { return m_main.insertionSlots(); }

private:
    TMDImain& m_main;
};

/// A status-bar label that runs a command when double-clicked.
class DoubleClickLabel : public QLabel {
public:
    DoubleClickLabel(const QString& name, const QString& text, QWidget* parent,
                     std::function<void()> doubleClicked)
        : QLabel(text, parent), m_doubleClicked(std::move(doubleClicked)) {
        setObjectName(name);
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { m_doubleClicked(); }

private:
    std::function<void()> m_doubleClicked;
};

} // namespace

TMDImain::TMDImain(SettingsFile& settings, const HomeDirectory& home, MessageBoxPrompter& prompter,
                   Clipboard& clipboard, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_home(home), m_prompter(prompter),
      m_clipboard(clipboard), m_area(new QMdiArea(this)),
      m_help(QCoreApplication::applicationDirPath() + QStringLiteral("/vellumh.html")) {
    setObjectName(QStringLiteral("MDImain"));
    setWindowTitle(QStringLiteral("VellumHTML"));
    setCentralWidget(m_area);
    m_workspaceBrush = m_area->background();
    m_switchpanel = new CoverPanel(m_area, [this] { switchpanelClick(); });
    m_area->installEventFilter(this);
    connect(m_area, &QMdiArea::subWindowActivated, this, &TMDImain::subWindowActivated);

    buildStatusBar();
    m_tabs = new TabStrip(
        m_tabBar, m_settings, [this](TMDIsub& document) { bringForward(document); },
        [this] { return documentWindows(); }, this);
    m_commands = std::make_unique<DocumentCommands>(*this);
    m_edit = std::make_unique<EditCommands>(*this);
    m_workspace = std::make_unique<MainWorkspace>(*this);
    m_insertions = std::make_unique<Insertions>(*m_workspace);
    buildMenusAndToolbar();
    bindCommands();
    menuBar()->installEventFilter(this);

    // What a run keeps in the settings starts afresh.
    m_firstShow = true;
    resetRunState(m_settings, m_home);
    m_dates->setText(dateLabelText(QDate::currentDate(), QLocale::system()));
    m_storememo.setText(QString());
}

TMDImain::~TMDImain() {
    // The document windows go before the frame's members do, and tell it nothing on the way.
    m_area->disconnect(this);
    for (TMDIsub* document : documentWindows())
        document->control().setChangeHandler(nullptr);
    delete m_area;
}

void TMDImain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("Statuser"));
    m_banner = new DoubleClickLabel(QStringLiteral("Label2"), QStringLiteral("VellumHTML 32"), bar,
                                    [this] { Tabbed(); });
    m_tabBar = new QTabBar(bar);
    m_tabBar->setObjectName(QStringLiteral("TabSet1"));
    m_tabBar->setShape(QTabBar::RoundedSouth);
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    m_tabBar->hide();
    bar->addWidget(m_banner, 1);
    bar->addWidget(m_tabBar, 1);
    // Go to line opens from the line labels once it exists.
    m_lineLabel =
        new DoubleClickLabel(QStringLiteral("Label1"), QStringLiteral(" line:"), bar, [] {});
    m_linecol = new DoubleClickLabel(QStringLiteral("linecol"), QStringLiteral("1"), bar, [] {});
    m_linecol->setMinimumWidth(48);
    m_dates = new DoubleClickLabel(QStringLiteral("Dates"), QString(), bar,
                                   [this] { m_edit->DatesClick(); });
    bar->addPermanentWidget(m_lineLabel);
    bar->addPermanentWidget(m_linecol);
    bar->addPermanentWidget(m_dates);
}

void TMDImain::start() {
    m_commands->news();
    // After a start that opened a handed-over file no second new-document request follows here,
    // so the one-shot suppression would swallow the user's next New; the start is over now.
    m_commands->clearSuppression();
}

void TMDImain::placeOnFirstShow() {
    if (!m_firstShow)
        return;
    const Placement placement = firstShowPlacement(m_settings);
    m_firstShow = false;
    if (placement.maximised) {
        showMaximized();
        return;
    }
    resize(placement.width, placement.height);
    move(placement.left, placement.top);
    showNormal();
}

QList<TMDIsub*> TMDImain::documentWindows() const {
    QList<TMDIsub*> documents;
    for (QMdiSubWindow* window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* document = qobject_cast<TMDIsub*>(window->widget()))
            documents << document;
    }
    return documents;
}

TMDIsub* TMDImain::activeDocument() const {
    QMdiSubWindow* window = m_area->currentSubWindow();
    return window ? qobject_cast<TMDIsub*>(window->widget()) : nullptr;
}

void TMDImain::bringForward(TMDIsub& document) {
    const ArrangingScope arranging(*this);
    if (QMdiSubWindow* frame = document.frame()) {
        m_area->setActiveSubWindow(frame);
        frame->raise();
    }
}

bool TMDImain::isTabbed() const {
    return !m_tabBar->isHidden();
}

void TMDImain::showCover() {
    m_switchpanel->setGeometry(m_area->rect());
    m_switchpanel->raise();
    m_switchpanel->show();
}

void TMDImain::hideCover() {
    m_switchpanel->hide();
}

void TMDImain::setWhiteBackground(bool white) {
    m_area->setBackground(white ? QBrush(Qt::white) : m_workspaceBrush);
}

void TMDImain::switchpanelClick() {
    hideCover();
    m_transition = 0;
}

void TMDImain::Tabbed() {
    TMDIsub* document = activeDocument();
    if (!document)
        return;
    const ArrangingScope arranging(*this);
    showTabStrip(true);
    document->frame()->showMaximized();
    setWhiteBackground(true);
    m_transition = 0;
    m_settings.writeText(V::SectionLower, V::State, keys::StateMax);
}

void TMDImain::arrange(bool tile) {
    if (!activeDocument())
        return;
    const ArrangingScope arranging(*this);
    if (isTabbed())
        showCover();
    m_transition = 0;
    for (TMDIsub* document : documentWindows())
        document->frame()->showNormal();
    if (tile)
        m_area->tileSubWindows();
    else
        m_area->cascadeSubWindows();
    setWhiteBackground(false);
    showTabStrip(false);
    hideCover();
    m_settings.writeText(V::Section, V::State, keys::StateNorm);
}

void TMDImain::Tiled() {
    arrange(true);
}

void TMDImain::Cascaded() {
    arrange(false);
}

void TMDImain::subWindowActivated(QMdiSubWindow* window) {
    if (!window)
        return;
    // The cover hides the switch between maximised documents until it has settled.
    if (isTabbed())
        showCover();
    if (m_transition == 0 || m_transition == 2)
        ++m_transition;
    QTimer::singleShot(0, this, [this] {
        // Once the event loop is idle again the switch is over, whatever order the window system
        // delivered its resizes in: the cover must never stay over the document.
        if (m_arranging == 0 && m_switchpanel->isVisible()) {
            hideCover();
            m_transition = 0;
        }
    });
    if (auto* document = qobject_cast<TMDIsub*>(window->widget()))
        documentActivated(*document);
}

void TMDImain::documentActivated(TMDIsub& document) {
    m_activeKey = document.key();
    if (!document.isSetUp())
        return;
    m_msave->setEnabled(document.isModified());
    lineSet();
    m_tabs->documentActivated(document);
}

void TMDImain::documentChanged(TMDIsub& document) {
    if (&document == activeDocument()) {
        m_msave->setEnabled(true);
        lineSet();
    }
}

bool TMDImain::saveDocument(TMDIsub& document) {
    return m_commands->Saves(document);
}

void TMDImain::documentClosing(TMDIsub& document) {
    // The document area activates (and may maximise) the next document once this one is gone.
    ++m_arranging;
    QTimer::singleShot(0, this, [this] { --m_arranging; });
    const QList<TMDIsub*> open = documentWindows();
    const bool minimised = document.frame() && document.frame()->isMinimized();
    m_tabs->mdiClosed(document, static_cast<int>(open.size()), minimised);
}

void TMDImain::documentMaximised(TMDIsub&) {
    setWhiteBackground(true);
    hideCover();
    showTabStrip(true);
    m_settings.writeText(V::SectionLower, V::State, keys::StateMax);
}

void TMDImain::documentUnmaximised(TMDIsub&) {
    if (isTabbed())
        showCover();
    m_transition = 0;
    setWhiteBackground(false);
    showTabStrip(false);
    hideCover();
    m_settings.writeText(V::SectionLower, V::State, keys::StateNorm);
}

void TMDImain::documentResized(TMDIsub&) {
    if (!isTabbed())
        return;
    if (m_transition == 1) {
        m_transition = 2;
    } else if (m_transition == 3) {
        hideCover();
        m_transition = 0;
    }
}

void TMDImain::showLine(int line) {
    m_linecol->setText(QString::number(line));
}

bool TMDImain::autoIndentEnabled() {
    return !m_settings.readText(V::Section, V::Ai).isEmpty();
}

Prompter& TMDImain::prompter() {
    return m_prompter;
}

void TMDImain::lineSet() {
    if (TMDIsub* document = activeDocument())
        document->lineSet();
}

void TMDImain::showTabStrip(bool shown) {
    m_tabBar->setVisible(shown);
    m_banner->setVisible(!shown);
}

bool TMDImain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area && event->type() == QEvent::Resize)
        m_switchpanel->setGeometry(m_area->rect());
    if (watched == menuBar() && event->type() == QEvent::MouseButtonDblClick) {
        // A double-click on the menu bar closes a maximised document, as Close does.
        TMDIsub* document = activeDocument();
        if (document && document->frame()->isMaximized()) {
            m_commands->Closes();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMDImain::closeEvent(QCloseEvent* event) {
    // Every document is asked first, in window order; one Cancel keeps the program running.
    // Each comes forward before it is asked: the user sees which one the question is about, and
    // the tab strip removes (or renames, after a Save As) the tab of the active document.
    for (TMDIsub* document : documentWindows()) {
        bringForward(*document);
        if (!document->frame()->close()) {
            event->ignore();
            return;
        }
    }
    // Open helpers close as they would by hand, so that their positions are remembered.
    for (QWidget* helper :
         {static_cast<QWidget*>(m_tableHelper), static_cast<QWidget*>(m_fontHelper),
          static_cast<QWidget*>(m_colorHelper)}) {
        if (helper)
            helper->close();
    }
    WindowSnapshot snapshot;
    // A minimised window may still carry its maximised state underneath; it counts as minimised.
    snapshot.minimised = isMinimized();
    snapshot.maximised = isMaximized() && !snapshot.minimised;
    snapshot.top = y();
    snapshot.left = x();
    snapshot.width = width();
    snapshot.height = height();
    writeExitPlacement(m_settings, snapshot);
    deleteCleanUpFiles(m_settings);
    m_help.quit();
    event->accept();
}

} // namespace vellum
