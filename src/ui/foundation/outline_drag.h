#pragma once

#include <QObject>
#include <QPoint>
#include <initializer_list>
#include <memory>

class QMouseEvent;
class QRubberBand;
class QWidget;

namespace vellum {

/// Moves a borderless window by a part of it the user drags with the left button: an outline of
/// the window follows the pointer, and the window itself moves only when the button is released.
/// Owned by the window; it watches the parts it is given.
class OutlineDrag : public QObject {
    Q_OBJECT
public:
    OutlineDrag(QWidget& window, std::initializer_list<QWidget*> grips);
    ~OutlineDrag() override;

    bool isDragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void press(QMouseEvent* event);
    void move(QMouseEvent* event);
    void release(QMouseEvent* event);

    QWidget& m_window;
    bool m_dragging = false;
    QPoint m_start;
    // A window of its own, so that the outline can be drawn anywhere on the screen.
    std::unique_ptr<QRubberBand> m_band;
};

} // namespace vellum
