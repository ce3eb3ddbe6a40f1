#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace vellum {

class CommandRegistry;
class Workspace;

/// The main window's menu bar, hidden items and toolbar, built from their tables and bound to
/// the commands by id. An item whose command is not registered is disabled.
class MainMenus : public QObject {
    Q_OBJECT
public:
    /// Builds everything on `frame`; call once every command is registered.
    MainMenus(QMainWindow& frame, CommandRegistry& commands, Workspace& workspace);

    /// The menu item, toolbar button or hidden item of that name (null when none).
    QAction* action(const QString& name) const { return m_actions.value(name); }
    /// The menu or submenu of that name (null when none).
    QMenu* menu(const QString& name) const;
    /// The Save button of the toolbar.
    QAction* msave() const { return action(QStringLiteral("msave")); }

private:
    void buildMenus();
    void buildToolbar();
    void bind(QAction* action, const QString& command);
    void menuAboutToShow(QMenu* menu);
    void listDocuments(QMenu* windowMenu);

    QMainWindow& m_frame;
    CommandRegistry& m_commands;
    Workspace& m_workspace;
    QHash<QString, QAction*> m_actions;
};

} // namespace vellum
