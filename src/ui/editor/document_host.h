#pragma once

namespace vellum {

class CommandRegistry;
class DocumentWindow;
class Workspace;

/// What a document window needs from the area that holds it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    /// The window became the active document.
    virtual void documentActivated(DocumentWindow& document) = 0;
    /// The window is asked to close: true when it may (a modified document asks first).
    virtual bool mayClose(DocumentWindow& document) = 0;
    /// The window is closing: it is still open and still the active document.
    virtual void documentClosing(DocumentWindow& document) = 0;
    /// The user maximised the window (tabbed arrangement).
    virtual void documentMaximised(DocumentWindow& document) = 0;
    /// The user minimised or restored the window (tiled arrangement).
    virtual void documentUnmaximised(DocumentWindow& document) = 0;
    /// True while the program itself is arranging document windows: window-state changes then are
    /// not the user's commands.
    virtual bool arrangingWindows() const = 0;
    /// The window was resized after it was set up.
    virtual void documentResized(DocumentWindow& document) = 0;
    /// Shows a line number (counted from 1) in the status bar.
    virtual void showLine(int line) = 0;
    /// Escape was pressed in the window's editor.
    virtual void escapeInEditor() = 0;
    /// True when automatic indentation is on.
    virtual bool autoIndentEnabled() = 0;
    /// The open documents and what they share (scratch editor, insertion slots, Enter flag).
    virtual Workspace& workspace() = 0;
    /// The commands the context menu runs.
    virtual CommandRegistry& commands() = 0;
};

} // namespace vellum
