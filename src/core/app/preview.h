#pragma once

#include "core/foundation/path_style.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace vellum {

class Document;
class SettingsFile;
class Workspace;

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

/// The preview files this run wrote, each with a fingerprint of what it wrote there: the record
/// that decides what a preview may write over and what goes at exit. A file the run did not write,
/// or whose content has changed since, is the user's and is left alone.
class PreviewFiles {
public:
    /// Writes the document's text, encoded as Save would encode it (the document's own format is
    /// left as it is), as its preview. The name is the preview file path (previewFilePath) when
    /// nothing is there or the file there still holds exactly what this run last wrote into it;
    /// otherwise the first such name of "_&temp1.htm", "_&temp2.htm", ... in the same folder. A
    /// name that is the file of a document open in `workspace` is never taken. Returns the path
    /// written, or an empty text with `error` naming the file or folder.
    QString write(const Document& document, const Workspace& workspace, const QString& dataDir,
                  PathStyle style, QString& error);

    /// True when the run wrote the file at `path` (spelt as write returned it) and it is still a
    /// regular file holding exactly what the run last wrote there.
    bool isUnchanged(const QString& path) const;

    /// At exit: deletes each file of the record that still holds exactly what the run wrote there;
    /// those changed since stay. The record is emptied. Returns how many files were deleted.
    int deleteUnchanged();

private:
    struct Fingerprint {
        qint64 size = 0;
        QByteArray digest;
    };
    static Fingerprint fingerprint(const QByteArray& bytes);

    QMap<QString, Fingerprint> m_written;
};

/// Adds a file to the clean-up list of the settings, unless the list names it already (exact
/// comparison). The list is kept for whoever reads the settings; what the run deletes at exit is
/// decided by PreviewFiles. Returns true when it was added. Throws SettingsError when the settings
/// cannot be written.
bool registerCleanUp(SettingsFile& settings, const QString& path);

/// Why `path` cannot be started as a program (a message naming it), or nothing when it can: it
/// must be an existing file the user may execute.
std::optional<QString> programProblem(const QString& path);

} // namespace vellum
