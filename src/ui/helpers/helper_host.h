#pragma once

#include <QRect>
#include <QString>
#include <functional>

class QColor;
class QWidget;

namespace vellum {

class Insertions;
class SettingsFile;
class TextControl;
struct FileDialogRequest;
struct InsertionSlots;

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
    /// Runs `action`, reporting a failure (a refused settings write) instead of passing it on.
    virtual void guard(const std::function<void()>& action) = 0;
};

} // namespace vellum
