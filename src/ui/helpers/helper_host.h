#pragma once

#include <QRect>
#include <QString>
#include <functional>

class QColor;
class QWidget;

namespace vellum {

class InsertionContext;
class Insertions;
class SettingsFile;
class TextControl;
struct FileDialogRequest;
struct InsertionSlots;

/// What the User Tags helper and the Add to Library dialog leave each other in the main window:
/// the helper closes while the dialog is open and is opened anew when it closes.
struct LibraryHandOff {
    /// "yes": the next opening of the User Tags helper shows the Library in edit mode at `row`.
    QString reopen;
    /// The Library row chosen for the new item: its index line goes in there.
    int row = 0;
};

/// What a helper window needs from the main window.
class HelperHost {
public:
    virtual ~HelperHost() = default;
    /// The main window's outer rectangle in screen pixels.
    virtual QRect mainGeometry() const = 0;
    /// The main window itself (helpers stay above it).
    virtual QWidget* mainWidget() = 0;
    virtual bool hasDocument() const = 0;
    /// Gives the keyboard focus back to the main window and so to the active document's editor.
    virtual void focusMain() = 0;
    virtual Insertions& insertions() = 0;
    /// The open documents as the insertion operations see them.
    virtual InsertionContext& insertionContext() = 0;
    virtual TextControl& scratch() = 0;
    virtual InsertionSlots& insertionSlots() = 0;
    /// The folder of the tag library and the special-character table.
    virtual QString libraryDir() const = 0;
    /// The file of the active document, or empty when it has none (never saved, or none open).
    virtual QString activeDocumentPath() const = 0;
    /// An open-file dialog; the chosen path, or empty when cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual SettingsFile& settings() = 0;
    /// Opens the help at a topic number.
    virtual void showHelpTopic(int topic) = 0;
    /// The colour dialog set to `colour`; true (with `colour` changed) when the user confirmed.
    virtual bool chooseColour(QColor& colour) = 0;
    /// Shows an error message.
    virtual void showError(const QString& text) = 0;
    /// Shows a plain message with an OK button.
    virtual void showMessage(const QString& text) = 0;
    /// Runs the command that opens the helper `id` ("User", ...), as its menu item does.
    virtual void openHelper(const QString& id) = 0;
    virtual LibraryHandOff& libraryHandOff() = 0;
    /// Makes a new Library item of the active document's selection: closes the User Tags helper
    /// and opens the Add to Library dialog.
    virtual void newlibr() = 0;
    /// Runs `action`, reporting a failure (a refused settings write) instead of passing it on.
    virtual void guard(const std::function<void()>& action) = 0;
};

} // namespace vellum
