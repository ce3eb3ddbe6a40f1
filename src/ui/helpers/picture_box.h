#pragma once

#include <QImage>
#include <QWidget>

namespace vellum {

/// A picture control: it holds one picture and paints it. With AutoSize it takes the size of each
/// picture it is given, so its width and height measure the picture; a file that cannot be decoded
/// leaves it without a picture and with the size it had.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    /// A new control is 105 x 105 pixels.
    static constexpr int DefaultSide = 105;

    explicit PictureBox(QWidget* parent = nullptr);

    const QImage& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    /// Shows `picture` (a null image clears it); with AutoSize the control takes its size when
    /// both sides are above 0.
    void setPicture(const QImage& picture);
    void clear() { setPicture(QImage()); }
    /// Decodes `path` into the control. Returns why a picture was refused (too large), else empty.
    QString loadPicture(const QString& path);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    /// Painted over the whole control.
    void setStretch(bool on);
    /// With Stretch: in the largest rectangle of the picture's proportions.
    void setMaintainAspect(bool on);
    /// At natural size in the middle; with Stretch and MaintainAspect, centred on the free axis.
    void setCenter(bool on);
    /// Pixels of the colour of the picture's top left pixel are not painted.
    void setTransparent(bool on);

    /// Where the picture is painted in the control.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QImage m_painted; // the picture with its transparent colour taken out
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_maintainAspect = false;
    bool m_center = false;
    bool m_transparent = false;
};

} // namespace vellum
