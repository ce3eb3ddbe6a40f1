#pragma once

#include "core/app/hand_off.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace vellum {

class Prompter;
class SettingsFile;
class Workspace;

/// The main window's activation check (checkHandOff) and its answer to the activation messages of
/// later starts. The check runs whenever the application or the main window becomes active; a
/// message brings the main window to the front (restored when minimised) and opens the file it
/// hands over. Checks and messages are served one at a time and never while a dialog is open, so
/// that no document appears behind a question, in the middle of closing, or under another message
/// box.
class AppActivation : public QObject {
    Q_OBJECT
public:
    /// Attached to `main` (its child) and to the application's activation; a file handed over
    /// opens through `openHandedOver`.
    AppActivation(QWidget& main, std::function<void(const QString&)> openHandedOver,
                  Workspace& workspace, SettingsFile& settings, Prompter& prompter);

    /// The activation check: the file waiting in "hello" opens, or comes to the front when it is
    /// open already.
    void checkHandOff();
    /// A later start asks this instance to come to the front, handing over `file` (empty: none).
    void activate(const QString& file);
    /// Checks and messages waiting for a dialog to close.
    int waiting() const { return static_cast<int>(m_queue.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Request {
        bool fromRecord;
        QString file;
    };
    void serve();

    QWidget& m_main;
    Prompter& m_prompter;
    HandOffInbox m_inbox;
    std::deque<Request> m_queue;
    bool m_serving = false;
    QTimer m_retry;
};

} // namespace vellum
