#pragma once

#include "core/app/preferences.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace vellum {

class HelpViewer;
class Prompter;
class SettingsFile;

/// The Preferences dialog: the program-wide options on two pages, "General" and "Quick Items".
/// It reads the settings when it is made; OK stores every control, Cancel stores nothing.
class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        /// The Locate buttons: each chooses a program and stores its path.
        std::function<void()> locateBrowser;
        std::function<void()> locateHelper;
        /// Runs after OK has stored the preferences and the dialog has closed.
        std::function<void()> stored;
    };

    PreferencesDialog(SettingsFile& settings, PathStyle style, Prompter& prompter, HelpViewer& help,
                      Hooks hooks, QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    /// A new dialog, centred on the screen, shown at once without blocking the main window; it
    /// frees itself when it closes.
    static PreferencesDialog* openNew(SettingsFile& settings, Prompter& prompter, HelpViewer& help,
                                      Hooks hooks, QWidget* parent);

    /// What the controls show now.
    Preferences shown() const;

    void confirm();
    void locateBrowserClicked();
    void locateHelperClicked();

private:
    struct Controls;
    /// Fill the pages, whose controls stand on `grid`.
    void generalPage(QGridLayout* grid, const Preferences& p, HelpViewer& help);
    void quickPage(QGridLayout* grid, const Preferences& p, HelpViewer& help);
    QLabel* spinLabel(QWidget* page, const char* name, const char* spinName, const QString& text,
                      int lowest, int highest);

    SettingsFile& m_settings;
    PathStyle m_style;
    Prompter& m_prompter;
    Hooks m_hooks;
    std::unique_ptr<Controls> m_c;
};

} // namespace vellum
