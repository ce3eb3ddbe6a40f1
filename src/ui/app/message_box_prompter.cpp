#include "ui/app/message_box_prompter.h"

#include "ui/app/recovery_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace vellum {

namespace {
QString title() {
    return QApplication::applicationName();
}
} // namespace

void MessageBoxPrompter::inform(const QString& text) {
    QMessageBox::information(m_parent, title(), text);
}

void MessageBoxPrompter::error(const QString& text) {
    QMessageBox::critical(m_parent, title(), text);
}

bool MessageBoxPrompter::askYesNo(const QString& text) {
    return QMessageBox::question(m_parent, title(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Prompter::Answer MessageBoxPrompter::askYesNoCancel(const QString& text) {
    switch (QMessageBox::question(m_parent, title(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString MessageBoxPrompter::dialogFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        // "*.*" means every file, names without a dot included.
        masks.replace(QLatin1String("*.*"), QLatin1String("*"));
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + masks + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString MessageBoxPrompter::openFileName(const FileDialogRequest& request) {
    QFileDialog dialog(m_parent, request.title, QString(), dialogFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString MessageBoxPrompter::saveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(m_parent, request.title, QString(), dialogFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks before replacing a file, and adds the extension itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool MessageBoxPrompter::choosePrinter(QPrinter& printer) {
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

bool MessageBoxPrompter::chooseFont(QFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, m_parent);
    if (ok)
        font = chosen;
    return ok;
}

bool MessageBoxPrompter::chooseColour(QColor& colour) {
    const QColor chosen = QColorDialog::getColor(colour, m_parent);
    if (!chosen.isValid())
        return false;
    colour = chosen;
    return true;
}

void MessageBoxPrompter::setUpPrinter(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, m_parent);
    dialog.exec();
}

std::optional<QList<int>>
MessageBoxPrompter::chooseRecoveries(const QList<RecoveryChoice>& choices) {
    return RecoveryDialog::choose(choices, m_parent);
}

} // namespace vellum
