#pragma once

#include <QString>
#include <QStringList>

namespace vellum {

/// The name filters of the image file lists: GIF and JPEG files, and PNG as well. They are used
/// without regard to case, so "LOGO.GIF" is shown as "logo.gif" is.
QStringList imageNameFilters();

/// The "drives" of the image file lists: the file-system root, then the roots of the volumes the
/// user mounted (removable media, network shares), each once.
QStringList volumeRoots();

/// Where the image file lists start: the folder of the document's file, or `workingFolder` for a
/// document that has none (`documentPath` empty).
QString imageListStart(const QString& documentPath, const QString& workingFolder);

} // namespace vellum
