#include "core/helpers/image_code.h"

namespace vellum {

namespace {

QString quoted(const QString& reference) {
    QString safe = reference;
    safe.replace(QLatin1Char('"'), QLatin1String("%22"));
    return QLatin1Char('"') + safe + QLatin1Char('"');
}

// Everything after src="...", the same for the sample and the output.
QString attributes(const ImageOptions& o) {
    QString out;
    if (o.alt)
        out += QStringLiteral(" alt=\"\"");
    if (o.border != QLatin1String("1"))
        out += QStringLiteral(" border=") + o.border;
    if (!o.align.isEmpty() && o.align != QLatin1String("default"))
        out += QStringLiteral(" align=") + o.align;
    if (o.heightWidth && !o.file.isEmpty() && !o.measured.isEmpty()) {
        out += QStringLiteral(" height=") + QString::number(o.measured.height());
        out += QStringLiteral(" width=") + QString::number(o.measured.width());
    }
    if (o.hspace)
        out += QStringLiteral(" hspace=");
    if (o.vspace)
        out += QStringLiteral(" vspace=");
    return out;
}

} // namespace

ImageCode imageGenerator(const ImageOptions& o, PathStyle style) {
    const FileReference reference = fileReference(o.file, o.documentPath, o.path, style);
    ImageCode code;
    if (o.background) {
        code.sample = QStringLiteral("background=") + quoted(reference.sample);
        code.output = QStringLiteral("background=") + quoted(reference.output);
        return code;
    }
    const QString rest = attributes(o) + QLatin1Char('>');
    code.sample = QStringLiteral("<IMG src=") + quoted(reference.sample) + rest;
    code.output = QStringLiteral("<IMG src=") + quoted(reference.output) + rest;
    return code;
}

} // namespace vellum
