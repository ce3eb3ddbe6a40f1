#pragma once

#include "core/foundation/path_style.h"

#include <QString>

namespace vellum {

class SettingsFile;

/// What the Preferences dialog shows and stores. The defaults are what a fresh settings file
/// shows; the numbers are kept as the texts their labels show.
struct Preferences {
    // General.
    QString tabWidth = QStringLiteral("5");
    bool removeSpaces = true;
    bool htmlExtension = false;
    bool rememberMain = false;
    bool rememberHelpers = false;
    bool autoIndent = false;
    bool returnIcon = true;
    QString browser;
    QString helper;
    // Quick Items.
    QString border = QStringLiteral("1");
    bool caption = false;
    QString rows = QStringLiteral("1");
    QString cells = QStringLiteral("1");
    QString listItems = QStringLiteral("1");
    QString recentFiles = QStringLiteral("9");
    QString hidden = QStringLiteral("1");
    QString textFields = QStringLiteral("1");
    QString radios = QStringLiteral("1");
    QString checkBoxes = QStringLiteral("1");
    QString listBoxes = QStringLiteral("1");
    QString dropLists = QStringLiteral("1");
    bool textArea = true;
};

/// The preferences as the settings hold them. The Quick Items are read only when "Quick"/"qrow"
/// is a non-zero number; the text-area box is always checked. With the Windows path style the
/// program paths are shown in upper case.
Preferences loadPreferences(const SettingsFile& settings, PathStyle style);

/// A spin button's step on the number its label shows, read as a decimal integer: up adds one
/// unless that passes `highest`, down takes one unless the number is at `lowest` already.
QString spunNumber(const QString& shown, bool up, int lowest, int highest);

/// Why OK stopped with the dialog still open.
enum class PreferencesProblem { None, Browser, Helper };

/// "There is a problem with your browser path or filename." and the helper's twin.
QString preferencesMessage(PreferencesProblem problem);

/// OK: stores the preferences in the formats their readers expect. A browser path that changed
/// and names no file stops it before anything is stored; a helper path that changed and names no
/// file stops it with only the browser change stored, so nothing that would need applying is
/// stored until an OK passes. A new or emptied helper empties its window title.
PreferencesProblem storePreferences(SettingsFile& settings, const Preferences& preferences,
                                    PathStyle style);

} // namespace vellum
