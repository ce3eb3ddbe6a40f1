#include "ui/editor/page_checks.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/editor/page_check.h"
#include "core/editor/text_shift.h"
#include "core/helpers/helper_placement.h"
#include "ui/editor/document_window.h"
#include "ui/editor/page_check_marks.h"
#include "ui/editor/page_check_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <memory>

namespace vellum {

namespace {

// What a check's thread reads and writes; the window's thread reads the result once the thread
// has ended.
struct CheckRun {
    PageCheckRequest request;
    PageCheckResult result;
};

} // namespace

PageChecks::PageChecks(QWidget& main, Workspace& workspace, QString workingFolder,
                       CommandRegistry& commands)
    : m_main(main), m_workspace(workspace), m_workingFolder(std::move(workingFolder)),
      m_commands(commands) {
    m_workspace.addListener(*this);
}

PageChecks::~PageChecks() {
    m_workspace.removeListener(*this);
    // A check cannot be stopped half way; it ends soon, and its result is not wanted.
    for (QThread* thread : m_threads) {
        thread->wait();
        delete thread;
    }
    delete m_window.data();
}

void PageChecks::registerCommands() {
    m_commands.addForDocument(QStringLiteral("CheckPage1"),
                              [this](Document& document) { check(document); });
}

void PageChecks::check(Document& document) {
    dropMarks();
    m_checked = &document;
    const quint64 run = ++m_run;
    m_checking = true;
    openWindow().showChecking(document.caption());
    focusChecked();

    auto work = std::make_shared<CheckRun>();
    work->request.text = document.text().text();
    if (!document.isUntitled())
        work->request.documentPath = document.key();
    work->request.workingFolder = m_workingFolder;
    QThread* thread = QThread::create([work] { work->result = checkPage(work->request); });
    m_threads.push_back(thread);
    // Emitted on the check's thread, received on this one.
    connect(thread, &QThread::finished, this, [this, thread, run, work] {
        thread->wait();
        m_threads.erase(std::remove(m_threads.begin(), m_threads.end(), thread), m_threads.end());
        delete thread;
        if (run == m_run)
            show(work->request.text, work->result);
    });
    thread->start();
}

void PageChecks::show(const QString& checkedText, const PageCheckResult& result) {
    m_checking = false;
    DocumentWindow* view = m_checked ? DocumentWindow::of(*m_checked) : nullptr;
    if (!view || !m_window)
        return;
    PlainTextControl& control = view->control();
    // The user may have typed on while the check ran: each finding goes where its characters are
    // now, and is underlined only while they are as they were checked.
    const QString now = control.text();
    const TextShift shift(checkedText, now);
    QList<MarkPlace> places;
    for (const Finding& finding : result.findings) {
        const TextShift::Range at = shift.follow(finding.start, finding.end);
        places.push_back({at.start, at.end, finding.kind, at.kept});
    }
    m_marks = new PageCheckMarks(control, places);
    m_window->showResult(m_checked->caption(), result);
}

PageCheckWindow* PageChecks::window() const {
    return m_window.data();
}

PageCheckMarks* PageChecks::marks() const {
    return m_marks.data();
}

void PageChecks::goToFinding(int index) {
    const std::optional<Selection> place = m_marks ? m_marks->placeOf(index) : std::nullopt;
    if (!m_checked || !place)
        return;
    m_workspace.bringForward(*m_checked);
    m_workspace.windows().restoreWindow(*m_checked->view());
    m_checked->text().setSelection(place->start, place->end);
    focusChecked();
    // The status bar shows the line the caret went to.
    m_checked->view()->lineSet();
}

PageCheckWindow& PageChecks::openWindow() {
    if (m_window)
        return *m_window;
    m_window = new PageCheckWindow(m_main);
    connect(m_window, &PageCheckWindow::findingChosen, this, &PageChecks::goToFinding);
    connect(m_window, &QDialog::finished, this, &PageChecks::forget);
    // It opens in the main window's lower right corner, where the text of a page seldom reaches.
    const QScreen* screen = m_main.screen() ? m_main.screen() : QGuiApplication::primaryScreen();
    if (screen)
        m_window->move(lowerRightPosition(m_main.frameGeometry(), m_window->size(),
                                          screen->availableGeometry()));
    // Typing goes on in the document while the check runs.
    m_window->setAttribute(Qt::WA_ShowWithoutActivating);
    m_window->show();
    return *m_window;
}

void PageChecks::closing(Document& document) {
    if (&document != m_checked)
        return;
    forget();
    if (m_window)
        m_window->close();
}

void PageChecks::forget() {
    ++m_run;
    m_checking = false;
    dropMarks();
    m_checked = nullptr;
}

void PageChecks::dropMarks() {
    if (!m_marks)
        return;
    m_marks->takeAway();
    delete m_marks.data();
}

void PageChecks::focusChecked() {
    m_main.activateWindow();
    if (m_checked && m_checked->view())
        m_checked->view()->focusEditor();
}

} // namespace vellum
