#include "core/foundation/path_style.h"

#include <QDir>
#include <QFileInfo>

namespace vellum {

PathStyle nativePathStyle() {
#ifdef Q_OS_WIN
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

QString upperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return out;
}

QString pathIdentity(const QString& path, PathStyle style) {
    if (style == PathStyle::Windows)
        return upperAscii(path);
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString directoryPart(const QString& path, PathStyle style) {
    int cut = path.lastIndexOf(QLatin1Char('/'));
    if (style == PathStyle::Windows)
        cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

} // namespace vellum
