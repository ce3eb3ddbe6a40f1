#include "core/helpers/image_code.h"

#include "core/editor/start_tag.h"

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

std::optional<ImageOptions> imageOptionsFromTag(const StartTag& tag, const QString& documentPath,
                                                PathStyle style) {
    const bool image = tag.name == QLatin1String("IMG");
    if (!image && !tag.has(u"background"))
        return std::nullopt;
    ImageOptions o;
    o.documentPath = documentPath;
    o.background = !image;
    const ReadReference read =
        readFileReference(tag.value(image ? u"src" : u"background"), documentPath, style);
    o.file = read.file;
    o.path = read.mode;
    if (!image)
        return o;
    o.alt = tag.has(u"alt");
    // No border written is the browsers' own 1.
    o.border = tag.value(u"border", QStringLiteral("1"));
    o.align = tag.value(u"align");
    if (tag.has(u"height") && tag.has(u"width")) {
        o.heightWidth = true;
        o.measured = QSize(tag.value(u"width").toInt(), tag.value(u"height").toInt());
    }
    o.hspace = tag.has(u"hspace");
    // "hspace= vspace=" is read the way browsers read it: hspace with the value "vspace=".
    o.vspace = tag.has(u"vspace") || tag.value(u"hspace").startsWith(QLatin1String("vspace="));
    return o;
}

} // namespace vellum
