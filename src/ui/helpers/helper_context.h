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
struct FileDialogRequest;

/// What every helper window needs of the program around it: the main window it stands beside
/// and above, the settings its position and its own choices go to, the focus handed back to the
/// document, the insertion operations, its help topic and messages. Whatever only some helpers
/// use is handed to them by their row of the helper table instead.
class HelperContext {
public:
    virtual ~HelperContext() = default;
    /// The main window itself (helpers stay above it).
    virtual QWidget* mainWidget() = 0;
    /// The main window's outer rectangle in screen pixels.
    virtual QRect mainGeometry() const = 0;
    virtual SettingsFile& settings() = 0;
    /// Gives the keyboard focus back to the main window and so to the active document's editor.
    virtual void focusMain() = 0;
    /// The insertion operations on the active document; they tell whether one is open.
    virtual Insertions& insertions() = 0;
    /// The open documents as the insertion operations see them: the active one, the scratch
    /// editor and the insertion slots.
    virtual InsertionContext& documents() = 0;
    /// Opens the help at a topic number.
    virtual void showHelpTopic(int topic) = 0;
    /// Shows an error message.
    virtual void showError(const QString& text) = 0;
    /// Shows a plain message with an OK button.
    virtual void showMessage(const QString& text) = 0;
    /// Runs `action`, reporting a failure (a refused settings write) instead of passing it on.
    virtual void guard(const std::function<void()>& action) = 0;
};

/// The colour dialog set to a colour: true, with the colour changed, when the user confirmed.
/// Handed to the helpers that offer colours.
using ColourChooser = std::function<bool(QColor&)>;

/// What the helpers that refer to files on disk are handed: the file of the active document,
/// which references are made relative to, and an open-file dialog.
class DocumentFiles {
public:
    virtual ~DocumentFiles() = default;
    /// The file of the active document, or empty when it has none (never saved, or none open).
    virtual QString activeDocumentPath() const = 0;
    /// An open-file dialog; the chosen path, or empty when cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
};

} // namespace vellum
