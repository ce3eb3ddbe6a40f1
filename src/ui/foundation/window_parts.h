#pragma once

#include <QColor>
#include <QString>

class QCloseEvent;
class QFrame;
class QPushButton;
class QWidget;

namespace vellum {

/// The teal of the small borderless windows, RGB 00 80 80.
inline const QColor Teal(0, 128, 128);

/// A new `Widget` showing `text` in `parent`, with the object name `name` (by which the tests and
/// the manual find it).
template <typename Widget> Widget* named(const char* name, const QString& text, QWidget* parent) {
    auto* widget = new Widget(text, parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

/// A push button that becomes the default one only when told (not by taking the focus), so that
/// Enter stays with the box that has it.
QPushButton* commandButton(const char* name, const QString& text, QWidget* parent);

/// A teal background with white text.
void paintTeal(QWidget* widget);

/// A frame named `name` that fills `window` edge to edge, with no frame drawn until its style is
/// set: the window shows nothing around it.
QFrame* fillingFrame(QWidget& window, const char* name);

/// Lets a window's closing steps run once, however many close events reach it (a window that
/// closes itself from a key can be closed again with its owner).
class CloseOnce {
public:
    /// Accepts `event`; true for the first close only.
    bool first(QCloseEvent* event);

private:
    bool m_closed = false;
};

} // namespace vellum
