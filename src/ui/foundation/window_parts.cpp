#include "ui/foundation/window_parts.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellum {

QPushButton* commandButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = named<QPushButton>(name, text, parent);
    button->setAutoDefault(false);
    return button;
}

void paintTeal(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, Teal);
    p.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(p);
}

QFrame* fillingFrame(QWidget& window, const char* name) {
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QFrame(&window);
    frame->setObjectName(QString::fromLatin1(name));
    outer->addWidget(frame);
    return frame;
}

bool CloseOnce::first(QCloseEvent* event) {
    event->accept();
    if (m_closed)
        return false;
    m_closed = true;
    return true;
}

} // namespace vellum
