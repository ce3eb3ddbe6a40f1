#include "core/app/about.h"

#include "vellum_version.h"

namespace vellum {

QString programVersion() {
    return QStringLiteral(VELLUM_VERSION);
}

QString aboutText(const QString& qtVersion) {
    return QStringLiteral("VellumHTML %1\n\nAn editor for writing HTML by hand.\n\n"
                          "Licence: MIT (Expat). Copyright 2026 the VellumHTML developers.\n\n"
                          "Running on Qt %2.")
        .arg(programVersion(), qtVersion);
}

} // namespace vellum
