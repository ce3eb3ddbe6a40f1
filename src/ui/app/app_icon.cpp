#include "ui/app/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace vellum {

QImage drawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 64-unit square, as the scalable icon is.
    p.scale(size / 64.0, size / 64.0);
    const QColor ink(0x5b, 0x4a, 0x2f);
    QPainterPath page;
    page.moveTo(12, 4);
    page.lineTo(40, 4);
    page.lineTo(54, 18);
    page.lineTo(54, 58);
    page.quadTo(54, 60, 52, 60);
    page.lineTo(12, 60);
    page.quadTo(10, 60, 10, 58);
    page.lineTo(10, 6);
    page.quadTo(10, 4, 12, 4);
    p.setPen(QPen(ink, 2));
    p.setBrush(QColor(0xfd, 0xf8, 0xec));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(40, 4);
    corner.lineTo(40, 18);
    corner.lineTo(54, 18);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(QColor(0xe9, 0xdf, 0xc6));
    p.drawPath(corner);
    p.setPen(QPen(QColor(0x00, 0x7a, 0x7a), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{25, 30}, {16, 38}, {25, 46}}));
    p.drawPolyline(QPolygonF({{39, 30}, {48, 38}, {39, 46}}));
    p.drawLine(QPointF(35, 27), QPointF(29, 49));
    return image;
}

QList<int> appIconSizes() {
    return {16, 22, 24, 32, 48, 64, 128, 256};
}

QIcon appIcon() {
    QIcon icon;
    for (const int size : appIconSizes())
        icon.addPixmap(QPixmap::fromImage(drawAppIcon(size)));
    return icon;
}

} // namespace vellum
