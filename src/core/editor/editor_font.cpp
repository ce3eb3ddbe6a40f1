#include "core/editor/editor_font.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

namespace vellum {

namespace F = keys::Font;

EditorFont EditorFont::defaults() {
    EditorFont font;
    font.name = QStringLiteral("MS Sans Serif");
    return font;
}

QString fontStyleText(const EditorFont& font) {
    if (font.underline || font.strikeOut)
        return {};
    if (font.bold && font.italic)
        return QStringLiteral("bolditalic");
    if (font.bold)
        return QStringLiteral("bold");
    if (font.italic)
        return QStringLiteral("italic");
    return QStringLiteral("regular");
}

void writeEditorFont(SettingsFile& settings, const EditorFont& font) {
    settings.writeText(F::Section, F::Name, font.name.left(255));
    settings.writeInt(F::Section, F::Size, font.size);
    settings.writeInt(F::Section, F::Color, font.color);
    settings.writeText(F::Section, F::Style, fontStyleText(font));
}

EditorFont readEditorFont(const SettingsFile& settings, const EditorFont& current) {
    EditorFont font = current;
    // A face or size that cannot be a font's (hand-edited away) keeps the current one.
    font.name = settings.readText(F::Section, F::Name, current.name);
    if (font.name.isEmpty())
        font.name = current.name;
    font.size = settings.readInt(F::Section, F::Size, current.size);
    if (font.size < 1)
        font.size = current.size;
    font.color = settings.readInt(F::Section, F::Color, current.color);
    const QString style = settings.readText(F::Section, F::Style);
    const auto set = [&font](bool bold, bool italic) {
        font.bold = bold;
        font.italic = italic;
        font.underline = false;
        font.strikeOut = false;
    };
    if (style == QLatin1String("bold"))
        set(true, false);
    else if (style == QLatin1String("italic"))
        set(false, true);
    else if (style == QLatin1String("regular"))
        set(false, false);
    else if (style == QLatin1String("bolditalic"))
        set(true, true);
    return font;
}

QList<double> tabStopPoints(int width) {
    QList<double> stops;
    const double step = width * 6.0;
    for (int i = 1; i <= 16; ++i)
        stops << step * i;
    return stops;
}

} // namespace vellum
