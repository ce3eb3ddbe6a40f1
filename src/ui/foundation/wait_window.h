#pragma once

#include <QFrame>

namespace vellum {

/// "Please wait." shown above everything, centred, while a large file loads. A click closes it.
class WaitWindow : public QFrame {
    Q_OBJECT
public:
    WaitWindow();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace vellum
