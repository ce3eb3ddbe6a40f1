#include "ui/app/app_activation.h"

#include "core/app/command_registry.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace vellum {

namespace {

// While a dialog is open, how often to look whether it has closed.
constexpr int DialogPollMs = 200;

void bringToFront(QWidget& window) {
    // Restored from the task bar into the state it had: a maximised window stays maximised.
    if (window.isMinimized())
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
    // A dialog the window shows is what the user has to answer first.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

} // namespace

AppActivation::AppActivation(QWidget& main, std::function<void(const QString&)> openHandedOver,
                             Workspace& workspace, SettingsFile& settings, Prompter& prompter)
    : QObject(&main), m_main(main), m_prompter(prompter),
      m_inbox(workspace, settings, prompter, std::move(openHandedOver)) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(DialogPollMs);
    connect(&m_retry, &QTimer::timeout, this, &AppActivation::serve);
    main.installEventFilter(this);
    // Queued: the check opens windows, which an activation being delivered should not see.
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this,
        [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive)
                checkHandOff();
        },
        Qt::QueuedConnection);
}

bool AppActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_main && event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &AppActivation::checkHandOff);
    return QObject::eventFilter(watched, event);
}

void AppActivation::checkHandOff() {
    // Activations come in pairs (application and window): one waiting check reads for both.
    const bool checkWaits = std::any_of(m_queue.begin(), m_queue.end(),
                                        [](const Request& request) { return request.fromRecord; });
    if (!checkWaits)
        m_queue.push_back({true, QString()});
    serve();
}

void AppActivation::activate(const QString& file) {
    bringToFront(m_main);
    m_queue.push_back({false, file});
    serve();
}

void AppActivation::serve() {
    // A message box shown while serving lets events in; what arrives then waits its turn.
    if (m_serving)
        return;
    m_serving = true;
    while (!m_queue.empty() && !QApplication::activeModalWidget()) {
        const Request request = m_queue.front();
        m_queue.pop_front();
        runReporting(m_prompter, [&] {
            if (request.fromRecord)
                m_inbox.checkHandOff();
            else
                m_inbox.received(request.file);
        });
    }
    m_serving = false;
    if (!m_queue.empty())
        m_retry.start();
}

} // namespace vellum
