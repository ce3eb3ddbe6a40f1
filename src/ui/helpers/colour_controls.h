#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>

class QColor;

namespace vellum {

/// The 4 x 4 grid of the sixteen standard colours. A left click makes a cell's colour the current
/// one and reports the change.
class ColourGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellSize = 16;

    explicit ColourGrid(QWidget* parent = nullptr);

    /// The current colour as 0x00BBGGRR.
    quint32 colour() const { return m_colour; }
    /// The rectangle of cell `index` (0..15, reading order), for pointing at it.
    QRect cellRect(int index) const;
    QSize sizeHint() const override;

signals:
    void colourPicked(quint32 colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    quint32 m_colour = 0;
};

/// A button showing a colour (white at first). A click opens the colour dialog set to that
/// colour; confirming sets the button's colour and reports the change; then `clickedAfterDialog`
/// follows, confirmed or not.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    /// `chooser` runs the colour dialog: true, with the colour changed, when confirmed.
    ColourButton(std::function<bool(QColor&)> chooser, QWidget* parent = nullptr);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour);

signals:
    void colourChanged(quint32 colour);
    void clickedAfterDialog();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openDialog();

    std::function<bool(QColor&)> m_chooser;
    quint32 m_colour = 0xFFFFFF;
};

/// 0x00BBGGRR as a colour and back.
QColor colourFromBgr(quint32 bgr);
quint32 bgrFromColour(const QColor& colour);

} // namespace vellum
