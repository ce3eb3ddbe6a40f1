// The Document helper's BODY tag, its preview colours and the layout of its tiled preview.
#include "core/helpers/body_code.h"
#include "core/helpers/colour.h"
#include "support/qt_printers.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace vellum {
namespace {

// "FFFFFF - 000080 - -": the colours as RGB in attribute order, "-" for one not ticked.
BodyOptions picked(const QString& picks) {
    BodyOptions o;
    const QStringList colours = picks.split(' ');
    for (int i = 0; i < PageColourCount; ++i) {
        const uint rgb = colours[i].toUInt(nullptr, 16);
        o.colours[i] = {colours[i] != "-", bgrFromRgb(int(rgb >> 16), int(rgb >> 8), int(rgb))};
    }
    return o;
}

TEST(BodyTag, ColoursInTheirFixedOrderAndInThePreview) {
    const struct {
        const char* name;
        QString picks;
        QString tag;
        QString preview; // the page, then the words Text, Link, ALink and VLink
    } rows[] = {
        {"nothing ticked: the usual colours", "- - - - -", "<BODY>",
         "none 000000 0000FF FFFFFF FF0000"},
        {"white background and navy link", "FFFFFF - 000080 - -",
         "<BODY bgcolor=\"#FFFFFF\" link=\"#000080\">", "FFFFFF 000000 000080 FFFFFF FF0000"},
        {"only the visited link, red", "- - - - FF0000", "<BODY vlink=\"#FF0000\">",
         "none 000000 0000FF FFFFFF FF0000"},
        {"all five in their fixed order", "C0C0C0 123456 808000 00FF00 0000FF",
         "<BODY bgcolor=\"#C0C0C0\" text=\"#123456\" link=\"#808000\" alink=\"#00FF00\" "
         "vlink=\"#0000FF\">",
         "C0C0C0 123456 808000 00FF00 0000FF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const BodyCode c = bodyGenerator(picked(row.picks), PathStyle::Windows);
        EXPECT_EQ(c.output, row.tag);
        EXPECT_EQ(c.sample, row.tag);
        const QString page = c.background ? colourText(*c.background) : "none";
        EXPECT_EQ(QStringList({page, colourText(c.text), colourText(c.link), colourText(c.alink),
                               colourText(c.vlink)})
                      .join(' '),
                  row.preview);
    }
}

TEST(BodyTag, BackgroundImageComesFirstAsTheFileIsReferred) {
    const QString tile = "d:\\site\\pics\\tile.gif", index = "d:\\site\\index.htm";
    const auto W = PathStyle::Windows, P = PathStyle::Posix;
    const struct {
        const char* name;
        PathStyle style;
        PathMode mode;
        QString file, document;
        QString sample, output; // the background's value
    } rows[] = {
        {"relative", W, PathMode::Relative, tile, index, "pics/tile.gif", "pics/tile.gif"},
        {"absolute: a plain path shown, a file URL inserted", W, PathMode::Absolute, tile, index,
         "d:/site/pics/tile.gif", "file:///d|/site/pics/tile.gif"},
        {"no path", W, PathMode::NoPath, tile, index, "tile.gif", "tile.gif"},
        {"a document never saved: absolute", W, PathMode::Relative, tile, "",
         "d:/site/pics/tile.gif", "file:///d|/site/pics/tile.gif"},
        {"POSIX paths keep their case", P, PathMode::Relative, "/home/Ann/Site/Pics/Tile.GIF",
         "/home/Ann/Site/index.htm", "Pics/Tile.GIF", "Pics/Tile.GIF"},
        {"a quotation mark cannot end the attribute", P, PathMode::Relative, "/site/a\"b.gif",
         "/site/index.htm", "a%22b.gif", "a%22b.gif"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        BodyOptions o = picked("FFFFFF - - - -");
        o.backgroundImage = true;
        o.file = row.file;
        o.documentPath = row.document;
        o.path = row.mode;
        const QString colour = " bgcolor=\"#FFFFFF\">";
        EXPECT_EQ(bodyGenerator(o, row.style).sample,
                  "<BODY background=\"" + row.sample + '"' + colour);
        EXPECT_EQ(bodyGenerator(o, row.style).output,
                  "<BODY background=\"" + row.output + '"' + colour);
        o.backgroundImage = false;
        EXPECT_EQ(bodyGenerator(o, row.style).output, "<BODY" + colour);
    }
}

// "A00 0,0 20x25|A01 20,0 20x25|...": each tile's name, where it stands and its size.
QString described(const std::vector<PlacedTile>& tiles) {
    QStringList out;
    for (const PlacedTile& t : tiles)
        out << QString::asprintf("%c%02d %d,%d %dx%d", 'A' + t.row, t.column, t.rect.x(),
                                 t.rect.y(), t.rect.width(), t.rect.height());
    return out.join('|');
}

// `rows` rows of `across` tiles of one size, edge to edge from the top left corner.
QString grid(int rows, int across, QSize size) {
    std::vector<PlacedTile> out;
    for (int i = 0; i < rows * across; ++i) {
        const QPoint at(i % across * size.width(), i / across * size.height());
        out.push_back({i / across, i % across, QRect(at, size)});
    }
    return described(out);
}

TEST(TileLayout, FillsThePanelWithinNineRowsOfSeven) {
    std::array<QSize, TileCount> fresh, small;
    fresh.fill(QSize(105, 105));
    small.fill(QSize(10, 10));
    std::array<QSize, TileCount> mixed = fresh;
    mixed[0] = QSize(50, 60);
    const struct {
        const char* name;
        QSize picture; // invalid: the file cannot be decoded
        const std::array<QSize, TileCount>& kept;
        QString tiles;
    } rows[] = {
        {"seven a row at most; rows to the height", QSize(20, 25), fresh, grid(4, 7, {20, 25})},
        {"width reached, height passed", QSize(40, 30), fresh, grid(4, 5, {40, 30})},
        {"wider than the panel: one a row", QSize(250, 40), fresh, grid(3, 1, {250, 40})},
        {"one pixel high: nine rows and stop", QSize(30, 1), fresh, grid(9, 7, {30, 1})},
        {"undecodable: tiles keep their size", QSize(), fresh, grid(1, 2, {105, 105})},
        {"undecodable, small: 9 rows of 7", QSize(), small, grid(9, 7, {10, 10})},
        {"undecodable: its first tile steps a row", QSize(), mixed,
         "A00 0,0 50x60|A01 50,0 105x105|A02 100,0 105x105|A03 150,0 105x105|"
         "B00 0,60 105x105|B01 105,60 105x105"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(described(tileLayout(row.picture, {200, 100}, row.kept)), row.tiles);
    }
}

} // namespace
} // namespace vellum
