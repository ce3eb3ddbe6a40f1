#include "core/app/save_rules.h"

#include <QFileInfo>

namespace vellum {

namespace {
int lastSeparator(const QString& path, PathStyle style) {
    if (style == PathStyle::Windows)
        return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':')));
    return path.lastIndexOf(QLatin1Char('/'));
}
} // namespace

QString fileNamePart(const QString& path, PathStyle style) {
    return path.mid(lastSeparator(path, style) + 1);
}

QString withSaveExtension(const QString& name, const QString& defext, PathStyle style) {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= lastSeparator(name, style)) {
        const bool html = defext == QLatin1String("html");
        return name + (html ? QStringLiteral(".html") : QStringLiteral(".htm"));
    }
    if (dot == name.size() - 1)
        return name.left(dot);
    return name;
}

bool keyNamesPath(const QString& key, const QString& path, PathStyle style) {
    if (style == PathStyle::Windows)
        return key == upperAscii(path);
    if (key == pathIdentity(path, style))
        return true;
    const QString canonicalKey = QFileInfo(key).canonicalFilePath();
    return !canonicalKey.isEmpty() && canonicalKey == QFileInfo(path).canonicalFilePath();
}

QString replacePrompt(const QString& path, PathStyle style) {
    return QStringLiteral("Replace existing ") + fileNamePart(path, style) + QStringLiteral(" ?");
}

QString currentlyOpenMessage(const QString& path) {
    return path + QStringLiteral(" is currently open.\n\rClose the open file and try again.");
}

QString alreadyOpenMessage(const QString& path) {
    return path + QStringLiteral(" is already open.");
}

} // namespace vellum
