#include "ui/helpers/picture_box.h"

#include "platform/helpers/image_decoder.h"

#include <QPainter>

namespace vellum {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    resize(DefaultSide, DefaultSide);
}

void PictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    setTransparent(m_transparent);
    if (m_autoSize && picture.width() > 0 && picture.height() > 0)
        resize(picture.size());
    update();
}

QString PictureBox::loadPicture(const QString& path) {
    const DecodedImage decoded = decodeImageFile(path);
    setPicture(decoded.image);
    return decoded.refusal;
}

void PictureBox::setAutoSize(bool on) {
    m_autoSize = on;
    if (on && hasPicture())
        resize(m_picture.size());
}

void PictureBox::setStretch(bool on) {
    m_stretch = on;
    update();
}

void PictureBox::setMaintainAspect(bool on) {
    m_maintainAspect = on;
    update();
}

void PictureBox::setCenter(bool on) {
    m_center = on;
    update();
}

void PictureBox::setTransparent(bool on) {
    m_transparent = on;
    m_painted = m_picture;
    if (on && !m_picture.isNull()) {
        m_painted = m_picture.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = m_painted.pixel(0, 0);
        for (int y = 0; y < m_painted.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_painted.scanLine(y));
            for (int x = 0; x < m_painted.width(); ++x) {
                if (line[x] == key)
                    line[x] = 0;
            }
        }
    }
    update();
}

QRect PictureBox::pictureRect() const {
    const QSize natural = m_picture.size();
    if (m_stretch) {
        if (!m_maintainAspect)
            return rect();
        const QSize fitted = natural.scaled(size(), Qt::KeepAspectRatio);
        if (!m_center)
            return QRect(QPoint(0, 0), fitted);
        return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                     fitted);
    }
    if (m_center)
        return QRect(QPoint((width() - natural.width()) / 2, (height() - natural.height()) / 2),
                     natural);
    return QRect(QPoint(0, 0), natural);
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(pictureRect(), m_painted);
}

} // namespace vellum
