#pragma once

#include <QLabel>

namespace vellum {

/// A label that reports clicks and double-clicks.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& name, const QString& text, QWidget* parent = nullptr)
        : QLabel(text, parent) {
        setObjectName(name);
        // Samples hold tags: they are shown as typed, never rendered.
        setTextFormat(Qt::PlainText);
    }

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent*) override { emit clicked(); }
    void mouseDoubleClickEvent(QMouseEvent*) override { emit doubleClicked(); }
};

} // namespace vellum
