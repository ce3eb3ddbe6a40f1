#pragma once

#include <QString>

namespace vellum {

class Insertions;
class Prompter;
class SettingsFile;
class TMDIsub;
class TextControl;
struct InsertionSlots;

/// What a document window needs from the frame that holds it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    /// The window became the active document.
    virtual void documentActivated(TMDIsub& document) = 0;
    /// The window's text changed.
    virtual void documentChanged(TMDIsub& document) = 0;
    /// Saves the window's document (Save, or Save As for an untitled one). False when the save was
    /// cancelled or failed; the document then stays modified.
    virtual bool saveDocument(TMDIsub& document) = 0;
    /// The window is closing: it is still open and still the active document.
    virtual void documentClosing(TMDIsub& document) = 0;
    /// The user maximised the window (tabbed arrangement).
    virtual void documentMaximised(TMDIsub& document) = 0;
    /// The user minimised or restored the window (tiled arrangement).
    virtual void documentUnmaximised(TMDIsub& document) = 0;
    /// True while the program itself is arranging document windows: window-state changes then are
    /// not the user's commands.
    virtual bool arrangingWindows() const = 0;
    /// The window was resized after it was set up.
    virtual void documentResized(TMDIsub& document) = 0;
    /// Shows a line number (counted from 1) in the status bar.
    virtual void showLine(int line) = 0;
    /// True when automatic indentation is on.
    virtual bool autoIndentEnabled() = 0;
    /// The one-shot flag of the Enter-bound commands.
    virtual QString& enterFlag() = 0;
    virtual Insertions& insertions() = 0;
    virtual TextControl& scratch() = 0;
    virtual InsertionSlots& insertionSlots() = 0;
    virtual Prompter& prompter() = 0;
    /// Opens the Font helper (when it is not open already).
    virtual void HelpFont() = 0;
    virtual SettingsFile& settings() = 0;
};

} // namespace vellum
