// The Image helper choosing, measuring, previewing and inserting real picture files.
#include "support/image_files.h"
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/helpers/image_file_chooser.h"
#include "ui/helpers/image_helper.h"
#include "ui/helpers/picture_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;

using test::userClick;
using test::userClickIndicator;

// Clicks the picture `name` in the helper's file list.
void chooseFile(ImageHelper& image, const QString& name) {
    QListWidget* files = image.chooser()->fileList();
    userClick(files->viewport(), test::entryPoint(files, name));
}

// The helper over the document Site/index.htm, with the picture Site/other.png beside it.
ImageHelper* openHelper(Started& s) {
    s.runAndShow();
    s.open(s.home.write("Site/index.htm", ""));
    test::writeImage(s.home.file("Site/other.png"), {5, 6}, "PNG");
    return qobject_cast<ImageHelper*>(s.app->helpers().open("Image"));
}

TEST(ImageHelper, InsertsThePictureChosenWithItsMeasuredSize) {
    const struct {
        const char* name;
        const char* file;
        QByteArray bytes;
        QString inserted;
        QSize picture; // invalid: no picture
        QString note;  // shown instead of a picture too large to decode
    } rows[] = {
        {"a GIF", "Logo.gif", test::gifBytes({88, 31}),
         "<IMG src=\"Logo.gif\" border=0 height=31 width=88>|", QSize(88, 31), ""},
        {"a JPEG", "photo.JPG", QByteArray(),
         "<IMG src=\"photo.JPG\" border=0 height=20 width=40>|", QSize(40, 20), ""},
        {"a PNG", "dot.png", QByteArray(), "<IMG src=\"dot.png\" border=0 height=9 width=7>|",
         QSize(7, 9), ""},
        {"bytes that are no picture: no size, no picture", "junk.gif", "GIF87a\x01",
         "<IMG src=\"junk.gif\" border=0>|", QSize(), ""},
        {"a truncated GIF: measured, not shown", "cut.gif", test::gifBytes({16, 16}).left(30),
         "<IMG src=\"cut.gif\" border=0 height=16 width=16>|", QSize(), ""},
        {"a picture too large to decode: measured, the preview says why", "huge.png",
         test::pngHeaderBytes({30000, 30000}),
         "<IMG src=\"huge.png\" border=0 height=30000 width=30000>|", QSize(),
         "huge.png is too large to preview (30000 x 30000 pixels)."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.write("Vellum", "prev", "sure");
        const QString path = s.home.write(QString("Site/") + row.file, row.bytes);
        if (row.bytes.isEmpty()) {
            test::writeImage(path, row.picture, path.endsWith("png") ? "PNG" : "JPEG");
        }
        ImageHelper* image = openHelper(s);
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(image->previewBox()->isVisible());
        chooseFile(*image, row.file);
        userClickIndicator(image->heightWidthCheck());
        userClick(image->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.inserted);

        EXPECT_EQ(image->picture()->hasPicture(), row.picture.isValid());
        if (row.picture.isValid()) {
            EXPECT_EQ(image->picture()->size(), row.picture);
        }
        EXPECT_EQ(image->previewNote()->isVisible(), !row.note.isEmpty());
        EXPECT_EQ(image->previewNote()->text(), row.note);

        // Another file clears the size measured for this one; asked again, it measures anew.
        chooseFile(*image, "other.png");
        EXPECT_FALSE(image->heightWidthCheck()->isChecked());
        userClickIndicator(image->heightWidthCheck());
        EXPECT_EQ(image->sampleLabel()->text(),
                  "<IMG src=\"other.png\" border=0 height=6 width=5>");
        EXPECT_TRUE(image->picture()->isVisible());
    }
}

TEST(ImageHelper, PreviewChoiceSurvivesReopening) {
    Started s;
    ImageHelper* image = openHelper(s);
    ASSERT_NE(image, nullptr);
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "preview on" : "preview off");
        EXPECT_EQ(image->previewCheck()->isChecked(), !on);
        userClickIndicator(image->findChild<QLabel*>("Label1"));
        EXPECT_EQ(image->previewBox()->isVisible(), on);
        userClick(image->findChild<QPushButton*>("SpeedButton2"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(s.read("Vellum", "prev"), on ? "sure" : "");

        image = qobject_cast<ImageHelper*>(s.app->helpers().open("Image"));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->previewCheck()->isChecked(), on);
        EXPECT_EQ(image->previewBox()->isVisible(), on);
    }
}

} // namespace
} // namespace vellum
