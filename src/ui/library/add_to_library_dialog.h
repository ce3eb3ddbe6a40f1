#pragma once

#include "ui/foundation/borderless_dialog.h"

#include <QPointer>
#include <QString>

class QLineEdit;
class QPushButton;

namespace vellum {

class HelperContext;
class UserLibrary;

/// The Add to Library dialog: asks for the description of a new Library item made of the text
/// the main window put into the scratch editor. While it is open the active document's editor
/// takes no input; when it closes, the User Tags helper opens again on the Library in edit mode,
/// at the row chosen for the item.
class AddToLibraryDialog : public BorderlessDialog {
    Q_OBJECT
public:
    AddToLibraryDialog(HelperContext& context, UserLibrary& library);

    QWidget* panel() const { return m_panel; }
    QLineEdit* description() const { return m_description; }
    QPushButton* createButton() const { return m_create; }
    QPushButton* closeButton() const { return m_close; }
    /// The text the new item will hold.
    const QString& itemText() const { return m_text; }

    /// Makes the item and closes; nothing without a description. When a file cannot be written
    /// the dialog stays open after the report.
    void InsertCodeClick();

protected:
    void closeSteps() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelperContext& m_context;
    UserLibrary& m_library;
    QString m_text;
    QWidget* m_panel;
    QLineEdit* m_description;
    QPushButton* m_create;
    QPushButton* m_close;
    // The editor made read-only, which may no longer be the active one when the dialog closes.
    QPointer<QObject> m_disabledDocument;
};

} // namespace vellum
