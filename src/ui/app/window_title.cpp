#include "ui/app/window_title.h"

#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace vellum {

namespace {
const QString AppTitle = QStringLiteral("VellumHTML");
}

WindowTitle::WindowTitle(QMainWindow& frame, QMdiArea& area)
    : QObject(&frame), m_frame(frame), m_area(area) {
    m_frame.installEventFilter(this);
    connect(&m_area, &QMdiArea::subWindowActivated, this, &WindowTitle::follow);
}

void WindowTitle::follow(QMdiSubWindow* window) {
    // Nothing active (the focus in a helper window or a menu) leaves the last document named, as
    // its window is still the one in front; one that is closing goes from the title with it.
    if (window) {
        if (m_followed)
            m_followed->removeEventFilter(this);
        m_followed = window;
        window->installEventFilter(this);
    }
    update();
}

QString WindowTitle::wanted() const {
    if (!m_followed || m_followed->isHidden())
        return AppTitle;
    const QString caption = m_followed->windowTitle().trimmed();
    return caption.isEmpty() ? AppTitle : AppTitle + QStringLiteral(" - [%1]").arg(caption);
}

void WindowTitle::update() {
    const QString title = wanted();
    if (m_frame.windowTitle() != title)
        m_frame.setWindowTitle(title);
}

bool WindowTitle::eventFilter(QObject* watched, QEvent* event) {
    // A maximised document window writes its own caption into the frame's title, and takes it
    // out again when it is restored or closed; the title is put back to the one that names the
    // active document.
    if (watched == &m_frame && event->type() == QEvent::WindowTitleChange)
        update();
    // The document window's own caption changes with Save As; a closed one is hidden at once
    // but deleted only later; arranging the windows may hide and show one for a moment.
    const QEvent::Type type = event->type();
    if (watched == m_followed.data() &&
        (type == QEvent::WindowTitleChange || type == QEvent::Hide || type == QEvent::Show))
        update();
    return QObject::eventFilter(watched, event);
}

} // namespace vellum
