#include "core/helpers/body_code.h"

#include "core/editor/start_tag.h"
#include "core/helpers/colour.h"

namespace vellum {

namespace {

const char* const AttributeNames[PageColourCount] = {"bgcolor", "text", "link", "alink", "vlink"};

QString backgroundPiece(const QString& path) {
    if (path.isEmpty())
        return {};
    // A quotation mark in a file name would end the attribute early.
    QString safe = path;
    safe.replace(QLatin1Char('"'), QLatin1String("%22"));
    return QStringLiteral(" background=\"") + safe + QLatin1Char('"');
}

quint32 chosenOr(const BodyOptions& options, PageColour which, quint32 otherwise) {
    const BodyOptions::Colour& colour = options[which];
    return colour.on ? colour.value : otherwise;
}

} // namespace

BodyCode bodyGenerator(const BodyOptions& options, PathStyle style) {
    QString colours;
    for (int i = 0; i < PageColourCount; ++i) {
        const BodyOptions::Colour& colour = options.colours[i];
        if (colour.on)
            colours += QLatin1Char(' ') + QLatin1String(AttributeNames[i]) +
                       QStringLiteral("=\"#") + colourText(colour.value) + QLatin1Char('"');
    }
    FileReference reference;
    if (options.backgroundImage)
        reference = fileReference(options.file, options.documentPath, options.path, style);

    BodyCode code;
    const QString open = QStringLiteral("<BODY");
    const QString close = colours + QLatin1Char('>');
    code.output = open + backgroundPiece(reference.output) + close;
    code.sample = open + backgroundPiece(reference.sample) + close;
    if (options[PageColour::Back].on)
        code.background = options[PageColour::Back].value;
    code.text = chosenOr(options, PageColour::Text, bgrFromRgb(0, 0, 0));
    code.link = chosenOr(options, PageColour::Link, bgrFromRgb(0, 0, 0xFF));
    code.alink = chosenOr(options, PageColour::ALink, bgrFromRgb(0xFF, 0xFF, 0xFF));
    code.vlink = chosenOr(options, PageColour::VLink, bgrFromRgb(0xFF, 0, 0));
    return code;
}

std::vector<PlacedTile> tileLayout(QSize picture, QSize panel,
                                   const std::array<QSize, TileCount>& kept) {
    std::vector<PlacedTile> tiles;
    const auto sizeOf = [&](int row, int column) {
        return picture.isValid() && !picture.isEmpty() ? picture : kept[row * TileColumns + column];
    };
    // Each row's first tile measures the row; the next row starts that many rows of it down.
    int rowHeight = 0;
    for (int row = 0; row < TileRows; ++row) {
        const int top = row * rowHeight;
        const QSize first = sizeOf(row, 0);
        tiles.push_back({row, 0, QRect(QPoint(0, top), first)});
        const int step = first.width();
        rowHeight = first.height();
        int across = step;
        for (int column = 1; column < TileColumns && across < panel.width(); ++column) {
            tiles.push_back({row, column, QRect(QPoint(across, top), sizeOf(row, column))});
            across += step;
        }
        if ((row + 1) * rowHeight >= panel.height())
            break;
    }
    return tiles;
}

std::optional<BodyOptions> bodyOptionsFromTag(const StartTag& tag, const QString& documentPath,
                                              PathStyle style) {
    if (tag.name != QLatin1String("BODY"))
        return std::nullopt;
    BodyOptions options;
    options.documentPath = documentPath;
    if (tag.has(u"background")) {
        const ReadReference read = readFileReference(tag.value(u"background"), documentPath, style);
        options.backgroundImage = !read.file.isEmpty();
        options.file = read.file;
        options.path = read.mode;
    }
    for (int i = 0; i < PageColourCount; ++i) {
        const std::optional<quint32> colour =
            colourFromText(tag.value(QString::fromLatin1(AttributeNames[i])));
        options.colours[i].on = colour.has_value();
        if (colour)
            options.colours[i].value = *colour;
    }
    return options;
}

} // namespace vellum
