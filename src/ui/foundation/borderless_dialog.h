#pragma once

#include "ui/foundation/window_parts.h"

#include <QWidget>

namespace vellum {

/// A small borderless dialog over `parent` that stays on top and destroys itself when it
/// closes. When shown it takes the keyboard and gives its focus box the focus; its closing steps
/// run once, however often it is closed.
class BorderlessDialog : public QWidget {
    Q_OBJECT
protected:
    BorderlessDialog(QWidget* parent, const char* name, const QString& title);

    /// The box that has the focus whenever the dialog shows.
    void setFocusBox(QWidget* box) { m_focusBox = box; }
    /// What closing the dialog does.
    virtual void closeSteps() = 0;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_focusBox = nullptr;
    CloseOnce m_closing;
};

} // namespace vellum
