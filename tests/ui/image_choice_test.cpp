// Image files as the helpers choose, measure and show them.
#include "platform/helpers/image_decoder.h"
#include "support/image_files.h"
#include "support/qt_printers.h"
#include "support/user_input.h"
#include "ui/helpers/image_file_chooser.h"
#include "ui/helpers/picture_box.h"

#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

TEST(ImageFiles, MeasuredFromTheHeaderAndDecodedWithinBounds) {
    struct Row {
        const char* name;
        std::function<bool(const QString&)> write;
        QSize size;   // as measured
        bool decoded; // a picture comes out
        bool refused; // with a message saying it is too large
    };
    const Row rows[] = {
        {"GIF",
         [](const QString& p) {
             return test::writeBytes(p, test::gifBytes({88, 31}));
         },
         {88, 31},
         true,
         false},
        {"JPEG",
         [](const QString& p) {
             return test::writeImage(p, {40, 20}, "JPEG");
         },
         {40, 20},
         true,
         false},
        {"PNG named .gif",
         [](const QString& p) {
             return test::writeImage(p, {7, 9}, "PNG");
         },
         {7, 9},
         true,
         false},
        {"a truncated GIF",
         [](const QString& p) {
             return test::writeBytes(p, test::gifBytes({16, 16}).left(30));
         },
         {16, 16},
         false,
         false},
        {"bytes that are no picture",
         [](const QString& p) { return test::writeBytes(p, "GIF"); },
         {},
         false,
         false},
        {"a PNG that declares 30000 x 30000",
         [](const QString& p) {
             return test::writeBytes(p, test::pngHeaderBytes({30000, 30000}));
         },
         {30000, 30000},
         false,
         true},
    };
    QTemporaryDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath("picture.gif");
        ASSERT_TRUE(row.write(path));
        EXPECT_EQ(imageFileSize(path), row.size);
        const DecodedImage decoded = decodeImageFile(path);
        EXPECT_EQ(!decoded.image.isNull(), row.decoded);
        if (row.decoded) {
            EXPECT_EQ(decoded.image.size(), row.size);
        }
        EXPECT_EQ(decoded.refusal,
                  row.refused ? "picture.gif is too large to preview (30000 x 30000 pixels)." : "");

        // The picture control takes the picture's size, and keeps its own without one.
        PictureBox control;
        control.setAutoSize(true);
        control.setPicture(QImage(QSize(5, 6), QImage::Format_RGB32));
        control.loadPicture(path);
        EXPECT_EQ(control.hasPicture(), row.decoded);
        EXPECT_EQ(control.size(), row.decoded ? row.size : QSize(5, 6));
    }
}

TEST(ImageFiles, ListsShowImageFilesOfAnyCaseAndFollowTheFolders) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Pics/Old");
    for (const char* name : {"a.gif", "B.JPG", "c.jpeg", "d.Png", "e.txt", "f.bmp"})
        test::writeBytes(dir.filePath(QString("Pics/") + name), "x");
    ImageFileChooser chooser("dirlist", "files");
    QSignalSpy folders(&chooser, &ImageFileChooser::folderChosen);
    QSignalSpy files(&chooser, &ImageFileChooser::fileChosen);
    chooser.setFolder(dir.path());
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    QListWidget* folderList = chooser.folderList();
    QListWidget* fileList = chooser.fileList();
    const auto texts = [](QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    };
    EXPECT_EQ(texts(chooser.folderList()), (QStringList{"..", "Pics"}));
    test::userDoubleClick(folderList->viewport(), test::entryPoint(folderList, "Pics"));
    EXPECT_EQ(chooser.folder(), QDir(dir.path()).absoluteFilePath("Pics"));
    EXPECT_EQ(texts(chooser.fileList()), (QStringList{"a.gif", "B.JPG", "c.jpeg", "d.Png"}));
    EXPECT_EQ(chooser.chosenFile(), "");
    test::userClick(fileList->viewport(), test::entryPoint(fileList, "B.JPG"));
    EXPECT_EQ(chooser.chosenFile(), chooser.folder() + "/B.JPG");
    test::userDoubleClick(folderList->viewport(), test::entryPoint(folderList, ".."));
    EXPECT_EQ(chooser.folder(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(chooser.chosenFile(), "");
    EXPECT_EQ(folders.count(), 2);
    EXPECT_EQ(files.count(), 1);
}

} // namespace
} // namespace vellum
