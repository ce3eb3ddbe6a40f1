// The Document helper putting its BODY tag into a real document through its window.
#include "core/helpers/helper_placement.h"
#include "support/image_files.h"
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/colour_controls.h"
#include "ui/helpers/document_helper.h"
#include "ui/helpers/image_file_chooser.h"
#include "ui/helpers/picture_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;
using test::userClick;
using C = PageColour;

// Picks grid cell 9 (red) or 4 (navy) of a colour.
void cell(DocumentHelper& d, C colour, int index) {
    ColourGrid* grid = d.picker(colour)->grid();
    userClick(grid, grid->cellRect(index).center());
}

// Opens the helper over a document saved in Site that holds `drawn`.
DocumentHelper* openOn(Started& s, const QString& drawn) {
    s.runAndShow();
    s.open(s.home.write("Site/index.htm", ""));
    test::load(*s.active(), drawn);
    return qobject_cast<DocumentHelper*>(s.app->helpers().open("Document"));
}

TEST(DocumentHelper, ColoursTickTheirBoxesAndGoIntoTheTag) {
    const struct {
        const char* name;
        void (*act)(DocumentHelper&);
        QString tag;
        QString shown; // a word of the preview, and its colour
    } rows[] = {
        {"a grid's red cell ticks its box", [](DocumentHelper& d) { cell(d, C::VLink, 9); },
         "<BODY vlink=\"#FF0000\">", "vlinkcol #ff0000"},
        {"unticked, the attribute goes but the button keeps the colour; a cancelled dialog "
         "ticks the box again",
         [](DocumentHelper& d) {
             cell(d, C::Link, 4);
             test::userClickIndicator(d.colourCheck(C::Link));
             EXPECT_EQ(d.sample()->text(), "<BODY>");
             EXPECT_EQ(d.findChild<QWidget*>("linkcol")->palette().color(QPalette::WindowText),
                       QColor(Qt::blue));
             userClick(d.picker(C::Link)->button());
         },
         "<BODY link=\"#000080\">", "linkcol #000080"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        DocumentHelper* doc = openOn(s, "ab[cd]ef");
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->pos(), centredPosition(doc->screen()->geometry().size(), doc->size()));
        row.act(*doc);
        userClick(doc->insertButton());
        EXPECT_EQ(test::drawn(*s.active()), "ab" + row.tag + "|ef");
        const QStringList shown = row.shown.split(' ');
        EXPECT_EQ(doc->findChild<QWidget*>(shown[0])->palette().color(QPalette::WindowText).name(),
                  shown[1]);
    }
}

TEST(DocumentHelper, BackgroundImageIsReferencedAndTiled) {
    const struct {
        const char* name;
        QSize earlier;           // a GIF previewed first as Old.gif; empty: none
        QSize picture;           // a PNG chosen as Tile.gif
        int pathMode;            // index in the path list; -1: not chosen
        QString shown, inserted; // the background's value; %1: the document's folder
        int tiles;               // tiles showing the picture, edge to edge
    } rows[] = {
        {"small: seven a row, rows down the panel", QSize(), QSize(40, 30), -1, "Tile.gif",
         "Tile.gif", 28},
        {"wider than the panel after a small one: one a row, the rest cleared", QSize(40, 30),
         QSize(400, 20), -1, "Tile.gif", "Tile.gif", 5},
        {"absolute: the path shown, a file URL inserted", QSize(), QSize(400, 20), 1, "%1/Tile.gif",
         "file://%1/Tile.gif", 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        const QString site = s.home.file("Site");
        ASSERT_TRUE(QDir().mkpath(site));
        ASSERT_TRUE(test::writeImage(site + "/Tile.gif", row.picture, "PNG"));
        ASSERT_TRUE(test::writeBytes(site + "/Old.gif", test::gifBytes(row.earlier)));
        DocumentHelper* doc = openOn(s, "|");
        ASSERT_NE(doc, nullptr);
        EXPECT_FALSE(doc->chooser()->isEnabled());
        test::userClickIndicator(doc->backgroundCheck());
        EXPECT_TRUE(doc->chooser()->isEnabled());
        if (row.pathMode >= 0)
            test::userChoose(doc->pathList(), row.pathMode);
        QListWidget* files = doc->chooser()->fileList();
        if (!row.earlier.isEmpty())
            userClick(files->viewport(), test::entryPoint(files, "Old.gif"));
        userClick(files->viewport(), test::entryPoint(files, "Tile.gif"));
        const auto tag = [&](const QString& at) {
            return "<BODY background=\"" + QString(at).replace("%1", site) + "\">";
        };
        EXPECT_EQ(doc->sample()->text(), tag(row.shown));
        int shown = 0;
        for (int i = 0; i < TileCount; ++i) {
            const PictureBox* tile = doc->tile(i / TileColumns, i % TileColumns);
            const QPoint at(i % TileColumns * row.picture.width(),
                            i / TileColumns * row.picture.height());
            shown += tile->hasPicture();
            EXPECT_TRUE(!tile->hasPicture() || tile->geometry() == QRect(at, row.picture)) << i;
        }
        EXPECT_EQ(shown, row.tiles);
        userClick(doc->insertButton());
        EXPECT_EQ(test::drawn(*s.active()), tag(row.inserted) + "|");
    }
}

} // namespace
} // namespace vellum
