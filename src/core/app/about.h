#pragma once

#include <QString>

namespace vellum {

/// The program's version, set once in the build (the project's version).
QString programVersion();

/// What "About VellumHTML" says: the version, the licence and the Qt version the program runs on
/// (`qtVersion`, as the running library reports it).
QString aboutText(const QString& qtVersion);

} // namespace vellum
