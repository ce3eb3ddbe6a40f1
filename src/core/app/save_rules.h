#pragma once

#include "core/foundation/path_style.h"

#include <QString>

namespace vellum {

/// The file-name part of a path (after the last separator of the style).
QString fileNamePart(const QString& path, PathStyle style);

/// The name Save As writes to: a name ending in a bare "." loses the dot; a name without an
/// extension gets ".html" when `defext` is "html", else ".htm"; any other extension stays. The
/// extension is the text from the last "." after the last separator.
QString withSaveExtension(const QString& name, const QString& defext, PathStyle style);

/// True when a document key names the same document as `path` (keys compare upper-cased on
/// Windows; on POSIX the canonical paths compare, so a link or "./" spelling is the same file).
bool keyNamesPath(const QString& key, const QString& path, PathStyle style);

/// "Replace existing NAME ?"
QString replacePrompt(const QString& path, PathStyle style);

/// PATH " is currently open." LF CR "Close the open file and try again."
QString currentlyOpenMessage(const QString& path);

/// PATH " is already open."
QString alreadyOpenMessage(const QString& path);

} // namespace vellum
