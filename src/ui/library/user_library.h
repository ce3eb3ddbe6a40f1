#pragma once

#include <QString>

namespace vellum {

/// What the User Tags helper and the Add to Library dialog leave each other: the helper closes
/// while the dialog is open and is opened anew when it closes.
struct LibraryHandOff {
    /// "yes": the next opening of the User Tags helper shows the Library in edit mode at `row`.
    QString reopen;
    /// The Library row chosen for the new item: its index line goes in there.
    int row = 0;
};

/// What the User Tags helper and the Add to Library dialog are handed besides the helper context:
/// the tag library's folder and the way from one window to the other.
class UserLibrary {
public:
    virtual ~UserLibrary() = default;
    /// The folder of the tag library and the special-character table.
    virtual QString libraryDir() const = 0;
    virtual LibraryHandOff& handOff() = 0;
    /// Makes a new Library item of the active document's selection: closes the User Tags helper
    /// and opens the Add to Library dialog.
    virtual void newLibraryItem() = 0;
    /// Opens the User Tags helper as its menu item does (after the Add to Library dialog).
    virtual void openUserTags() = 0;
};

} // namespace vellum
