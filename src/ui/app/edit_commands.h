#pragma once

#include "core/editor/editor_font.h"

#include <QString>
#include <optional>

namespace vellum {

class TMDImain;
class TMDIsub;

/// The Edit menu's commands, the editor font and tab stops, and the date from the status bar.
/// Each does nothing when no document is open.
class EditCommands {
public:
    explicit EditCommands(TMDImain& main) : m_main(main) {}

    void undo();
    void cut();
    void copy();
    /// Pastes through the scratch editor: the document receives the clipboard's text, and the
    /// clipboard afterwards holds exactly that text.
    void paste();
    void selectAll();
    void deleteSelection();
    /// Enables the Edit menu's items for the active document (left as they were without one).
    void editMenuAboutToShow();

    void Font1Click();
    void fontup();
    void fontdown();
    void WriteFont();
    /// Gives a document's editor the saved font.
    void ReadFont(TMDIsub& document);
    void ReadFontActive();
    void nofont();

    /// Sets the tab stops of the active document; "paste" concerns the scratch editor, which keeps
    /// no tab stops. The width is read from the settings once per run.
    void tabupdate(const QString& mode, int start = 0);
    /// Gives a document's editor the tab stops.
    void applyTabStops(TMDIsub& document);

    /// Replaces the selection by the status bar's date and selects it.
    void DatesClick();

    static EditorFont editorFont(const TMDIsub& document);
    static void setEditorFont(TMDIsub& document, const EditorFont& font);

private:
    int tabWidth();

    TMDImain& m_main;
    std::optional<int> m_tabWidth;
};

} // namespace vellum
