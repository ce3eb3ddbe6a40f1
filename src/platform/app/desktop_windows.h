#pragma once

#include <QString>
#include <QtGlobal>

namespace vellum {

/// A top-level window of any program on the desktop; 0 stands for none.
using DesktopWindow = quint32;

/// Whether this desktop lets the program see other programs' windows (an X11 display). Elsewhere
/// (the offscreen platform, say) no window is ever found, and nothing is activated.
bool canSeeDesktopWindows();

/// The first top-level window on the desktop whose title is exactly `title`, or 0. On X11 these
/// are the windows the window manager lists as its clients; without a window manager, the mapped
/// children of the root window.
DesktopWindow findWindowByTitle(const QString& title);

/// Brings a window to the front and gives it the focus: asked of the window manager when there
/// is one, done directly otherwise. False when it could not be asked.
bool activateDesktopWindow(DesktopWindow window);

} // namespace vellum
