#pragma once

#include <QMainWindow>
#include <functional>

namespace vellum {

class SettingsFile;

/// The main frame: the window that holds the menus, the document area and the status line. The
/// application (see Application) builds what goes in it; the frame only places itself on its
/// first show and asks before it closes.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(SettingsFile& settings, QWidget* parent = nullptr);

    /// True until the first show has placed the window.
    bool isFirstShow() const { return m_firstShow; }
    /// Places the frame from the settings on its first show; later calls do nothing.
    void placeOnFirstShow();
    /// What a close of the window asks first: it closes only when `handler` returns true.
    void setCloseHandler(std::function<bool()> handler) { m_closing = std::move(handler); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SettingsFile& m_settings;
    bool m_firstShow = true;
    std::function<bool()> m_closing;
};

} // namespace vellum
