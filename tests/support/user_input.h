#pragma once

// Mouse input as the user gives it: at a place on the screen, received by whatever window and
// widget are drawn there. A control covered by another window or widget, or hidden, is never
// reached, so a test that clicks it fails as the user would.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
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
/// its window shown, exposed, placed and raised by the window manager. True when it is.
inline bool waitUntilDrawnAt(QWidget* widget, QPoint local) {
    // Where that point is on the screen is asked anew each time: a window manager may still be
    // moving the window into its place. Until the window is exposed the window system may still
    // change its size, so the user sees it only then.
    return QTest::qWaitFor(
        [&] {
            QWindow* window = widget->window()->windowHandle();
            const QPoint global = widget->mapToGlobal(local);
            // The program's idea of where its windows are and the window system's (which the
            // events go by) agree only once the window manager's moves have all arrived.
            return window && window->isExposed() && QApplication::widgetAt(global) == widget &&
                   windowAt(global) == window;
        },
        3000);
}

/// Waits (a few seconds at most) until `window` is `height` high: a window manager gives a window
/// the size the program asked for in its own time. The caller checks the height itself.
inline void waitForHeight(const QWidget* window, int height) {
    static_cast<void>(QTest::qWaitFor([&] { return window->height() == height; }, 3000));
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
    const bool drawn = waitUntilDrawnAt(widget, local);
    const QPoint global = widget->mapToGlobal(local);
    ASSERT_TRUE(drawn) << qPrintable(describe(widget)) << " is not what is drawn at " << global.x()
                       << "," << global.y() << ": "
                       << qPrintable(describe(QApplication::widgetAt(global)));
    mouseAt(action, global, button);
}

/// A left click on `widget` at `local` (its centre by default), as the user gives it.
inline void userClick(QWidget* widget, QPoint local = {}) {
    userMouse(QTest::MouseClick, widget, local);
}

/// A left click on a check box or radio button where its indicator is (8 pixels in, or its middle
/// when it is narrower), where the user aims at it.
inline void userClickIndicator(QWidget* button) {
    ASSERT_NE(button, nullptr);
    userClick(button, QPoint(qMin(8, button->width() / 2), button->height() / 2));
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

/// A drag as the window system delivers it: `button` pressed on `widget` at `from`, the pointer
/// moved to `to` (both in the widget's coordinates at the press), `held` run while the button is
/// still down, then the release there. The window where the press began holds the pointer until
/// the release, so it gets every event of the drag wherever the pointer goes.
inline void userDrag(QWidget* widget, QPoint from, QPoint to,
                     Qt::MouseButton button = Qt::LeftButton,
                     const std::function<void()>& held = {}) {
    ASSERT_NE(widget, nullptr);
    const bool drawn = waitUntilDrawnAt(widget, from);
    const QPoint start = widget->mapToGlobal(from);
    const QPoint end = widget->mapToGlobal(to);
    ASSERT_TRUE(drawn) << qPrintable(describe(widget)) << " is not what is drawn at " << start.x()
                       << "," << start.y() << ": "
                       << qPrintable(describe(QApplication::widgetAt(start)));
    const QPointer<QWindow> window = windowAt(start);
    mouseAt(QTest::MousePress, start, button);
    ASSERT_TRUE(window);
    QTest::mouseMove(window, window->mapFromGlobal(end));
    if (held)
        held();
    ASSERT_TRUE(window);
    QTest::mouseRelease(window, button, {}, window->mapFromGlobal(end));
}

/// Clicks `item` where the open menu `menu` draws it (waiting for the menu to be drawn).
inline void userChoose(QMenu* menu, QAction* item) {
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(item, nullptr);
    const bool open = QTest::qWaitFor([&] { return menu->isVisible(); }, 3000);
    ASSERT_TRUE(open) << "the menu " << qPrintable(menu->title()) << " is not open";
    const QRect at = menu->actionGeometry(item);
    ASSERT_TRUE(item->isVisible() && at.isValid())
        << qPrintable(item->text()) << " is not shown in its menu";
    userClick(menu, at.center());
}

/// Opens `menu` by clicking its title where the menu bar `bar` draws it; returns once it is open.
inline void userOpenMenu(QMenuBar* bar, QMenu* menu) {
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(menu, nullptr);
    const QRect title = bar->actionGeometry(menu->menuAction());
    ASSERT_TRUE(title.isValid()) << qPrintable(menu->title()) << " is not on the menu bar";
    userClick(bar, title.center());
    const bool open = QTest::qWaitFor([&] { return menu->isVisible(); }, 3000);
    ASSERT_TRUE(open) << "the menu " << qPrintable(menu->title()) << " did not open";
}

/// Closes the open menus with Escape, as the user does: each open menu takes one; a menu bar that
/// an Escape left holding the keyboard takes one more, which gives the keyboard back.
inline void userCloseMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        QTest::keyClick(popup, Qt::Key_Escape);
        const bool closed = QTest::qWaitFor([&] { return !popup->isVisible(); }, 3000);
        ASSERT_TRUE(closed) << qPrintable(describe(popup)) << " stays open after Escape";
    }
    if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget()))
        QTest::keyClick(bar, Qt::Key_Escape);
}

/// Chooses entry `index` of `combo` as the user does: a click on the box opens its list, a click on
/// the entry chooses it.
inline void userChoose(QComboBox* combo, int index) {
    ASSERT_NE(combo, nullptr);
    userClick(combo);
    QAbstractItemView* list = combo->view();
    const bool open = QTest::qWaitFor([&] { return list->isVisible(); }, 3000);
    ASSERT_TRUE(open) << qPrintable(describe(combo)) << " did not open its list";
    // A release within the double-click time of the click that opened the list belongs to that
    // click; the user's next click comes later.
    QTest::qWait(QApplication::doubleClickInterval());
    const QModelIndex entry = combo->model()->index(index, combo->modelColumn());
    userClick(list->viewport(), list->visualRect(entry).center());
}

/// Where `list` draws its entry `text`, in its viewport's coordinates, for a click there. Fails
/// the test when no entry has that text, and gives a point outside the list.
inline QPoint entryPoint(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        ADD_FAILURE() << "no entry " << qPrintable(text) << " in " << qPrintable(describe(list));
        return {-1, -1};
    }
    return list->visualItemRect(found.first()).center();
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
