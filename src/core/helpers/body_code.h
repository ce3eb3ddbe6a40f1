#pragma once

#include "core/foundation/path_style.h"
#include "core/helpers/file_reference.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vellum {

struct StartTag;

/// The five colours of a page, in the order the BODY tag writes their attributes.
enum class PageColour { Back, Text, Link, ALink, VLink };
inline constexpr int PageColourCount = 5;

/// The Document helper's choices. The defaults are the window's starting values.
struct BodyOptions {
    struct Colour {
        bool on = false;
        quint32 value = 0xFFFFFF; ///< 0x00BBGGRR, written only while `on`
    };

    bool backgroundImage = false;
    /// The chosen image's full path; empty while none is chosen.
    QString file;
    /// The active document's file; empty for a document never saved.
    QString documentPath;
    PathMode path = PathMode::Relative;
    std::array<Colour, PageColourCount> colours{};

    Colour& operator[](PageColour c) { return colours[static_cast<int>(c)]; }
    const Colour& operator[](PageColour c) const { return colours[static_cast<int>(c)]; }
};

/// What the Document helper shows and inserts.
struct BodyCode {
    QString output; ///< the tag as inserted
    QString sample; ///< the tag as shown: the background as a plain path in the absolute form
    /// The preview's page colour; none while the background colour is not chosen, and the panel
    /// then keeps the system's button-face colour.
    std::optional<quint32> background;
    /// The colours of the words "Text", "Link", "ALink" and "VLink" in the preview (0x00BBGGRR):
    /// the chosen ones, else a browser's usual black, blue, white and red.
    quint32 text = 0;
    quint32 link = 0;
    quint32 alink = 0;
    quint32 vlink = 0;
};

/// The opening BODY tag for `options`: the background image first, then bgcolor, text, link,
/// alink and vlink, each only when chosen. The image is referred to as fileReference says.
BodyCode bodyGenerator(const BodyOptions& options, PathStyle style);

/// The preview tiles: 9 rows (A to I) of 7 columns (00 to 06).
inline constexpr int TileRows = 9;
inline constexpr int TileColumns = 7;
inline constexpr int TileCount = TileRows * TileColumns;

/// One tile that shows the picture, where it stands in the preview panel and how large it is.
struct PlacedTile {
    int row;
    int column;
    QRect rect;
};

/// Where the tiles of a tiled background preview go. Each row starts at the left edge and takes
/// the picture again at every picture width until the panel's width is reached (seven at most);
/// rows follow at every picture height until the panel's height is reached (nine at most).
/// `picture` is the picture's size, invalid for a file that cannot be decoded: each tile then
/// keeps the size it has in `kept` (row by row), and those sizes step the rows and columns.
/// Tiles not in the result show nothing.
std::vector<PlacedTile> tileLayout(QSize picture, QSize panel,
                                   const std::array<QSize, TileCount>& kept);

/// The Document helper's choices that would write `tag`, a BODY tag, in the document whose file is
/// `documentPath`: the background image and its path form as readFileReference reads them, and
/// each colour the tag sets. Null for any other tag.
std::optional<BodyOptions> bodyOptionsFromTag(const StartTag& tag, const QString& documentPath,
                                              PathStyle style);

} // namespace vellum
