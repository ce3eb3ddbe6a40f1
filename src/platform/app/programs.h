#pragma once

#include <QString>
#include <QStringList>

namespace vellum {

/// Starts `program` with `arguments`, each handed to it as one argument exactly as given: no shell
/// reads them, so spaces, quotes, "$(...)" or a leading "-" in a name mean nothing special. The
/// program runs on its own, outliving this one. Returns false with `error` (naming the program)
/// when it could not be started.
bool startProgram(const QString& program, const QStringList& arguments, QString& error);

/// Opens a file that is not a program with the application the desktop associates with it.
/// Returns false with `error` when the desktop could not open it.
bool openWithDefaultApplication(const QString& path, QString& error);

} // namespace vellum
