#pragma once

#include "core/app/path_style.h"

#include <QString>
#include <optional>

namespace vellum {

class SettingsFile;

/// The name of the preview file, in the document's folder or the home's data folder.
inline constexpr char PreviewFileName[] = "_&temp.htm";

/// Where the preview of a document is written: beside the document when its key names a folder,
/// else (an untitled document) in `dataDir`. Windows paths are compared without regard to case,
/// so there the whole path is lower-cased; POSIX paths keep their case, or they would name
/// another file.
QString previewFilePath(const QString& documentKey, const QString& dataDir, PathStyle style);

/// The address the browser is given for a preview file: a file URL, encoded, so that spaces and
/// other characters in folder names survive.
QString previewAddress(const QString& previewPath);

/// Adds a file to the list deleted at exit, unless the list names it already (exact comparison).
/// Returns true when it was added. Throws SettingsError when the settings cannot be written.
bool registerCleanUp(SettingsFile& settings, const QString& path);

/// Why `path` cannot be started as a program (a message naming it), or nothing when it can: it
/// must be an existing file the user may execute.
std::optional<QString> programProblem(const QString& path);

} // namespace vellum
