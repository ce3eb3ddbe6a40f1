#include "ui/app/recent_files_menu.h"

#include "core/app/command_registry.h"
#include "core/app/document_flows.h"
#include "core/app/recent_files.h"
#include "ui/app/main_menus.h"

#include <QMenu>

namespace vellum {

RecentFilesMenu::RecentFilesMenu(MainMenus& menus, CommandRegistry& commands,
                                 SettingsFile& settings, DocumentFlows& flows)
    : QObject(&menus), m_submenu(menus.menu(QStringLiteral("RecentFiles1"))), m_commands(commands),
      m_settings(settings) {
    for (int n = 1; n <= RecentSlots; ++n) {
        commands.add(QStringLiteral("MRU%1").arg(n), [this, n, &flows] {
            const QString path = recentFile(m_settings, n);
            if (!path.isEmpty())
                flows.openFile(path);
        });
    }
    connect(menus.menu(QStringLiteral("File1")), &QMenu::aboutToShow, this,
            [this] { m_commands.guard([this] { refillRecentFiles(); }); });
}

void RecentFilesMenu::refillRecentFiles() {
    m_submenu->clear();
    const QStringList entries = recentFilesToShow(m_settings);
    for (int n = 1; n <= entries.size(); ++n) {
        QAction* item = m_submenu->addAction(recentCaption(n, entries[n - 1]));
        item->setObjectName(QStringLiteral("MRU%1").arg(n));
        connect(item, &QAction::triggered, this,
                [this, n] { m_commands.run(QStringLiteral("MRU%1").arg(n)); });
    }
}

} // namespace vellum
