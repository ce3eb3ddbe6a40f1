#include "core/helpers/image_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace vellum {

QStringList imageNameFilters() {
    return {QStringLiteral("*.gif"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
            QStringLiteral("*.png")};
}

QStringList volumeRoots() {
    QStringList roots{QDir::rootPath()};
    // The system's own mounts (kernel views, boot partitions) are no places to keep pictures in.
    const QStringList userPlaces{QStringLiteral("/media/"), QStringLiteral("/mnt/"),
                                 QStringLiteral("/run/media/"),
                                 QDir::homePath() + QLatin1Char('/')};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || roots.contains(root))
            continue;
        for (const QString& place : userPlaces) {
            if ((root + QLatin1Char('/')).startsWith(place)) {
                roots << root;
                break;
            }
        }
    }
    return roots;
}

QString imageListStart(const QString& documentPath, const QString& workingFolder) {
    if (documentPath.isEmpty())
        return workingFolder;
    return QFileInfo(documentPath).absolutePath();
}

} // namespace vellum
