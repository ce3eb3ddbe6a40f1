#include "ui/foundation/wait_window.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace vellum {

WaitWindow::WaitWindow()
    : QFrame(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setObjectName(QStringLiteral("waiter"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    auto* label = new QLabel(QStringLiteral("Please wait."), this);
    label->setAlignment(Qt::AlignCenter);
    auto* other = new QLabel(this);
    other->setObjectName(QStringLiteral("other"));
    layout->addWidget(label);
    layout->addWidget(other);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void WaitWindow::mousePressEvent(QMouseEvent*) {
    close();
}

} // namespace vellum
