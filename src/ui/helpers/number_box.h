#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class QLineEdit;
class QToolButton;

namespace vellum {

/// A whole number in an edit box with spin buttons: up adds one (no upper limit), down takes one
/// away but never goes below the lower bound. The text is converted strictly when used; a text
/// that is not a whole number is reported and stops the action.
class NumberBox : public QWidget {
    Q_OBJECT
public:
    /// `beforeStep` runs first on every spin click; `report` shows an error message.
    NumberBox(const QString& name, int minimum, std::function<void()> beforeStep,
              std::function<void(const QString&)> report, QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    QString text() const;
    void setText(const QString& text);
    /// The number, or nothing (with the error reported) when the text is not a whole number.
    std::optional<int> value() const;

    void stepUp();
    void stepDown();

private:
    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum;
    std::function<void()> m_beforeStep;
    std::function<void(const QString&)> m_report;
};

/// The indentation and the number of items a helper writes.
struct IndentAndCount {
    int indent = 0;
    int count = 0;
};

/// The numbers in the `indent` and `count` boxes, read in that order: nothing when either is not
/// a whole number (the first such text is reported).
std::optional<IndentAndCount> indentAndCount(const NumberBox& indent, const NumberBox& count);

} // namespace vellum
