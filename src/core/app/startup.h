#pragma once

#include "core/foundation/path_style.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace vellum {

class SettingsFile;
class HomeDirectory;

/// The arguments joined by single spaces into the one file name they stand for
/// (a path with a space arrives split in two).
QString joinCommandLine(const QStringList& arguments);

/// The files a start is given. The arguments joined by single spaces name one file, unless no
/// file of that name exists while every argument names an existing file of its own: then each
/// argument is one file, as a desktop passes several files at once.
QStringList commandLineFiles(const QStringList& arguments);

/// Records a command-line file for the main window to open: its identity goes to the hand-off
/// key when a file of that name exists, else the key is emptied. Returns the message to show
/// (the command line followed by " could not be opened"), or an empty text when all is well or
/// the command line is empty (the key is then left alone).
QString recordHandOff(SettingsFile& settings, const QString& commandLine, PathStyle style);

/// Resets what a run keeps in the settings and prepares the library: the arrangement becomes
/// tabbed when none is stored, the untitled counter 0, the tab bookkeeping and the clean-up list
/// empty, and an empty library file is created when missing.
void resetRunState(SettingsFile& settings, const HomeDirectory& home);

/// The status-bar date: the full weekday name, ", " and the locale's short date.
QString dateLabelText(const QDate& date, const QLocale& locale);

/// Where the main window goes when it is first shown.
struct Placement {
    bool maximised = true;
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
};

/// Maximised unless the user chose to keep the last placement and the window was not maximised
/// when the program last closed; then the stored top, left, width and height.
Placement firstShowPlacement(const SettingsFile& settings);

/// The main window as it closes.
struct WindowSnapshot {
    bool maximised = false;
    bool minimised = false;
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
};

/// Writes the placement keys at exit: "up" says whether the window was maximised; the geometry is
/// written unless the window is minimised (the last normal placement is then kept).
void writeExitPlacement(SettingsFile& settings, const WindowSnapshot& window);

} // namespace vellum
