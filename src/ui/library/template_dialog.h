#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vellum {

class HelpViewer;
class Prompter;
class SettingsFile;

/// The Open Template dialog: new documents start from a template in the templates folder, or from
/// the default template when none is chosen. It sets and clears the default and deletes templates.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    /// `newDocument` makes the new document from a template name (empty: the default, if any).
    TemplateDialog(QString templateDir, SettingsFile& settings, Prompter& prompter,
                   HelpViewer& help, std::function<void(const QString&)> newDocument,
                   QWidget* parent = nullptr);

    /// A new dialog, shown at once and not modal; it frees itself when it closes.
    static TemplateDialog* openNew(const QString& templateDir, SettingsFile& settings,
                                   Prompter& prompter, HelpViewer& help,
                                   std::function<void(const QString&)> newDocument,
                                   QWidget* parent);

    QListWidget* fileList() const { return m_files; }
    /// The chosen template's name, or "*.*" while none is chosen.
    QString chosen() const;
    QLabel* defaultLabel() const { return m_default; }
    QPushButton* deleteButton() const { return m_delete; }

    void confirm();
    void makeChosenDefault();
    void clearDefault();
    void deleteChosenTemplate();

private:
    void refresh();
    void selectionChanged();

    QString m_templateDir;
    SettingsFile& m_settings;
    Prompter& m_prompter;
    std::function<void(const QString&)> m_newDocument;
    QListWidget* m_files;
    QLineEdit* m_chosen;
    QLabel* m_default;
    QPushButton* m_delete;
};

} // namespace vellum
