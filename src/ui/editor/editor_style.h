#pragma once

#include "core/editor/editor_font.h"

#include <optional>

namespace vellum {

class SettingsFile;
class DocumentWindow;

/// The look of a document's editor: its font and its tab stops.
class EditorStyle {
public:
    explicit EditorStyle(const SettingsFile& settings) : m_settings(settings) {}

    /// The editor's font as the settings keep fonts.
    static EditorFont fontOf(const DocumentWindow& document);
    /// Gives the editor `font`; what already matches is left as it is, so a font given in
    /// pixels keeps its exact height while its size in points is unchanged.
    static void setFont(DocumentWindow& document, const EditorFont& font);

    /// Gives the editor the saved font (each missing key keeps the editor's own value).
    void readFont(DocumentWindow& document);
    /// Gives the editor the tab stops. The width is read from the settings once per run.
    void applyTabStops(DocumentWindow& document);
    /// The next tab stops read the width from the settings again (after the user changed it).
    void rereadTabWidth() { m_tabWidth.reset(); }
    /// Colours the editor's HTML unless the settings turn colouring off (read once per run).
    void applyHighlighting(DocumentWindow& document);

private:
    int tabWidth();

    const SettingsFile& m_settings;
    std::optional<int> m_tabWidth;
    std::optional<bool> m_highlight;
};

} // namespace vellum
