#pragma once

#include <QTimer>
#include <QWidget>

namespace vellum {

/// The teal start-up picture: borderless, above other windows, centred on the screen, owned by
/// the desktop. It closes and deletes itself 3000 ms after it was created.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int LifetimeMs = 3000;

    SplashWindow();

    /// Creates a splash, shows it and lets it paint at once. It deletes itself.
    static SplashWindow* showSplash();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QTimer m_timer;
};

} // namespace vellum
