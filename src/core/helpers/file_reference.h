#pragma once

#include "core/foundation/path_style.h"

#include <QString>
#include <QStringList>

namespace vellum {

/// How a file chosen in a helper is referred to from the document.
enum class PathMode {
    Relative, ///< below the document's folder (also while the user has not chosen)
    Absolute, ///< a file URL
    NoPath,   ///< the file's name alone
};

/// The forms of a path in the order a helper's path list offers them: "relative path", "absolute
/// path", "no path".
QStringList pathModeCaptions();

/// The form at `index` of a path list whose items are pathModeCaptions(): Relative while the user
/// has chosen none (a negative index) and for an index past the list.
PathMode pathModeAt(int index);

/// A chosen file as the helpers write it: `sample` is shown to the user, `output` inserted. They
/// differ only in the absolute form, whose sample is the plain path.
struct FileReference {
    QString sample;
    QString output;
    /// The absolute form was used (asked for, or no relative path was possible).
    bool absolute = false;
};

/// The reference to `file` from the document whose file is `documentPath` (empty for a document
/// never saved); both texts empty when no file is chosen. Relative falls back to the absolute form
/// when the document has no folder or the file is not in its folder's tree. With the Windows path
/// style every path is written in lower case with "/" separators and the absolute output is
/// "file:///" with "|" for the drive colon; POSIX paths keep their case and the absolute output is
/// "file://" followed by the path.
FileReference fileReference(const QString& file, const QString& documentPath, PathMode mode,
                            PathStyle style);

/// A file reference read back from a document: the file and the form it was written in.
struct ReadReference {
    QString file;
    PathMode mode = PathMode::Relative;
};

/// The file and form that fileReference would write as `output` from the document whose file is
/// `documentPath`: a file URL is the absolute form; any other text is relative to the document's
/// folder, or the file's name alone (no path) for a document without one. A name alone in a
/// document with a folder reads as relative, which writes it the same way.
ReadReference readFileReference(const QString& output, const QString& documentPath,
                                PathStyle style);

} // namespace vellum
