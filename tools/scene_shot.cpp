// Draws the main window with a document and the Table, Font and Color helpers into one picture,
// for the README: scene_shot OUTPUT.png. Runs on the offscreen platform; nothing is shown.
#include "shot_start.h"
#include "ui/app/helper_registry.h"
#include "ui/editor/document_window.h"
#include "ui/helpers/helper_frame.h"

#include <QApplication>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scene_shot OUTPUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vellum::tools::ShotStart shot;
    if (!shot.run("<HTML>\r\n<HEAD>\r\n<TITLE>My page</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
                  "<H1>My page</H1>\r\n<P>Some text to <B>format</B>.</P>\r\n<TABLE border=1>\r\n"
                  " <TR>\r\n\t<TD> one\r\n\t<TD> two\r\n</TABLE>\r\n</BODY>\r\n</HTML>\r\n",
                  QSize(1100, 720)))
        return 1;
    vellum::MainWindow* main = shot.window();
    QWidget* table = shot.app->helpers().open(QStringLiteral("Table"));
    QWidget* font = shot.app->helpers().open(QStringLiteral("Font"));
    QWidget* color = shot.app->helpers().open(QStringLiteral("Color"));
    // Side by side rather than stacked, so that each can be seen.
    table->move(main->width() - table->width() - 25, 90);
    font->move(table->x() - font->width() - 10, 90);
    color->move(font->x(), 90 + font->height() + 10);
    app.processEvents();

    QImage scene(main->size(), QImage::Format_RGB32);
    QPainter painter(&scene);
    painter.drawPixmap(0, 0, main->grab());
    for (QWidget* helper : {table, font, color}) {
        painter.drawPixmap(helper->pos(), helper->grab());
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRect(helper->pos(), helper->size()).adjusted(0, 0, -1, -1));
    }
    painter.end();
    return scene.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
