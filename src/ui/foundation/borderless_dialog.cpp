#include "ui/foundation/borderless_dialog.h"

namespace vellum {

BorderlessDialog::BorderlessDialog(QWidget* parent, const char* name, const QString& title)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
}

void BorderlessDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    if (m_focusBox)
        m_focusBox->setFocus();
}

void BorderlessDialog::closeEvent(QCloseEvent* event) {
    if (m_closing.first(event))
        closeSteps();
}

} // namespace vellum
