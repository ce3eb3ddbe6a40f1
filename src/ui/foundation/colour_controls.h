#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>

class QBoxLayout;
class QColor;

namespace vellum {

class ClickLabel;

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
/// follows, confirmed (`changed`) or not.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    /// `chooser` runs the colour dialog: true, with the colour changed, when confirmed.
    ColourButton(std::function<bool(QColor&)> chooser, QWidget* parent = nullptr);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour);

signals:
    void colourChanged(quint32 colour);
    void clickedAfterDialog(bool changed);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openDialog();

    std::function<bool(QColor&)> m_chooser;
    quint32 m_colour = 0xFFFFFF;
};

/// A colour grid with its colour button and a caption under the button: picking a cell gives the
/// button that colour. The helpers that choose colours are built on it.
class ColourPicker : public QWidget {
    Q_OBJECT
public:
    /// The button column stands beside the grid, or the grid heads the column.
    enum class Layout { ButtonBeside, GridAbove };

    /// `chooser` runs the colour dialog (see ColourButton).
    ColourPicker(std::function<bool(QColor&)> chooser, const QString& caption, Layout layout,
                 QWidget* parent = nullptr);

    ColourGrid* grid() const { return m_grid; }
    ColourButton* button() const { return m_button; }
    ClickLabel* caption() const { return m_caption; }
    /// The button's colour as 0x00BBGGRR.
    quint32 colour() const;
    /// Adds a control at the foot of the button's column.
    void addToColumn(QWidget* widget);

signals:
    /// A grid cell was picked; the button shows its colour already.
    void picked(quint32 colour);
    /// The button's colour dialog closed; `changed` when a colour was confirmed.
    void dialogClosed(bool changed);
    void captionClicked();

private:
    ColourGrid* m_grid;
    ColourButton* m_button;
    ClickLabel* m_caption;
    QBoxLayout* m_column;
};

/// 0x00BBGGRR as a colour and back.
QColor colourFromBgr(quint32 bgr);
quint32 bgrFromColour(const QColor& colour);

} // namespace vellum
