#pragma once

#include <QWidget>

class QLabel;

namespace vellum {

class ClickLabel;
class Prompter;
class SettingsFile;

/// The Return Icon window: a small teal window above every other one that takes the user back to
/// the program while a browser or helper program has the screen. A click on its picture brings
/// the main window to the front and closes it; a double-click on its grip closes it; dragging the
/// panel or the grip moves it by an outline. It opens where it was last closed.
class ReturnIcon : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 60;

    /// The window, placed from the settings; `main` is the window it returns to.
    ReturnIcon(SettingsFile& settings, Prompter& prompter, QWidget& main);
    ~ReturnIcon() override;

    QWidget* panel() const { return m_panel; }
    ClickLabel* picture() const { return m_picture; }
    ClickLabel* grip() const { return m_grip; }

    void returnToMainWindow();
    void dismiss();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SettingsFile& m_settings;
    Prompter& m_prompter;
    QWidget& m_main;
    QWidget* m_panel;
    ClickLabel* m_picture;
    ClickLabel* m_grip;
};

} // namespace vellum
