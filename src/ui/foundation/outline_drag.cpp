#include "ui/foundation/outline_drag.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>

namespace vellum {

OutlineDrag::OutlineDrag(QWidget& window, std::initializer_list<QWidget*> grips)
    : QObject(&window), m_window(window) {
    for (QWidget* grip : grips)
        grip->installEventFilter(this);
}

OutlineDrag::~OutlineDrag() = default;

void OutlineDrag::press(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_start = event->globalPosition().toPoint();
    if (!m_band)
        m_band = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
    m_band->setGeometry(m_window.frameGeometry());
    m_band->show();
    m_dragging = true;
}

void OutlineDrag::move(QMouseEvent* event) {
    if (!m_dragging)
        return;
    m_band->setGeometry(
        m_window.frameGeometry().translated(event->globalPosition().toPoint() - m_start));
}

void OutlineDrag::release(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_band->hide();
    m_dragging = false;
    m_window.move(m_window.pos() + (event->globalPosition().toPoint() - m_start));
}

bool OutlineDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        release(static_cast<QMouseEvent*>(event));
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace vellum
