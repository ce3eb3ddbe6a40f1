#pragma once

namespace vellum {

class Prompter;
class TMDIsub;

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
    virtual Prompter& prompter() = 0;
};

} // namespace vellum
