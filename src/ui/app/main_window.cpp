#include "ui/app/main_window.h"

#include "core/app/startup.h"

#include <QCloseEvent>

namespace vellum {

MainWindow::MainWindow(SettingsFile& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings) {
    setObjectName(QStringLiteral("MDImain"));
    setWindowTitle(QStringLiteral("VellumHTML"));
}

void MainWindow::placeOnFirstShow() {
    if (!m_firstShow)
        return;
    const Placement placement = firstShowPlacement(m_settings);
    m_firstShow = false;
    if (placement.maximised) {
        showMaximized();
        return;
    }
    resize(placement.width, placement.height);
    move(placement.left, placement.top);
    showNormal();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closing && !m_closing()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace vellum
