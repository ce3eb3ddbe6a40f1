#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace vellum {

/// Asks for the exact title of the helper program's main window, so that the helper command can
/// switch to that window later instead of starting the program again. Above every other window,
/// centred on the screen, not modal; it frees itself when it closes.
class HelperTitleDialog : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        /// OK with a title: stores it and switches to that window.
        std::function<void(const QString& title)> store;
        /// Cancel: closes the Return Icon window when one is open.
        std::function<void()> cancelled;
    };

    explicit HelperTitleDialog(Hooks hooks);
    ~HelperTitleDialog() override;

    QLineEdit* titleEdit() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    /// OK (or Enter in the title box): nothing while the box is empty.
    void storeTitle();
    /// Cancel (or Escape).
    void cancelTitle();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Hooks m_hooks;
    QLineEdit* m_edit;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace vellum
