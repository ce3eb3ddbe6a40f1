#pragma once

#include <QList>
#include <QString>

namespace vellum {

class SettingsFile;

/// The editor font as the settings keep it.
struct EditorFont {
    QString name;
    int size = 10;
    /// 0x00BBGGRR, as the settings store colours.
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    /// "MS Sans Serif", 10 points, black, no style.
    static EditorFont defaults();
};

/// The style text saved for a font: "bold", "italic", "regular", "bolditalic", or empty for any
/// other combination (underline or strike-out included).
QString fontStyleText(const EditorFont& font);

/// Saves the font to the editor-font keys.
void writeEditorFont(SettingsFile& settings, const EditorFont& font);

/// The saved font applied over `current`: each missing key keeps the current value, and a style
/// text other than the four known ones leaves the style as it is.
EditorFont readEditorFont(const SettingsFile& settings, const EditorFont& current);

/// The tab stops in points for a tab width of `width` characters: sixteen stops, every
/// `width` x 6 points.
QList<double> tabStopPoints(int width);

} // namespace vellum
