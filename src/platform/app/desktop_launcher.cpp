#include "platform/app/desktop_launcher.h"

#include "platform/app/desktop_windows.h"
#include "platform/app/programs.h"

namespace vellum {

bool DesktopLauncher::startProgram(const QString& program, const QStringList& arguments,
                                   QString& error) {
    return vellum::startProgram(program, arguments, error);
}

bool DesktopLauncher::openWithDefaultApplication(const QString& path, QString& error) {
    return vellum::openWithDefaultApplication(path, error);
}

DesktopLauncher::Window DesktopLauncher::findWindow(const QString& title) {
    return findWindowByTitle(title);
}

void DesktopLauncher::activateWindow(Window window) {
    activateDesktopWindow(window);
}

} // namespace vellum
