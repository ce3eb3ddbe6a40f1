#pragma once

#include "ui/foundation/borderless_dialog.h"

class QLabel;
class QLineEdit;

namespace vellum {

class FindCommands;

/// The go-to-line dialog: a small borderless box above the main window's lower edge. Enter puts
/// the caret at the start of the numbered line and closes it; Escape or a double-click on its
/// label closes it. It destroys itself when it closes.
class GoToLineDialog : public BorderlessDialog {
    Q_OBJECT
public:
    explicit GoToLineDialog(FindCommands& commands);

    QLabel* label() const { return m_label; }
    QLineEdit* lineBox() const { return m_edit; }

    /// Goes to the line typed (counted from 1) and closes; a text that is not a whole number is
    /// reported and the dialog stays.
    void goToTypedLine();

protected:
    void closeSteps() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FindCommands& m_commands;
    QLabel* m_label;
    QLineEdit* m_edit;
};

} // namespace vellum
