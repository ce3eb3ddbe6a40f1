#include "ui/foundation/colour_controls.h"

#include "core/helpers/colour.h"
#include "ui/foundation/click_label.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QPainter>

namespace vellum {

QColor colourFromBgr(quint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

quint32 bgrFromColour(const QColor& colour) {
    return bgrFromRgb(colour.red(), colour.green(), colour.blue());
}

ColourGrid::ColourGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ColorGrid1"));
    setFixedSize(sizeHint());
}

QSize ColourGrid::sizeHint() const {
    return {4 * CellSize + 1, 4 * CellSize + 1};
}

QRect ColourGrid::cellRect(int index) const {
    return {(index % 4) * CellSize, (index / 4) * CellSize, CellSize, CellSize};
}

void ColourGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const auto& colours = gridColours();
    for (int i = 0; i < 16; ++i) {
        p.fillRect(cellRect(i), colourFromBgr(colours[i]));
        p.setPen(colours[i] == m_colour ? Qt::white : Qt::gray);
        p.drawRect(cellRect(i).adjusted(0, 0, -1, -1));
    }
}

void ColourGrid::mousePressEvent(QMouseEvent* event) {
    // Only the left button picks; the right one chooses nothing a helper uses.
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const int column = at.x() / CellSize;
    const int row = at.y() / CellSize;
    if (column < 0 || column > 3 || row < 0 || row > 3)
        return;
    m_colour = gridColours()[row * 4 + column];
    update();
    emit colourPicked(m_colour);
}

ColourButton::ColourButton(std::function<bool(QColor&)> chooser, QWidget* parent)
    : QPushButton(parent), m_chooser(std::move(chooser)) {
    setObjectName(QStringLiteral("Colorbox1"));
    setFixedSize(40, 22);
    connect(this, &QPushButton::clicked, this, &ColourButton::openDialog);
}

void ColourButton::setColour(quint32 colour) {
    m_colour = colour;
    update();
}

void ColourButton::openDialog() {
    QColor colour = colourFromBgr(m_colour);
    const bool changed = m_chooser && m_chooser(colour);
    if (changed) {
        setColour(bgrFromColour(colour));
        emit colourChanged(m_colour);
    }
    emit clickedAfterDialog(changed);
}

void ColourButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect swatch = rect().adjusted(5, 5, -5, -5);
    p.fillRect(swatch, colourFromBgr(m_colour));
    p.setPen(Qt::black);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

ColourPicker::ColourPicker(std::function<bool(QColor&)> chooser, const QString& caption,
                           Layout layout, QWidget* parent)
    : QWidget(parent), m_grid(new ColourGrid(this)),
      m_button(new ColourButton(std::move(chooser), this)),
      m_caption(new ClickLabel(QStringLiteral("Label1"), caption, this)),
      m_column(new QVBoxLayout) {
    m_column->addWidget(m_button);
    m_column->addWidget(m_caption);
    auto* outer = layout == Layout::ButtonBeside ? static_cast<QBoxLayout*>(new QHBoxLayout(this))
                                                 : new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_grid);
    outer->addLayout(m_column);

    connect(m_grid, &ColourGrid::colourPicked, this, [this](quint32 colour) {
        m_button->setColour(colour);
        emit picked(colour);
    });
    connect(m_button, &ColourButton::clickedAfterDialog, this, &ColourPicker::dialogClosed);
    connect(m_caption, &ClickLabel::clicked, this, &ColourPicker::captionClicked);
}

quint32 ColourPicker::colour() const {
    return m_button->colour();
}

void ColourPicker::addToColumn(QWidget* widget) {
    m_column->addWidget(widget);
}

} // namespace vellum
