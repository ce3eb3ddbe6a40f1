#include "platform/app/programs.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

namespace vellum {

bool startProgram(const QString& program, const QStringList& arguments, QString& error) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // The program's output is its own business, and it must not stop on a closed input.
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    error = QStringLiteral("Cannot start %1: %2.")
                .arg(QDir::toNativeSeparators(program), process.errorString());
    return false;
}

bool openWithDefaultApplication(const QString& path, QString& error) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    error = QStringLiteral("No application could be found to open %1.")
                .arg(QDir::toNativeSeparators(path));
    return false;
}

} // namespace vellum
