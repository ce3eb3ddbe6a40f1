#include "ui/app/message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace vellum {

void MessageBoxPrompter::inform(const QString& text) {
    QMessageBox::information(m_parent, QApplication::applicationDisplayName(), text);
}

void MessageBoxPrompter::error(const QString& text) {
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), text);
}

} // namespace vellum
