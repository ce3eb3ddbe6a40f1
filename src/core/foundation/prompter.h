#pragma once

#include <QString>

namespace vellum {

/// What a file dialog is asked to do.
struct FileDialogRequest {
    QString title;
    /// Pairs of description and masks, separated by "|": "HTML files|*.htm*|All files|*.*".
    QString filter;
    QString defaultSuffix;
    bool mustExist = false;
};

/// The user's side of a modal exchange: message boxes and file dialogs.
/// Core rules ask through it; the UI shows real boxes, tests script the answers.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    /// A plain message with an OK button.
    virtual void inform(const QString& text) = 0;
    /// An error message with an OK button.
    virtual void error(const QString& text) = 0;
    /// A confirmation with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    /// A confirmation with Yes, No and Cancel.
    virtual Answer askYesNoCancel(const QString& text) = 0;
    /// An open-file dialog; the chosen path, or empty when cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    /// A save-file dialog; the chosen path, or empty when cancelled.
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
};

} // namespace vellum
