#include "ui/app/splash_window.h"

#include "ui/foundation/window_parts.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

namespace vellum {

namespace {
constexpr int PictureHeight = 150;
constexpr int CaptionHeight = 28;
constexpr int SplashWidth = 380;
} // namespace

SplashWindow::SplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SplashWindow"));
    setFixedSize(SplashWidth, PictureHeight + CaptionHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_timer.stop();
        hide();
        close();
    });
    m_timer.start(LifetimeMs);
}

SplashWindow* SplashWindow::showSplash() {
    auto* splash = new SplashWindow;
    splash->show();
    splash->raise();
    splash->repaint();
    QApplication::processEvents();
    return splash;
}

bool SplashWindow::event(QEvent* event) {
    // Stay at the top of the always-on-top windows without moving or resizing.
    if (event->type() == QEvent::WindowActivate)
        raise();
    return QWidget::event(event);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Teal);
    p.setRenderHint(QPainter::Antialiasing);

    // The picture: an angle-bracketed quill mark over the program's name.
    QFont mark = font();
    mark.setPixelSize(64);
    mark.setBold(true);
    p.setFont(mark);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 8, width(), 80), Qt::AlignCenter, QStringLiteral("</>"));
    QFont name = font();
    name.setPixelSize(30);
    p.setFont(name);
    p.drawText(QRect(0, 84, width(), 50), Qt::AlignCenter, QStringLiteral("VellumHTML"));

    // The one-line caption panel beneath it.
    const QRect caption(0, PictureHeight, width(), CaptionHeight);
    p.fillRect(caption, Teal.darker(140));
    QFont small = font();
    small.setPixelSize(13);
    p.setFont(small);
    p.drawText(caption, Qt::AlignCenter, QStringLiteral("HTML written by hand, every byte exact"));
}

} // namespace vellum
