#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace vellum {

/// The program's icon (a page with an HTML tag), drawn at `size` pixels square; the same drawing
/// as the shipped scalable icon.
QImage drawAppIcon(int size);

/// The sizes the icon is drawn at, for the windows and the icon theme.
QList<int> appIconSizes();

/// The icon at those sizes, for the windows and the task bar.
QIcon appIcon();

} // namespace vellum
