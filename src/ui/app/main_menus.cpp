#include "ui/app/main_menus.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/menu_table.h"
#include "core/app/workspace.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>

namespace vellum {

namespace {

QIcon toolbarIcon(const char* name) {
    const QString icon = QString::fromLatin1(name);
    // The desktop's own icon for a standard action keeps the toolbar in its look; without a theme
    // our drawing of the same action stands in.
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(icon));
    if (icon.startsWith(QLatin1String("vellum-")))
        return own;
    return QIcon::fromTheme(icon, own);
}

QList<QKeySequence> sequencesOf(const QString& keys) {
    QList<QKeySequence> sequences{QKeySequence(keys)};
    // The keypad's Enter works as Return does.
    if (keys.endsWith(QLatin1String("Return")))
        sequences << QKeySequence(
            QString(keys).replace(QLatin1String("Return"), QLatin1String("Enter")));
    return sequences;
}

const char* const DocumentEntry = "documentEntry";

} // namespace

MainMenus::MainMenus(QMainWindow& frame, CommandRegistry& commands, Workspace& workspace)
    : QObject(&frame), m_frame(frame), m_commands(commands), m_workspace(workspace) {
    buildMenus();
    buildToolbar();
}

QMenu* MainMenus::menu(const QString& name) const {
    const QAction* item = action(name);
    return item ? item->menu() : nullptr;
}

void MainMenus::bind(QAction* action, const QString& command) {
    if (!m_commands.has(command)) {
        action->setEnabled(false);
        return;
    }
    connect(action, &QAction::triggered, this, [this, command] { m_commands.run(command); });
}

void MainMenus::buildMenus() {
    QHash<QString, QMenu*> menus;
    QSet<QString> takenShortcuts;
    for (const MenuEntry& entry : mainMenuTable()) {
        QMenu* parent = entry.parent ? menus.value(QString::fromLatin1(entry.parent)) : nullptr;
        const QString name = QString::fromLatin1(entry.name);
        const QString caption = QString::fromLatin1(entry.caption);
        if (entry.kind == MenuEntry::Kind::Separator) {
            parent->addSeparator();
            continue;
        }
        if (entry.kind == MenuEntry::Kind::Menu) {
            QMenu* menu = parent ? parent->addMenu(caption) : m_frame.menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            if (entry.hint)
                menu->menuAction()->setStatusTip(QString::fromLatin1(entry.hint));
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { menuAboutToShow(menu); });
            menus.insert(name, menu);
            m_actions.insert(name, menu->menuAction());
            if (!m_commands.has(name) && commandsNotYetBuilt().contains(name))
                menu->menuAction()->setEnabled(false);
            continue;
        }
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        if (entry.shortcut) {
            const QString keys = QString::fromLatin1(entry.shortcut);
            if (!takenShortcuts.contains(keys)) {
                takenShortcuts.insert(keys);
                action->setShortcuts(sequencesOf(keys));
            } else if (!entry.hidden) {
                // The first item in menu-bar order takes the key; a later one shows it all the
                // same, its shortcut active only inside its own menu.
                action->setShortcutContext(Qt::WidgetShortcut);
                action->setShortcuts(sequencesOf(keys));
            }
        }
        if (entry.hidden)
            m_frame.addAction(action); // never shown, but its shortcut works
        else if (parent)
            parent->addAction(action);
        else
            m_frame.menuBar()->addAction(action);
        m_actions.insert(name, action);
        bind(action, name);
    }
    QMenu* windowMenu = menus.value(QStringLiteral("Window1"));
    connect(windowMenu, &QMenu::aboutToShow, this,
            [this, windowMenu] { listDocuments(windowMenu); });
}

void MainMenus::buildToolbar() {
    QToolBar* toolbar = m_frame.addToolBar(QStringLiteral("toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(22, 22));
    for (const ToolButtonEntry& button : toolbarTable()) {
        auto* action =
            new QAction(toolbarIcon(button.icon), QString::fromLatin1(button.hint), this);
        action->setObjectName(QString::fromLatin1(button.name));
        action->setToolTip(QString::fromLatin1(button.hint));
        toolbar->addAction(action);
        m_actions.insert(action->objectName(), action);
        bind(action, QString::fromLatin1(button.command));
    }
    msave()->setEnabled(false);
}

void MainMenus::menuAboutToShow(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (const std::optional<bool> enabled = m_commands.enabled(action->objectName()))
            action->setEnabled(*enabled);
    }
}

void MainMenus::listDocuments(QMenu* windowMenu) {
    // The open documents follow the fixed items.
    const QList<QAction*> all = windowMenu->actions();
    for (QAction* action : all) {
        if (action->property(DocumentEntry).toBool())
            delete action;
    }
    const QList<Document*> documents = m_workspace.documents();
    if (!documents.isEmpty())
        windowMenu->addSeparator()->setProperty(DocumentEntry, true);
    int number = 1;
    for (Document* document : documents) {
        QAction* entry =
            windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(document->caption()));
        entry->setProperty(DocumentEntry, true);
        entry->setCheckable(true);
        entry->setChecked(document == m_workspace.active());
        const QString key = document->key();
        connect(entry, &QAction::triggered, this, [this, key] {
            if (Document* chosen = m_workspace.find(key))
                m_workspace.bringForward(*chosen);
        });
    }
}

} // namespace vellum
