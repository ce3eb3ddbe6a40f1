#pragma once

// Mouse input as the user gives it: at a place on the screen, received by whatever window and
// widget are drawn there. A control covered by another window or widget, or hidden, is never
// reached, so a test that clicks it fails as the user would.

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

namespace vellum::test {

/// The top-level window drawn at `global`, as the display server stacks them.
inline QWindow* windowAt(QPoint global) {
    return QGuiApplication::topLevelAt(global);
}

/// A short description of a widget for failure messages: its class and object name.
inline QString describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("nothing");
    return QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
           widget->objectName();
}

/// Waits (a few seconds at most) until `widget` is the widget drawn at its own point `local`:
/// its window shown, exposed and raised by the window manager. True when it is.
inline bool waitUntilDrawnAt(QWidget* widget, QPoint local) {
    const QPoint global = widget->mapToGlobal(local);
    return QTest::qWaitFor([&] { return QApplication::widgetAt(global) == widget; }, 3000);
}

/// Sends a mouse action at the screen position `global` to the window drawn there, which passes
/// it on to its widget at that place (a right button press also asks for its context menu).
inline void mouseAt(QTest::MouseAction action, QPoint global,
                    Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}) {
    QWindow* window = windowAt(global);
    ASSERT_NE(window, nullptr) << "no window at " << global.x() << "," << global.y();
    QTest::mouseEvent(action, window, button, modifiers, window->mapFromGlobal(global));
}

/// Acts with the mouse on `widget` at its point `local` (its centre when none is given), through
/// the window drawn there. Fails the test, without acting, when another widget is drawn there.
inline void userMouse(QTest::MouseAction action, QWidget* widget, QPoint local = {},
                      Qt::MouseButton button = Qt::LeftButton) {
    ASSERT_NE(widget, nullptr);
    if (local.isNull())
        local = widget->rect().center();
    const QPoint global = widget->mapToGlobal(local);
    const bool drawn = waitUntilDrawnAt(widget, local);
    ASSERT_TRUE(drawn) << qPrintable(describe(widget)) << " is not what is drawn at " << global.x()
                       << "," << global.y() << ": "
                       << qPrintable(describe(QApplication::widgetAt(global)));
    mouseAt(action, global, button);
}

/// A left click on `widget` at `local` (its centre by default), as the user gives it.
inline void userClick(QWidget* widget, QPoint local = {}) {
    userMouse(QTest::MouseClick, widget, local);
}

/// A double click on `widget` at `local` (its centre by default), as the user gives it.
inline void userDoubleClick(QWidget* widget, QPoint local = {}) {
    // Through a window this is two presses and releases that the application sees as a double
    // click, as it would from the window system.
    userMouse(QTest::MouseDClick, widget, local);
}

/// A right click on `widget` at `local`, which opens its context menu.
inline void userRightClick(QWidget* widget, QPoint local = {}) {
    userMouse(QTest::MouseClick, widget, local, Qt::RightButton);
}

/// Answers the next message box as the user does: `answer` runs as soon as a box is shown (set
/// it up before the action that raises the box, which waits for it). A box still open once
/// `answer` has run fails the test and is closed, so that the test goes on. Returns a flag that
/// turns true once the box was seen.
inline std::shared_ptr<bool> whenMessageBoxShows(std::function<void(QMessageBox&)> answer) {
    auto seen = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (++*waited * poll->interval() > 10000) {
                ADD_FAILURE() << "no message box was shown";
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        *seen = true;
        const QPointer<QMessageBox> shown(box);
        answer(*box);
        if (shown && shown->isVisible()) {
            ADD_FAILURE() << "the message box is still open: " << qPrintable(shown->text());
            shown->reject();
        }
    });
    poll->start(20);
    return seen;
}

} // namespace vellum::test
