// Writes the program's icon as PNG files of the usual sizes, NxN/vellumhtml.png under the folder
// given, for the icon theme of an installed copy.
#include "ui/app/app_icon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons FOLDER\n");
        return 2;
    }
    for (const int size : vellum::appIconSizes()) {
        const QString folder =
            QStringLiteral("%1/%2x%2").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) ||
            !vellum::drawAppIcon(size).save(folder + QStringLiteral("/vellumhtml.png"))) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
