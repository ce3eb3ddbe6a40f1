#pragma once

#include <QObject>

class QMenu;

namespace vellum {

class CommandRegistry;
class DocumentFlows;
class MainMenus;
class SettingsFile;

/// The Recent Files submenu: rebuilt from the stored list each time the File menu opens; item N
/// opens the file stored in place N at the moment of the click.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(MainMenus& menus, CommandRegistry& commands, SettingsFile& settings,
                    DocumentFlows& flows);

    /// Empties the submenu and fills it from the stored list.
    void refillRecentFiles();

private:
    QMenu* m_submenu;
    CommandRegistry& m_commands;
    SettingsFile& m_settings;
};

} // namespace vellum
