#pragma once

#include <QFrame>

namespace vellum {

/// "Please wait." shown above everything, centred, while a large file loads. A click closes it.
class Twaiter : public QFrame {
    Q_OBJECT
public:
    Twaiter();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace vellum
