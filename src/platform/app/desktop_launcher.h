#pragma once

#include "core/app/program_flows.h"

namespace vellum {

/// Starts programs as separate processes and finds other programs' windows on this desktop.
class DesktopLauncher : public ProgramLauncher {
public:
    bool startProgram(const QString& program, const QStringList& arguments,
                      QString& error) override;
    bool openWithDefaultApplication(const QString& path, QString& error) override;
    Window findWindow(const QString& title) override;
    void activateWindow(Window window) override;
};

} // namespace vellum
