#include "core/helpers/file_reference.h"

#include <iterator>

namespace vellum {

namespace {

// Lower case with "/" separators in the Windows style; POSIX paths are taken as they are.
QString written(const QString& path, PathStyle style) {
    if (style == PathStyle::Posix)
        return path;
    return path.toLower().replace(QLatin1Char('\\'), QLatin1Char('/'));
}

struct PathChoice {
    PathMode mode;
    const char* caption;
};

const PathChoice PathChoices[] = {
    {PathMode::Relative, "relative path"},
    {PathMode::Absolute, "absolute path"},
    {PathMode::NoPath, "no path"},
};

} // namespace

QStringList pathModeCaptions() {
    QStringList captions;
    for (const PathChoice& choice : PathChoices)
        captions << QString::fromLatin1(choice.caption);
    return captions;
}

PathMode pathModeAt(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(PathChoices)))
        return PathMode::Relative;
    return PathChoices[index].mode;
}

FileReference fileReference(const QString& file, const QString& documentPath, PathMode mode,
                            PathStyle style) {
    FileReference reference;
    if (file.isEmpty())
        return reference;
    const QString f = written(file, style);
    if (mode == PathMode::NoPath) {
        reference.sample = reference.output = f.mid(f.lastIndexOf(QLatin1Char('/')) + 1);
        return reference;
    }
    const QString folder = written(directoryPart(documentPath, style), style);
    if (mode == PathMode::Relative && !folder.isEmpty() && f.startsWith(folder)) {
        reference.sample = reference.output = f.mid(folder.size());
        return reference;
    }
    reference.absolute = true;
    reference.sample = f;
    reference.output =
        style == PathStyle::Posix
            ? QStringLiteral("file://") + f
            : QStringLiteral("file:///") + QString(f).replace(QLatin1Char(':'), QLatin1Char('|'));
    return reference;
}

ReadReference readFileReference(const QString& output, const QString& documentPath,
                                PathStyle style) {
    ReadReference read;
    const QString url =
        style == PathStyle::Posix ? QStringLiteral("file://") : QStringLiteral("file:///");
    if (output.startsWith(url, Qt::CaseInsensitive)) {
        read.mode = PathMode::Absolute;
        read.file = output.mid(url.size());
        // The drive's colon is written "|" in the Windows form.
        if (style == PathStyle::Windows)
            read.file.replace(QLatin1Char('|'), QLatin1Char(':'));
        return read;
    }
    if (output.isEmpty())
        return read;
    const QString folder = written(directoryPart(documentPath, style), style);
    if (folder.isEmpty()) {
        read.mode = PathMode::NoPath;
        read.file = output;
        return read;
    }
    read.file = folder + output;
    return read;
}

} // namespace vellum
