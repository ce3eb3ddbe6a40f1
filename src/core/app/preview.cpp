#include "core/app/preview.h"

#include "core/app/settings_file.h"
#include "core/app/settings_keys.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vellum {

namespace {

QString lowerAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return out;
}

} // namespace

QString previewFilePath(const QString& documentKey, const QString& dataDir, PathStyle style) {
    QString folder = directoryPart(documentKey, style);
    if (folder.isEmpty()) {
        const QChar separator = style == PathStyle::Windows ? QLatin1Char('\\') : QLatin1Char('/');
        folder = dataDir;
        if (!folder.endsWith(separator))
            folder += separator;
    }
    const QString path = folder + QLatin1String(PreviewFileName);
    return style == PathStyle::Windows ? lowerAscii(path) : path;
}

QString previewAddress(const QString& previewPath) {
    return QUrl::fromLocalFile(previewPath).toString(QUrl::FullyEncoded);
}

bool registerCleanUp(SettingsFile& settings, const QString& path) {
    namespace C = keys::CleanUp;
    const int count = settings.readInt(C::Section, C::Count, 0);
    for (int i = 1; i <= count; ++i) {
        if (settings.readText(C::Section, QString::number(i)) == path)
            return false;
    }
    // The count and its entry go in one rewrite: a failure leaves neither half written.
    settings.writeTexts({{C::Section, C::Count, QString::number(count + 1)},
                         {C::Section, QString::number(count + 1), path}});
    return true;
}

std::optional<QString> programProblem(const QString& path) {
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.exists())
        return QStringLiteral("%1 does not exist.").arg(shown);
    if (!info.isFile())
        return QStringLiteral("%1 is not a file, so it cannot be started as a program.").arg(shown);
    if (!info.isExecutable())
        return QStringLiteral("%1 is not an executable program.").arg(shown);
    return std::nullopt;
}

} // namespace vellum
