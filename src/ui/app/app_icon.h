#pragma once

#include <QIcon>
#include <QImage>

namespace vellum {

/// The program's icon (a page with an HTML tag), drawn at `size` pixels square; the same drawing
/// as the shipped scalable icon.
QImage drawAppIcon(int size);

/// The icon at the usual sizes, for the windows and the task bar.
QIcon appIcon();

} // namespace vellum
