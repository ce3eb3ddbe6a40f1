#pragma once

// A small web site on disk for the pictures of the manual: two pages, and pictures in GIF, JPEG
// and PNG in a folder of their own, drawn here.

#include "support/image_files.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

namespace vellum::tools {

/// The site's front page: the page the pictures show in the editor.
inline const char* const SampleFrontPage =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
    "<TITLE>Ann's garden</TITLE>\r\n</HEAD>\r\n<BODY bgcolor=\"#FFFFF0\" link=\"#206020\">\r\n"
    "<H1><IMG src=\"Pics/logo.png\" alt=\"\" height=48 width=48> Ann's garden</H1>\r\n"
    "<P>Notes from a small garden, season by season: what grew, what did not, and why.</P>\r\n"
    "<P><IMG src=\"Pics/roses.jpg\" alt=\"The roses in June\" height=120 width=180></P>\r\n"
    "<H2>This season</H2>\r\n<P>The roses came early this year. See the "
    "<A href=\"about.htm\">about page</A> for how the garden began.</P>\r\n</BODY>\r\n"
    "</HTML>\r\n";

/// A GIF of one colour, `rgb` as three bytes.
inline QByteArray gifOfColour(QSize size, const char* rgb) {
    QByteArray bytes = test::gifBytes(size);
    // The first colour of the global table, which every pixel takes, follows the 13-byte header.
    bytes.replace(13, 3, QByteArray(rgb, 3));
    return bytes;
}

/// Writes the site into `folder` (made if need be); false when a file could not be written.
inline bool writeSampleSite(const QString& folder) {
    const QDir site(folder);
    if (!site.mkpath(QStringLiteral("Pics")))
        return false;
    bool written = test::writeBytes(site.filePath(QStringLiteral("index.htm")), SampleFrontPage);
    written &= test::writeBytes(
        site.filePath(QStringLiteral("about.htm")),
        "<HTML>\r\n<HEAD><TITLE>About</TITLE></HEAD>\r\n<BODY background=\"Pics/tile.gif\">\r\n"
        "<P>The garden began with three roses.</P>\r\n</BODY>\r\n</HTML>\r\n");
    // A green emblem with a flower.
    QImage logo(48, 48, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    {
        QPainter p(&logo);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x30, 0x80, 0x40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(2, 2, 44, 44);
        p.setBrush(QColor(0xF0, 0xD0, 0x40));
        for (int i = 0; i < 6; ++i) {
            p.save();
            p.translate(24, 24);
            p.rotate(60 * i);
            p.drawEllipse(-5, -17, 10, 14);
            p.restore();
        }
        p.setBrush(QColor(0xC0, 0x50, 0x20));
        p.drawEllipse(18, 18, 12, 12);
    }
    written &= logo.save(site.filePath(QStringLiteral("Pics/logo.png")), "PNG");
    // A photograph of sorts: sky, a lawn and three roses.
    QImage roses(360, 240, QImage::Format_RGB32);
    {
        QPainter p(&roses);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, 150);
        sky.setColorAt(0, QColor(0x70, 0xA8, 0xE0));
        sky.setColorAt(1, QColor(0xD8, 0xE8, 0xF8));
        p.fillRect(0, 0, 360, 150, sky);
        p.fillRect(0, 150, 360, 90, QColor(0x50, 0x90, 0x40));
        p.setPen(QPen(QColor(0x30, 0x60, 0x20), 4));
        p.setBrush(QColor(0xD0, 0x20, 0x40));
        for (int x : {90, 180, 270}) {
            p.drawLine(x, 200, x, 120);
            p.drawEllipse(QPoint(x, 110), 22, 20);
        }
    }
    written &= roses.save(site.filePath(QStringLiteral("Pics/roses.jpg")), "JPEG", 90);
    written &= test::writeBytes(site.filePath(QStringLiteral("Pics/tile.gif")),
                                gifOfColour({32, 32}, "\xF4\xEC\xD4"));
    written &= test::writeBytes(site.filePath(QStringLiteral("Pics/bullet.gif")),
                                gifOfColour({12, 12}, "\x40\x80\x40"));
    return written;
}

} // namespace vellum::tools
